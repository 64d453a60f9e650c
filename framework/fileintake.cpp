#include "framework/fileintake.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

bool FileIntake::accepts(const QString& path, const QStringList& extensions)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const QString& entry : extensions) {
        if (entry == suffix) {
            qDebug() << "suffix:" << suffix << ",fmtList:" << entry;
            return true;
        }
    }
    return false;
}

bool FileIntake::suffixEndsAnEntry(const QString& path, const QStringList& extensions)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const QString& entry : extensions) {
        if (entry.endsWith(suffix))
            return true;
    }
    return false;
}

bool FileIntake::acceptsDrag(const QList<QUrl>& urls, const QStringList& extensions)
{
    for (const QUrl& url : urls) {
        const QFileInfo info(url.toLocalFile());
        if (info.isFile() && suffixEndsAnEntry(info.filePath(), extensions))
            return true;
        if (info.isDir()) {
            for (const QString& file : folderFiles(info.filePath())) {
                if (suffixEndsAnEntry(file, extensions))
                    return true;
            }
        }
    }
    return false;
}

QStringList FileIntake::folderFiles(const QString& folder)
{
    QStringList files;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Unsorted);
    for (const QFileInfo& entry : entries)
        files << entry.absoluteFilePath();
    return files;
}

QStringList FileIntake::expandDrop(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        qDebug() << "file Path is :" << info.filePath();
        if (info.isDir()) {
            for (const QString& file : folderFiles(info.filePath())) {
                qDebug() << "subInfo:" << file;
                paths << file;
            }
        } else if (info.isFile()) {
            paths << info.filePath();
        }
    }
    return paths;
}

QString FileIntake::nameFilter(const QStringList& extensions)
{
    QString filter;
    for (const QString& entry : extensions)
        filter += QStringLiteral("*.") + entry + QLatin1Char(' ');
    return filter;
}

QString FileIntake::skipNotice(int skipped)
{
    return QCoreApplication::translate("FileIntake", "%1 个文件格式不支持，已跳过").arg(skipped);
}

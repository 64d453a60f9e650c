#include "framework/fileintake.h"
#include "platform/logcategories.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

bool FileIntake::accepts(const QString& path, const QStringList& extensions)
{
    return extensions.contains(QFileInfo(path).suffix().toLower());
}

QStringList FileIntake::acceptedOf(const QStringList& paths, const QStringList& extensions, int* skipped)
{
    QStringList accepted;
    *skipped = 0;
    for (const QString& path : paths) {
        if (accepts(path, extensions))
            accepted << path;
        else
            ++*skipped;
    }
    return accepted;
}

QString FileIntake::skipNotice(int skipped)
{
    return QCoreApplication::translate("FileIntake", "%1 个文件格式不支持，已跳过").arg(skipped);
}

namespace {
// "clip 2" before "clip 10": runs of digits compare by value, the rest without case. QCollator's
// numeric mode does nothing under the C locale, which is where many desktops start programs.
int naturalCompare(const QString& a, const QString& b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            const int startA = i;
            const int startB = j;
            while (i < a.size() && a.at(i).isDigit())
                ++i;
            while (j < b.size() && b.at(j).isDigit())
                ++j;
            // Leading zeros aside, the longer run is the larger number.
            const QString x =
                a.mid(startA, i - startA).remove(QRegularExpression(QStringLiteral("^0+(?=\\d)")));
            const QString y =
                b.mid(startB, j - startB).remove(QRegularExpression(QStringLiteral("^0+(?=\\d)")));
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int c = x.compare(y))
                return c;
            continue;
        }
        const int c = QString::compare(a.at(i), b.at(j), Qt::CaseInsensitive);
        if (c != 0)
            return c;
        ++i;
        ++j;
    }
    return (a.size() - i) - (b.size() - j);
}
} // namespace

void FileIntake::sortNaturally(QStringList* paths)
{
    std::stable_sort(paths->begin(), paths->end(),
                     [](const QString& a, const QString& b) { return naturalCompare(a, b) < 0; });
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
    sortNaturally(&files);
    return files;
}

QStringList FileIntake::expandDrop(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        qCDebug(lcFramework) << "file Path is :" << info.filePath();
        if (info.isDir()) {
            for (const QString& file : folderFiles(info.filePath())) {
                qCDebug(lcFramework) << "subInfo:" << file;
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

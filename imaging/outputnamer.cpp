#include "imaging/outputnamer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace {
// Past this many taken names something is wrong with the folder; give up rather than loop.
constexpr int kMaxAttempts = 1000;

QString candidate(const QString& stem, int attempt)
{
    return attempt == 0 ? stem : stem + QStringLiteral("_%1").arg(attempt + 1);
}
} // namespace

bool OutputNamer::createExclusively(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

QString OutputNamer::claimFile(const QString& folder, const QString& base, const QString& suffix,
                               const QString& stamp, int row)
{
    const QString dot = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    const QString first = folder + QLatin1Char('/') + base + dot;
    if (createExclusively(first))
        return first;
    const QString stem = folder + QLatin1Char('/') + base + QLatin1Char('_') + stamp + QString::number(row);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString path = candidate(stem, attempt) + dot;
        if (createExclusively(path))
            return path;
        if (!QFileInfo(folder).isDir())
            break;
    }
    return QString();
}

QString OutputNamer::claimFolder(const QString& folder, const QString& base, const QString& stamp, int row)
{
    QDir parent(folder);
    if (parent.mkdir(base))
        return parent.filePath(base);
    const QString stem = base + QLatin1Char('_') + stamp + QString::number(row);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString name = candidate(stem, attempt);
        if (parent.mkdir(name))
            return parent.filePath(name);
        if (!parent.exists())
            break;
    }
    return QString();
}

QString OutputNamer::numberFromOne(const QString& output)
{
    const QFileInfo info(output);
    const QString dot = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    const QRegularExpression numbered(
        QStringLiteral("^%1-(\\d+)%2$")
            .arg(QRegularExpression::escape(info.completeBaseName()), QRegularExpression::escape(dot)));
    QMap<int, QString> written;
    for (const QString& name : info.dir().entryList(QDir::Files)) {
        const QRegularExpressionMatch match = numbered.match(name);
        if (match.hasMatch())
            written.insert(match.captured(1).toInt(), name);
    }
    if (written.isEmpty())
        return output;
    if (written.size() == 1) {
        // One frame: named as a picture of one frame would be.
        const QString lone = info.dir().filePath(written.first());
        return QFile::rename(lone, output) ? output : lone;
    }
    const int width = QString::number(written.lastKey() + 1).size();
    const auto target = [&](int index) {
        return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') +
                                   QStringLiteral("%1").arg(index + 1, width, 10, QLatin1Char('0')) + dot);
    };
    // From the last down: each new name is free by then, its old owner already moved on.
    for (auto it = written.end(); it != written.begin();) {
        --it;
        const QString from = info.dir().filePath(it.value());
        if (from != target(it.key()) && !QFile::rename(from, target(it.key())))
            return info.dir().filePath(written.first());
    }
    return target(written.firstKey());
}

bool OutputNamer::resultExists(const QString& output, const QDateTime& since)
{
    // File times may be coarser than the clock: allow for a second of rounding.
    const QDateTime after = since.addSecs(-1);
    const QFileInfo info(output);
    if (info.isFile() && info.size() > 0 && info.lastModified() >= after)
        return true;
    const QString pattern =
        QStringLiteral("^%1-\\d+%2$")
            .arg(QRegularExpression::escape(info.completeBaseName()),
                 QRegularExpression::escape(info.suffix().isEmpty() ? QString()
                                                                    : QStringLiteral(".") + info.suffix()));
    const QRegularExpression numbered(pattern);
    const QFileInfoList entries = info.dir().entryInfoList(QDir::Files);
    for (const QFileInfo& entry : entries) {
        if (numbered.match(entry.fileName()).hasMatch() && entry.lastModified() >= after)
            return true;
    }
    return false;
}

void OutputNamer::releaseIfEmpty(const QString& output)
{
    const QFileInfo info(output);
    if (info.isFile() && info.size() == 0)
        QFile::remove(output);
}

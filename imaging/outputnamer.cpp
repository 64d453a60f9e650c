#include "imaging/outputnamer.h"

#include "platform/partialoutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace {

QString candidate(const QString& stem, int attempt)
{
    return attempt == 0 ? stem : stem + QStringLiteral("_%1").arg(attempt + 1);
}

// "<base>-<n>.<suffix>" beside the output, by n: the frames or pages ImageMagick writes as files.
QMap<int, QString> numberedNames(const QFileInfo& info)
{
    const QString dot = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    const QRegularExpression numbered(
        QStringLiteral("^%1-(\\d+)%2$")
            .arg(QRegularExpression::escape(info.completeBaseName()), QRegularExpression::escape(dot)));
    QMap<int, QString> written;
    for (const QString& name : info.dir().entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = numbered.match(name);
        if (match.hasMatch())
            written.insert(match.captured(1).toInt(), name);
    }
    return written;
}
} // namespace

QString OutputNamer::claimFile(const QString& partial, const QString& folder, const QString& base,
                               const QString& suffix, const QString& stamp, int row)
{
    const QString dot = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    const QString first = folder + QLatin1Char('/') + base;
    const QString stem = first + QLatin1Char('_') + stamp + QString::number(row);
    return PartialOutput::claim(
        partial, [&](int attempt) { return (attempt == 0 ? first : candidate(stem, attempt - 1)) + dot; });
}

QString OutputNamer::claimFolder(const QString& partial, const QString& folder, const QString& base,
                                 const QString& stamp, int row)
{
    return claimFile(partial, folder, base, QString(), stamp, row);
}

QString OutputNamer::numberFromOne(const QString& output)
{
    const QFileInfo info(output);
    const QString dot = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    const QMap<int, QString> written = numberedNames(info);
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
    for (const QString& name : numberedNames(info)) {
        if (QFileInfo(info.dir().filePath(name)).lastModified() >= after)
            return true;
    }
    return false;
}

QStringList OutputNamer::numberedFiles(const QString& output)
{
    const QFileInfo info(output);
    QStringList paths;
    for (const QString& name : numberedNames(info))
        paths << info.dir().filePath(name);
    return paths;
}

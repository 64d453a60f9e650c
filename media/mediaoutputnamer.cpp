#include "media/mediaoutputnamer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

MediaOutputNamer::MediaOutputNamer(const QString& outputDirectory, const QDateTime& start)
    : m_directory(QDir::cleanPath(QFileInfo(outputDirectory).absoluteFilePath())),
      m_stamp(start.toString(QStringLiteral("ddhhmmss")))
{
}

QString MediaOutputNamer::claim(const QString& base, const QString& suffix, int row, QString* reason) const
{
    const QString dot = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    const QString stem = m_directory + QLatin1Char('/') + base;
    const QString stamped = stem + QLatin1Char('_') + m_stamp + QString::number(row);
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        QString path = attempt == 0 ? stem : stamped;
        if (attempt > 1)
            path += QStringLiteral("_%1").arg(attempt);
        path += dot;
        switch (claimPath(path)) {
        case Claimed:
            return path;
        case Unwritable:
            *reason = QStringLiteral("cannot write ") + path;
            return QString();
        case Taken:
            break;
        }
    }
    *reason = QStringLiteral("no free output name in ") + m_directory;
    return QString();
}

MediaOutputNamer::Claim MediaOutputNamer::claimPath(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Claimed;
    // A dangling link counts as taken too: writing through it would create a file elsewhere.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink() ? Taken : Unwritable;
}

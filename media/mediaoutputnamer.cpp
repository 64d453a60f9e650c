#include "media/mediaoutputnamer.h"

#include "platform/partialoutput.h"

#include <QDir>
#include <QFileInfo>

MediaOutputNamer::MediaOutputNamer(const QString& outputDirectory, const QDateTime& start)
    : m_directory(QDir::cleanPath(QFileInfo(outputDirectory).absoluteFilePath())),
      m_stamp(start.toString(QStringLiteral("ddhhmmss")))
{
}

QString MediaOutputNamer::partial(const QString& suffix, QString* reason) const
{
    const QString path = PartialOutput::createFile(m_directory, suffix);
    if (path.isEmpty())
        *reason = QStringLiteral("cannot write in ") + m_directory;
    return path;
}

QString MediaOutputNamer::claim(const QString& partial, const QString& base, const QString& suffix, int row,
                                QString* reason) const
{
    const QString dot = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    const QString stem = m_directory + QLatin1Char('/') + base;
    const QString stamped = stem + QLatin1Char('_') + m_stamp + QString::number(row);
    const QString path = PartialOutput::claim(partial, [&](int attempt) {
        QString candidate = attempt == 0 ? stem : stamped;
        if (attempt > 1)
            candidate += QStringLiteral("_%1").arg(attempt);
        return candidate + dot;
    });
    if (path.isEmpty())
        *reason = QStringLiteral("no free output name in ") + m_directory;
    return path;
}

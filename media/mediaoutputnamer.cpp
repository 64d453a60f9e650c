#include "media/mediaoutputnamer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

MediaOutputNamer::MediaOutputNamer(const QString& outputDirectory, const QDateTime& start)
    : m_directory(QDir::cleanPath(QFileInfo(outputDirectory).absoluteFilePath())), m_stamp(start)
{
}

QString MediaOutputNamer::prefix() const
{
    return m_directory + QLatin1Char('/') + m_stamp.toString(QStringLiteral("ddhhmmss")) + QLatin1Char('_');
}

void MediaOutputNamer::advance()
{
    m_stamp = m_stamp.addSecs(1);
}

MediaOutputNamer::Claim MediaOutputNamer::claim(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Claimed;
    // A dangling link counts as taken too: writing through it would create a file elsewhere.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink() ? Taken : Unwritable;
}

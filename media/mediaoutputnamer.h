#pragma once

#include <QDateTime>
#include <QString>

// The run's output prefix, "<dir>/<ddhhmmss>_". The stamp repeats every month and two runs can
// start in the same second, so a name is only used once it has been claimed on disk; when it is
// taken, the stamp moves on by a second and stays there for the rest of the run.
class MediaOutputNamer final
{
public:
    MediaOutputNamer(const QString& outputDirectory, const QDateTime& start);

    QString prefix() const;
    void advance();

    enum Claim
    {
        Claimed,
        Taken,
        Unwritable
    };
    // Creates the file empty and exclusively, so no other run and no earlier file can own it.
    static Claim claim(const QString& path);

    static constexpr int kMaxAttempts = 1000;

private:
    QString m_directory;
    QDateTime m_stamp;
};

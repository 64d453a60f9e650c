#pragma once

#include <QDateTime>
#include <QString>

// Output names after their sources: "<dir>/<base>.<suffix>", and when that is taken
// "<dir>/<base>_<ddhhmmss><row>.<suffix>" (the run's start), then with "_2", "_3" ... A name is
// only used once it has been claimed on disk, so no run and no earlier file is ever overwritten.
class MediaOutputNamer final
{
public:
    MediaOutputNamer(const QString& outputDirectory, const QDateTime& start);

    // The claimed path, empty (with the reason) when none could be had.
    QString claim(const QString& base, const QString& suffix, int row, QString* reason) const;
    QString directory() const { return m_directory; }

    enum Claim
    {
        Claimed,
        Taken,
        Unwritable
    };
    // Creates the file empty and exclusively, so no other run and no earlier file can own it.
    static Claim claimPath(const QString& path);

    static constexpr int kMaxAttempts = 1000;

private:
    QString m_directory;
    QString m_stamp;
};

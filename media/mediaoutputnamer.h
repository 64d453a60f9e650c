#pragma once

#include <QDateTime>
#include <QString>

// Output names after their sources: "<dir>/<base>.<suffix>", and when that is taken
// "<dir>/<base>_<ddhhmmss><row>.<suffix>" (the run's start), then with "_2", "_3" ... A run writes
// under a hidden partial name and claims the final one by a rename that never replaces anything,
// so no run and no earlier file is ever overwritten and no half-written file carries the name.
class MediaOutputNamer final
{
public:
    MediaOutputNamer(const QString& outputDirectory, const QDateTime& start);

    // A new hidden partial file in the output folder, empty (with the reason) when none could be made.
    QString partial(const QString& suffix, QString* reason) const;
    // Moves the finished partial to its final name and returns it; empty (with the reason) when
    // none could be had, and partial is then still there.
    QString claim(const QString& partial, const QString& base, const QString& suffix, int row,
                  QString* reason) const;
    QString directory() const { return m_directory; }

private:
    QString m_directory;
    QString m_stamp;
};

#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// An output is written under a hidden name of our own in its folder and takes its final name only
// once it is whole, so no half-written or empty file ever carries a name a user would open. The
// hidden name keeps the real suffix last: ffmpeg and ImageMagick choose the format by it.
class PartialOutput final
{
public:
    // ".chengying-unfinished-<pid>-<8 letters or digits>", then ".<suffix>" when there is one. The pid
    // is the writer's: a partial output of a live process is never taken for a stale one.
    static QString prefix();
    static bool isPartialName(const QString& fileName);
    // The pid a partial name carries; 0 when it is not one of ours.
    static qint64 ownerOf(const QString& fileName);

    // A new hidden file (created empty, exclusively) or folder in folder; empty when the folder
    // cannot take one.
    static QString createFile(const QString& folder, const QString& suffix);
    static QString createFolder(const QString& folder, const QString& suffix = QString());

    enum class Move
    {
        Moved,
        Taken,
        Failed
    };
    // Renames from to to unless something is at to already, which is never replaced.
    static Move moveNoReplace(const QString& from, const QString& to);

    // Gives partial the first free name of candidate(0), candidate(1) ...; empty when none could
    // be had (partial is then still there).
    static constexpr int kMaxAttempts = 1000;
    static QString claim(const QString& partial, const std::function<QString(int)>& candidate);

    // Removes files and folders of our pattern directly in folder that were last written before
    // `before` by a process that is gone; returns how many went. Nothing else is touched.
    static int removeStale(const QString& folder, const QDateTime& before);

    // For tests: the fallback used where the filesystem refuses an exclusive rename.
    static Move moveByLink(const QString& from, const QString& to);
};

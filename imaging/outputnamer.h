#pragma once

#include <QDateTime>
#include <QString>

// Picks output names so that no two jobs, of one batch or of two, ever write the same path.
// A name is claimed by creating it exclusively (a file, or a folder for the sub-folder rule).
class OutputNamer final
{
public:
    // folder/base.suffix, else folder/base_<stamp><row>.suffix, else that with "_2", "_3" ...
    // The returned file exists (empty) and belongs to the caller; empty when none could be made.
    static QString claimFile(const QString& folder, const QString& base, const QString& suffix,
                             const QString& stamp, int row);
    // folder/base, else folder/base_<stamp><row>, else with "_2" ...; the folder is created.
    static QString claimFolder(const QString& folder, const QString& base, const QString& stamp, int row);
    // Whether the tool left a result: the file itself with content, or the numbered files
    // ImageMagick writes for the frames or pages of a multi-frame result (base-0.png ...).
    // Only files written at or after `since` count.
    static bool resultExists(const QString& output, const QDateTime& since);
    // ImageMagick numbers the frames or pages it writes apart from 0 and without padding
    // (report-0.jpg, report-1.jpg, report-10.jpg ...), which file managers sort out of reading
    // order. Renames them report-01.jpg ... report-19.jpg: from 1, with as many digits as the last
    // number needs. A lone numbered file becomes output itself. Returns the first, or output
    // itself when ImageMagick wrote no numbered file.
    static QString numberFromOne(const QString& output);
    // Removes a claimed name that the tool left empty.
    static void releaseIfEmpty(const QString& output);

private:
    static bool createExclusively(const QString& path);
};

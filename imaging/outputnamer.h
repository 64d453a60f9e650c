#pragma once

#include <QDateTime>
#include <QString>

// Picks output names so that no two jobs, of one batch or of two, ever write the same path.
// A job writes under a hidden partial name (PartialOutput) and claims its final name only when
// done, by a rename that never replaces anything.
class OutputNamer final
{
public:
    // Moves the finished partial to folder/base.suffix, else folder/base_<stamp><row>.suffix,
    // else that with "_2", "_3" ...; returns the name taken, empty when none could be had.
    static QString claimFile(const QString& partial, const QString& folder, const QString& base,
                             const QString& suffix, const QString& stamp, int row);
    // The same for a partial folder: folder/base, else folder/base_<stamp><row>, else with "_2" ...
    static QString claimFolder(const QString& partial, const QString& folder, const QString& base,
                               const QString& stamp, int row);
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
    // The numbered files ImageMagick wrote beside output (output-0.png ...), in order.
    static QStringList numberedFiles(const QString& output);
};

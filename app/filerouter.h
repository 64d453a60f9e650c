#pragma once

#include <QMap>
#include <QStringList>
#include <QVector>

// Which page takes a file given from outside the window: on the command line, by the file
// manager's "Open with", or handed over by a second start.
class FileRouter final
{
public:
    struct Routes
    {
        // Tools in the order of their first file; the first one is the page to show.
        QVector<int> tools;
        QMap<int, QStringList> files;
        // Files no page takes.
        int skipped = 0;
    };

    // A tool of the tool table, or -1.
    static int toolFor(const QString& path);
    // Folders contribute the regular files directly inside them, as a drop does.
    static Routes route(const QStringList& paths);
    // Command-line words to absolute paths: every word is a file, whatever it begins with.
    static QStringList absolutePaths(const QStringList& words, const QString& workingDir);
};

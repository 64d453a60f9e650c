#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Where the application finds its tools and keeps its scratch files.
class AppPaths final
{
public:
    // The folder of the executable, unless a test pointed it elsewhere.
    static QString appDir();
    static void setAppDirForTesting(const QString& dir);

    // "temp" under the application folder when it is writable, else a per-user cache folder.
    static QString tempRoot();
    // A fresh folder below tempRoot() that belongs to one run only; empty when it cannot be made.
    static QString makeRunTempDir(const QString& purpose);

    static QString desktopDir();
    static QString defaultOutputDir();
    // The folders the program writes to before the user picks any: the picture pages' and the
    // media pages' default output folders and tempRoot().
    static QStringList knownWriteFolders();
    // Partial outputs and run folders that a killed run left in knownWriteFolders().
    static int removeStalePartials(const QDateTime& processStart);
    // Also the default output folder's name, in every language.
    static QString appName();
    // The name in the window's title, in the user's language.
    static QString displayName();
    static QString versionText();
};

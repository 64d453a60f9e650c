#include "platform/apppaths.h"

#include "platform/partialoutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString& appDirOverride()
{
    static QString dir;
    return dir;
}

bool isWritableDir(const QString& path)
{
    QDir().mkpath(path);
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}
} // namespace

QString AppPaths::appDir()
{
    if (!appDirOverride().isEmpty())
        return appDirOverride();
    return QCoreApplication::applicationDirPath();
}

void AppPaths::setAppDirForTesting(const QString& dir)
{
    appDirOverride() = dir;
}

QString AppPaths::tempRoot()
{
    const QString inApp = appDir() + QStringLiteral("/temp");
    if (isWritableDir(inApp))
        return inApp;
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath() + QStringLiteral("/chengying");
    const QString perUser = cache + QStringLiteral("/temp");
    QDir().mkpath(perUser);
    return perUser;
}

QString AppPaths::makeRunTempDir(const QString& purpose)
{
    // The caller owns the folder and removes it when its run ends; one a killed run left is
    // removed at the next start, as partial outputs are.
    return PartialOutput::createFolder(tempRoot(), purpose);
}

QString AppPaths::desktopDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString AppPaths::defaultOutputDir()
{
    return desktopDir() + QLatin1Char('/') + appName();
}

QStringList AppPaths::knownWriteFolders()
{
    return {defaultOutputDir(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            tempRoot()};
}

int AppPaths::removeStalePartials(const QDateTime& processStart)
{
    int removed = 0;
    for (const QString& folder : knownWriteFolders())
        removed += PartialOutput::removeStale(folder, processStart);
    return removed;
}

QString AppPaths::displayName()
{
    return QCoreApplication::translate("AppPaths", "澄影HEIC图片转换器");
}

QString AppPaths::appName()
{
    return QStringLiteral("澄影HEIC图片转换器");
}

QString AppPaths::versionText()
{
    return QStringLiteral("6.0.0.1");
}

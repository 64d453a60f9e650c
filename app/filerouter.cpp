#include "app/filerouter.h"

#include "app/tooltable.h"
#include "framework/fileintake.h"
#include "imaging/extensionlists.h"
#include "media/mediaextensionlists.h"
#include "platform/logcategories.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

int FileRouter::toolFor(const QString& path)
{
    // HEIC and RAW before all pictures, which holds both.
    const std::pair<const QStringList*, int> order[] = {
        {&ExtensionLists::heic(), ToolTable::Heic},
        {&ExtensionLists::raw(), ToolTable::Raw},
        {&ExtensionLists::allPictures(), ToolTable::Format},
        {&ExtensionLists::pdf(), ToolTable::PdfToImg},
        {&MediaExtensionLists::videoFormat(), ToolTable::VideoFormat},
        {&MediaExtensionLists::audioFormat(), ToolTable::AudioFormat},
    };
    for (const auto& [list, tool] : order) {
        if (FileIntake::accepts(path, *list))
            return tool;
    }
    return -1;
}

FileRouter::Routes FileRouter::route(const QStringList& paths)
{
    Routes routes;
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            files << FileIntake::folderFiles(path);
        else if (info.isFile())
            files << path;
        else
            qCWarning(lcApp) << "no such file:" << path;
    }
    for (const QString& file : qAsConst(files)) {
        const int tool = toolFor(file);
        if (tool < 0) {
            ++routes.skipped;
            continue;
        }
        if (!routes.files.contains(tool))
            routes.tools << tool;
        routes.files[tool] << file;
    }
    return routes;
}

QStringList FileRouter::absolutePaths(const QStringList& words, const QString& workingDir)
{
    const QDir base(workingDir);
    QStringList paths;
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        // Some launchers hand over URLs even for %F; a real file of that name wins.
        QString path = word;
        if (word.startsWith(QLatin1String("file://")) && !QFileInfo::exists(base.absoluteFilePath(word)))
            path = QUrl(word).toLocalFile();
        paths << QDir::cleanPath(base.absoluteFilePath(path));
    }
    return paths;
}

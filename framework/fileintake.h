#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

// Which paths a page takes in, from a dialog, a folder or a drop.
class FileIntake final
{
public:
    // Suffix after the last dot, lower-cased, equal to an entry of the list.
    static bool accepts(const QString& path, const QStringList& extensions);
    // The drag-enter rule: an entry ending with the suffix accepts the drag, so a file
    // without suffix matches everything; a folder is judged by its regular files.
    static bool acceptsDrag(const QList<QUrl>& urls, const QStringList& extensions);
    // Regular files directly inside a folder, not recursive.
    static QStringList folderFiles(const QString& folder);
    // Local paths of a drop, folders replaced by the regular files directly inside them.
    static QStringList expandDrop(const QList<QUrl>& urls);
    // What a page says once when files it cannot take were left out.
    static QString skipNotice(int skipped);
    // "*.a *.b " as the file dialog's pattern list.
    static QString nameFilter(const QStringList& extensions);

private:
    static bool suffixEndsAnEntry(const QString& path, const QStringList& extensions);
};

#pragma once

#include <QStringList>

// Lower-case suffixes, without dot, that each media page accepts, in its file dialog's order.
class MediaExtensionLists final
{
public:
    static const QStringList& videoFormat();
    static const QStringList& videoCompression();
    static const QStringList& audioFormat();
    // The slicing and to-GIF pages.
    static const QStringList& videoEditing();
    static const QStringList& videoConcat();
};

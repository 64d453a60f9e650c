#pragma once

#include <QByteArray>
#include <QString>

// What ImageMagick 6 cannot tell us about a HEIC file: its HEIC reader drops the alpha plane
// and the colour profile.
class HeicInspector final
{
public:
    // Whether the file's metadata declares an alpha auxiliary image.
    static bool hasAlpha(const QString& path);
    // The same test over the leading bytes of a file.
    static bool declaresAlpha(const QByteArray& head);
    // The ICC profile of the primary picture, as libheif reads it; empty when the file has none
    // (or only an nclx colour description) or cannot be read.
    static QByteArray iccProfile(const QString& path);
};

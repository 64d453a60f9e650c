#pragma once

#include <QString>
#include <QVector>

// Output format codes of the picture engine; the format combo boxes carry them as item data.
enum class ImgFormat
{
    Jpg = 0,
    Jpeg = 1,
    Png = 2,
    Bmp = 3,
    Tif = 4,
    Tiff = 5,
    Webp = 6,
    Tga = 7,
    Gif = 8,
    KeepSource = 50
};

// The one table from format code to suffix and to the label a combo box shows.
class ImgFormats final
{
public:
    struct Entry
    {
        ImgFormat format;
        QString suffix;
        QString label;
    };

    // Every code with a suffix of its own, in code order.
    static const QVector<Entry>& table();
    static const Entry* find(ImgFormat format);
    // Empty for KeepSource and for a code outside the table.
    static QString suffix(ImgFormat format);
    // KeepSource gives the source's own lower-case suffix.
    static QString suffixFor(ImgFormat format, const QString& sourcePath);
    // A raw code as it arrives at the runner's boundary.
    static ImgFormat fromCode(int code);
};

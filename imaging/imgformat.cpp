#include "imaging/imgformat.h"

#include <QFileInfo>

const QVector<ImgFormats::Entry>& ImgFormats::table()
{
    static const QVector<Entry> entries{
        {ImgFormat::Jpg, QStringLiteral("jpg"), QStringLiteral("JPG")},
        {ImgFormat::Jpeg, QStringLiteral("jpeg"), QStringLiteral("JPEG")},
        {ImgFormat::Png, QStringLiteral("png"), QStringLiteral("PNG")},
        {ImgFormat::Bmp, QStringLiteral("bmp"), QStringLiteral("BMP")},
        {ImgFormat::Tif, QStringLiteral("tif"), QStringLiteral("TIF")},
        {ImgFormat::Tiff, QStringLiteral("tiff"), QStringLiteral("TIFF")},
        {ImgFormat::Webp, QStringLiteral("webp"), QStringLiteral("WEBP")},
        {ImgFormat::Tga, QStringLiteral("tga"), QStringLiteral("TGA")},
        {ImgFormat::Gif, QStringLiteral("gif"), QStringLiteral("GIF")},
    };
    return entries;
}

const ImgFormats::Entry* ImgFormats::find(ImgFormat format)
{
    for (const Entry& entry : table()) {
        if (entry.format == format)
            return &entry;
    }
    return nullptr;
}

QString ImgFormats::suffix(ImgFormat format)
{
    const Entry* entry = find(format);
    return entry ? entry->suffix : QString();
}

QString ImgFormats::suffixFor(ImgFormat format, const QString& sourcePath)
{
    return format == ImgFormat::KeepSource ? QFileInfo(sourcePath).suffix().toLower() : suffix(format);
}

ImgFormat ImgFormats::fromCode(int code)
{
    return static_cast<ImgFormat>(code);
}

#include "imaging/imgrecipes.h"

#include <QFileInfo>

namespace {
bool endsWithAny(const QString& text, std::initializer_list<const char*> suffixes)
{
    for (const char* suffix : suffixes) {
        if (text.endsWith(QLatin1String(suffix)))
            return true;
    }
    return false;
}

// A size edit left empty arrives as -1, one holding 0 as 0: both leave the axis to the ratio.
bool isSet(int size)
{
    return size > 0;
}

QStringList whiteBackground()
{
    return {QStringLiteral("-background"), QStringLiteral("white"), QStringLiteral("-alpha"),
            QStringLiteral("remove")};
}
} // namespace

QStringList ImgRecipes::resize(int width, int height)
{
    if (isSet(width) && isSet(height))
        return {QStringLiteral("-resize"), QStringLiteral("%1x%2!").arg(width).arg(height)};
    if (isSet(width))
        return {QStringLiteral("-resize"), QString::number(width)};
    if (isSet(height))
        return {QStringLiteral("-resize"), QStringLiteral("x") + QString::number(height)};
    return {};
}

ImgRecipes::Conversion ImgRecipes::Conversion::from(const ImgJobParams& params, const QString& source,
                                                    const QRect& crop, const QString& outputSuffix,
                                                    const QString& output)
{
    Conversion c;
    c.source = source;
    c.level = params.level;
    c.width = params.width;
    c.height = params.height;
    c.rotate = params.rotate;
    c.flop = params.flop;
    c.flip = params.flip;
    c.crop = crop;
    c.outputSuffix = outputSuffix;
    c.output = output;
    return c;
}

QStringList ImgRecipes::general(const Conversion& c)
{
    const QString lowerSource = c.source.toLower();
    // The picture as a viewer shows it, before any edit: turned by its EXIF or TIFF orientation,
    // and written with orientation 1.
    QStringList args{c.source, QStringLiteral("-auto-orient")};
    // Given before any edit, -profile assigns: the pixels stay as decoded.
    if (!c.profile.isEmpty())
        args << QStringLiteral("-profile") << c.profile;
    const QStringList sizing = resize(c.width, c.height);
    const bool edits = !sizing.isEmpty() || !c.rotate.isEmpty() || c.flop || c.flip || c.crop.x() != -1;
    // Frames after the first of an optimised animation hold only what changed; edited, or
    // written as pictures of their own, they must be whole frames first.
    const bool keepsAnimation =
        c.outputSuffix == QLatin1String("gif") || c.outputSuffix == QLatin1String("webp");
    const bool coalesce = endsWithAny(lowerSource, {"gif", "webp"}) && (edits || !keepsAnimation);
    if (coalesce)
        args << QStringLiteral("-coalesce");
    if (c.level != -1)
        args << QStringLiteral("-quality") << QString::number(c.level) + QLatin1Char('%');
    // A PSD's layers make one picture; the pages of a TIFF or the icons of an ICO do not.
    const bool psd = lowerSource.endsWith(QLatin1String("psd"));
    const bool pages = c.sourcePages > 1 && !psd;
    if (psd || (endsWithAny(lowerSource, {"tif", "tiff"}) && !pages))
        args << QStringLiteral("-layers") << QStringLiteral("flatten");
    args << sizing;
    if (!c.rotate.isEmpty())
        args << QStringLiteral("-rotate") << c.rotate;
    if (c.flop)
        args << QStringLiteral("-flop");
    if (c.flip)
        args << QStringLiteral("-flip");
    if (c.crop.x() != -1)
        args << QStringLiteral("-crop")
             << QStringLiteral("%1x%2+%3+%4")
                    .arg(c.crop.width())
                    .arg(c.crop.height())
                    .arg(c.crop.x())
                    .arg(c.crop.y())
             // The cut keeps the source's canvas as its page: a GIF would show the piece on the
             // whole picture's blank canvas, a PNG would carry the offset.
             << QStringLiteral("+repage");
    const bool toJpeg = c.outputSuffix == QLatin1String("jpg") || c.outputSuffix == QLatin1String("jpeg");
    if (endsWithAny(lowerSource, {"png", "bmp"}) && toJpeg)
        args << whiteBackground();
    if (coalesce && c.outputSuffix == QLatin1String("gif"))
        args << QStringLiteral("-layers") << QStringLiteral("optimize");
    // Pages are pictures of their own: numbered files, except in a TIFF, which keeps them as pages.
    if (pages && !c.outputSuffix.startsWith(QLatin1String("tif")))
        args << QStringLiteral("+adjoin");
    args << magickOutput(c.output, c.numbered);
    return args;
}

QStringList ImgRecipes::png(const QString& input, int level, const QString& output)
{
    QStringList args{input};
    // A lone number is pngquant's minimum: a photo that cannot reach it is refused (exit 99,
    // nothing written, nothing said). As the upper end of a range from 0 it is the quality
    // to aim for with as few colours as reach it, and a picture is never refused.
    if (level != -1)
        args << QStringLiteral("--quality") << QStringLiteral("0-") + QString::number(level);
    args << QStringLiteral("--output") << output;
    return args;
}

QStringList ImgRecipes::gif(const QString& input, int level, int width, int height, const QString& output)
{
    QStringList args{input, QStringLiteral("-O3")};
    if (level != -1)
        args << QStringLiteral("--colors=") + QString::number(level);
    // gifsicle's --resize is exact already; "WxH!" is "invalid dimensions" to it.
    if (isSet(width) && isSet(height))
        args << QStringLiteral("--resize") << QStringLiteral("%1x%2").arg(width).arg(height);
    else if (isSet(width))
        args << QStringLiteral("--resize-fit-width") << QString::number(width);
    else if (isSet(height))
        args << QStringLiteral("--resize-fit-height") << QString::number(height);
    args << QStringLiteral("-o") << output;
    return args;
}

QString ImgRecipes::pngquantFailure(int exitCode)
{
    // pngquant's exit codes (rwpng.h).
    switch (exitCode) {
    case 2:
        return QStringLiteral("pngquant could not read the picture");
    case 15:
        return QStringLiteral("pngquant would not write over an existing file");
    case 16:
        return QStringLiteral("pngquant could not write the result");
    case 17:
    case 24:
        return QStringLiteral("pngquant ran out of memory");
    case 25:
    case 26:
        return QStringLiteral("pngquant cannot handle this PNG");
    case 98:
        return QStringLiteral("pngquant: the result would be larger than the original");
    case 99:
        return QStringLiteral("pngquant: the picture cannot keep the quality asked");
    default:
        return QStringLiteral("pngquant exited with code %1 and wrote nothing").arg(exitCode);
    }
}

FailureKind ImgRecipes::pngquantFailureKind(int exitCode)
{
    switch (exitCode) {
    case 2:
    case 25:
    case 26:
        return FailureKind::SourceUnreadable;
    case 16:
        return FailureKind::OutputNotWritable;
    case 17:
    case 24:
        return FailureKind::LimitsExceeded;
    case 98:
    case 99:
        return FailureKind::TargetUnreachable;
    default:
        return FailureKind::ToolFailed;
    }
}

QString ImgRecipes::density(int definition)
{
    switch (definition) {
    case 0:
        return QStringLiteral("220");
    case 1:
        return QStringLiteral("150");
    default:
        return QStringLiteral("100");
    }
}

QStringList ImgRecipes::pdf(const QString& source, int definition, bool joinPages,
                            const QString& outputSuffix, const QString& output, bool pagesApart)
{
    QStringList args{QStringLiteral("-density"), density(definition), source};
    if (QStringList({"jpg", "jpeg", "bmp", "png"}).contains(outputSuffix))
        args << whiteBackground();
    if (joinPages)
        args << QStringLiteral("-append");
    args << magickOutput(output, pagesApart);
    return args;
}

QString ImgRecipes::magickOutput(const QString& path, bool numbered)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!numbered)
        return escaped;
    const QFileInfo info(escaped);
    const int dot = info.fileName().lastIndexOf(QLatin1Char('.'));
    const int at = dot < 0 ? escaped.size() : escaped.size() - info.fileName().size() + dot;
    return escaped.insert(at, QStringLiteral("-%d"));
}

bool ImgRecipes::framesApart(const QString& source, int sourcePages, const QString& outputSuffix)
{
    const QString lower = source.toLower();
    if (endsWithAny(lower, {"tif", "tiff", "ico"}))
        return sourcePages > 1 && !outputSuffix.startsWith(QLatin1String("tif"));
    if (endsWithAny(lower, {"gif", "webp"}))
        return !QStringList({"gif", "webp", "tif", "tiff"}).contains(outputSuffix);
    return false;
}

QString ImgRecipes::baseName(const QString& sourcePath, bool firstDot)
{
    const QString name = QFileInfo(sourcePath).fileName();
    const int dot = firstDot ? name.indexOf(QLatin1Char('.')) : name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool ImgRecipes::isMultiFrameSuffix(const QString& lowerSuffix)
{
    return QStringList({"psd", "tif", "tiff", "webp", "gif", "ico"}).contains(lowerSuffix);
}

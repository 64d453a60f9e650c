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

QStringList whiteBackground()
{
    return {QStringLiteral("-background"), QStringLiteral("white"), QStringLiteral("-alpha"),
            QStringLiteral("remove")};
}
} // namespace

QStringList ImgRecipes::resize(int width, int height)
{
    if (width != -1 && height != -1)
        return {QStringLiteral("-resize"), QStringLiteral("%1x%2!").arg(width).arg(height)};
    if (width != -1)
        return {QStringLiteral("-resize"), QString::number(width)};
    if (height != -1)
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
    QStringList args{c.source};
    if (c.level != -1)
        args << QStringLiteral("-quality") << QString::number(c.level) + QLatin1Char('%');
    if (endsWithAny(lowerSource, {"psd", "tif", "tiff"}))
        args << QStringLiteral("-layers") << QStringLiteral("flatten");
    args << resize(c.width, c.height);
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
                    .arg(c.crop.y());
    const bool toJpeg = c.outputSuffix == QLatin1String("jpg") || c.outputSuffix == QLatin1String("jpeg");
    if (endsWithAny(lowerSource, {"png", "bmp"}) && toJpeg)
        args << whiteBackground();
    args << c.output;
    return args;
}

QStringList ImgRecipes::png(const QString& input, int level, const QString& output)
{
    QStringList args{input};
    if (level != -1)
        args << QStringLiteral("--quality") << QString::number(level);
    args << QStringLiteral("--output") << output;
    return args;
}

QStringList ImgRecipes::gif(const QString& input, int level, int width, int height, const QString& output)
{
    QStringList args{input, QStringLiteral("-O3")};
    if (level != -1)
        args << QStringLiteral("--colors=") + QString::number(level);
    if (width != -1 && height != -1)
        args << QStringLiteral("--resize") << QStringLiteral("%1x%2!").arg(width).arg(height);
    else if (width != -1)
        args << QStringLiteral("--resize-fit-width") << QString::number(width);
    else if (height != -1)
        args << QStringLiteral("--resize-fit-height") << QString::number(height);
    args << QStringLiteral("-o") << output;
    return args;
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
                            const QString& outputSuffix, const QString& output)
{
    QStringList args{QStringLiteral("-density"), density(definition), source};
    if (QStringList({"jpg", "jpeg", "bmp", "png"}).contains(outputSuffix))
        args << whiteBackground();
    if (joinPages)
        args << QStringLiteral("-append");
    args << output;
    return args;
}

QString ImgRecipes::baseName(const QString& sourcePath, bool firstDot)
{
    const QString name = QFileInfo(sourcePath).fileName();
    const int dot = firstDot ? name.indexOf(QLatin1Char('.')) : name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool ImgRecipes::isMultiFrameSuffix(const QString& lowerSuffix)
{
    return QStringList({"psd", "tif", "tiff", "webp", "gif"}).contains(lowerSuffix);
}

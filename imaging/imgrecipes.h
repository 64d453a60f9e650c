#pragma once

#include "imaging/imgjob.h"

#include <QRect>
#include <QStringList>

// The argument lists of the picture tools, as pure functions of their inputs.
class ImgRecipes final
{
public:
    struct Conversion
    {
        QString source;
        int level = -1;
        int width = -1;
        int height = -1;
        QString rotate;
        bool flop = false;
        bool flip = false;
        // x == -1: no crop.
        QRect crop{-1, -1, -1, -1};
        QString outputSuffix;
        QString output;
        // Pictures in a TIFF or ICO source; several are kept apart rather than flattened.
        int sourcePages = 1;
        // An ICC profile file to give a source whose reader drops its own (HEIC).
        QString profile;

        // The job's edits from the batch parameters, for one source and output.
        static Conversion from(const ImgJobParams& params, const QString& source, const QRect& crop,
                               const QString& outputSuffix, const QString& output);
    };

    // ImageMagick: source, "-auto-orient", [profile], [coalesce], [quality], [flatten], [resize],
    // [rotate], [mirrors], [crop +repage], [white], [optimize], [+adjoin], output.
    static QStringList general(const Conversion& c);
    // "-resize" with "W", "xH" or "WxH!"; nothing when neither is set. 0 counts as not set.
    static QStringList resize(int width, int height);
    // pngquant: input, ["--quality" level], "--output", output.
    static QStringList png(const QString& input, int level, const QString& output);
    // gifsicle: input, "-O3", ["--colors=N"], [resize], "-o", output. 0 counts as not set.
    static QStringList gif(const QString& input, int level, int width, int height, const QString& output);
    // ImageMagick rendering a PDF: "-density" D, source, [white], ["-append"], output.
    static QStringList pdf(const QString& source, int definition, bool joinPages, const QString& outputSuffix,
                           const QString& output);
    static QString density(int definition);

    // The file name cut before its first or last dot; a name without dot is used whole.
    static QString baseName(const QString& sourcePath, bool firstDot);
    // Sources whose output goes into a sub-folder of its own.
    static bool isMultiFrameSuffix(const QString& lowerSuffix);
};

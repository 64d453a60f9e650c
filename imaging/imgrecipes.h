#pragma once

#include "imaging/imgjob.h"
#include "platform/jobfailure.h"

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
        // The frames or pages become files of their own, numbered base-0, base-1 ...
        bool numbered = false;

        // The job's edits from the batch parameters, for one source and output.
        static Conversion from(const ImgJobParams& params, const QString& source, const QRect& crop,
                               const QString& outputSuffix, const QString& output);
    };

    // ImageMagick: source, "-auto-orient", [profile], [coalesce], [quality], [flatten], [resize],
    // [rotate], [mirrors], [crop +repage], [white], [optimize], [+adjoin], output.
    static QStringList general(const Conversion& c);
    // "-resize" with "W", "xH" or "WxH!"; nothing when neither is set. 0 counts as not set.
    static QStringList resize(int width, int height);
    // pngquant: input, ["--quality" "0-"level], "--output", output.
    static QStringList png(const QString& input, int level, const QString& output);
    // gifsicle: input, "-O3", ["--colors=N"], [resize], "-o", output. 0 counts as not set;
    // width and height together are "--resize" "WxH", which gifsicle keeps exactly.
    static QStringList gif(const QString& input, int level, int width, int height, const QString& output);
    // ImageMagick rendering a PDF: "-density" D, source, [white], ["-append"], output; pages
    // written apart are numbered.
    static QStringList pdf(const QString& source, int definition, bool joinPages, const QString& outputSuffix,
                           const QString& output, bool pagesApart = false);
    static QString density(int definition);
    // Why pngquant failed, from its exit code alone: it often says nothing.
    static QString pngquantFailure(int exitCode);
    static FailureKind pngquantFailureKind(int exitCode);

    // An output path as ImageMagick must be given it: it reads "%d", "%o" ... in a name it writes
    // as numbering ("50%done.png" becomes "500one.png"), and "%%" as one "%". A "%" anywhere in
    // the path also stops it numbering several pictures by itself, so numbered outputs say how:
    // "base-%d.png".
    static QString magickOutput(const QString& path, bool numbered = false);
    // Whether the frames or pages of a source become pictures of their own in this format: the
    // format holds one picture (JPEG, PNG, BMP, TGA), or the pages of a TIFF or ICO are kept apart.
    static bool framesApart(const QString& source, int sourcePages, const QString& outputSuffix);
    // The file name cut before its first or last dot; a name without dot is used whole.
    static QString baseName(const QString& sourcePath, bool firstDot);
    // Sources whose output goes into a sub-folder of its own.
    static bool isMultiFrameSuffix(const QString& lowerSuffix);
};

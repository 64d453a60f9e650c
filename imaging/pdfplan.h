#pragma once

#include "imaging/pagecounter.h"

#include <QSize>
#include <QString>

// What rendering a PDF will ask of ImageMagick, judged before it starts: a long picture its
// format cannot hold, or pages past our policy's limits, fail with a reason instead of a
// half-written file after minutes of work.
class PdfPlan final
{
public:
    // As resources/config/ImageMagick/policy.xml sets them ("128KP" is 128000: SI prefixes).
    static constexpr qint64 kMaxSide = 128000;
    static constexpr qint64 kPixelCacheBytes = (2LL + 4LL + 8LL) << 30; // memory + map + disk
    // libjpeg stores 16-bit sides and refuses more than this.
    static constexpr qint64 kMaxJpegSide = 65500;

    // A page of `points` rendered at `density` dots per inch, as ImageMagick sizes it.
    static QSize pixelSize(const QSizeF& points, int density);
    // The joined picture: as wide as the widest page, as high as all of them.
    static QSize joinedSize(const PdfPages& pages, int density);
    // Why the document cannot be rendered so into a picture of this suffix; empty when it can.
    static QString problem(const PdfPages& pages, int density, bool joinPages, const QString& suffix);
    // The pages ImageMagick wrote for the output path it was given: numbered files beside it
    // (report-0.jpg ...), or the pages of the one TIFF file it keeps them in.
    static int writtenPages(const QString& output);
};

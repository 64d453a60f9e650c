#include "imaging/pdfplan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace {
// Q16 RGBA: four 16-bit samples a pixel in the pixel cache.
constexpr qint64 kBytesPerPixel = 8;
// pdfinfo prints any box a file declares. Past our limits a side is counted only this far, so
// that it stays an int and the sums over a hundred thousand pages stay within 64 bits.
constexpr double kCountedSide = 16.0 * PdfPlan::kMaxSide;

bool isJpeg(const QString& suffix)
{
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}
} // namespace

QSize PdfPlan::pixelSize(const QSizeF& points, int density)
{
    // ImageMagick: ceil(points * density / 72 - 0.5).
    const auto side = [density](qreal pt) {
        return int(qBound(0.0, std::ceil(pt * density / 72.0 - 0.5), kCountedSide));
    };
    return QSize(side(points.width()), side(points.height()));
}

QSize PdfPlan::joinedSize(const PdfPages& pages, int density)
{
    QSize joined(0, 0);
    for (const QSizeF& page : pages.sizes) {
        const QSize size = pixelSize(page, density);
        joined.setWidth(qMax(joined.width(), size.width()));
        joined.setHeight(int(qMin<qint64>(qint64(joined.height()) + size.height(), INT_MAX)));
    }
    return joined;
}

QString PdfPlan::problem(const PdfPages& pages, int density, bool joinPages, const QString& suffix)
{
    if (!pages.problem.isEmpty())
        return pages.problem;
    if (pages.sizes.isEmpty())
        return QStringLiteral("the PDF has no pages");
    qint64 cachePixels = 0;
    qint64 widest = 0;
    qint64 highest = 0;
    for (const QSizeF& page : pages.sizes) {
        const QSize size = pixelSize(page, density);
        cachePixels += qint64(size.width()) * size.height();
        widest = qMax<qint64>(widest, size.width());
        highest = qMax<qint64>(highest, size.height());
    }
    if (joinPages) {
        // Every page is read before they are joined: both are in the cache at once.
        const QSize joined = joinedSize(pages, density);
        const qint64 limit = isJpeg(suffix) ? kMaxJpegSide : kMaxSide;
        if (joined.height() > limit || joined.width() > limit)
            return QStringLiteral("the long picture would be %1x%2 pixels; %3 holds at most %4 a side")
                .arg(joined.width())
                .arg(joined.height())
                .arg(isJpeg(suffix) ? QStringLiteral("JPEG") : QStringLiteral("the converter"))
                .arg(limit);
        cachePixels += qint64(joined.width()) * joined.height();
    } else if (widest > kMaxSide || highest > kMaxSide ||
               (isJpeg(suffix) && qMax(widest, highest) > kMaxJpegSide)) {
        return QStringLiteral("a page would be larger than %1 pixels a side")
            .arg(isJpeg(suffix) ? kMaxJpegSide : kMaxSide);
    }
    if (cachePixels * kBytesPerPixel > kPixelCacheBytes)
        return QStringLiteral("the %1 pages at this quality need more memory than the converter may use; "
                              "choose a lower quality or split the document")
            .arg(pages.sizes.size());
    return QString();
}

int PdfPlan::writtenPages(const QString& output)
{
    const QFileInfo info(output);
    if (info.suffix().startsWith(QLatin1String("tif")) && info.isFile()) {
        QFile file(output);
        return file.open(QIODevice::ReadOnly) ? PageCounter::tiffPages(file) : 0;
    }
    if (info.isFile() && info.size() > 0)
        return 1;
    const QRegularExpression numbered(QStringLiteral("^%1-\\d+\\.%2$")
                                          .arg(QRegularExpression::escape(info.completeBaseName()),
                                               QRegularExpression::escape(info.suffix())));
    int count = 0;
    for (const QFileInfo& entry : info.dir().entryInfoList(QDir::Files)) {
        if (entry.size() > 0 && numbered.match(entry.fileName()).hasMatch())
            ++count;
    }
    return count;
}

// What pdfinfo -box printed, read into page sizes or a problem, and the plan made from them.
// The first byte says whether pdfinfo exited cleanly and at which density the pages render.
#include "fuzzinput.h"
#include "imaging/pagecounter.h"
#include "imaging/pdfplan.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool clean = data[0] & 1;
    const int density = 72 + (data[0] >> 1) * 9;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, static_cast<int>(size - 1));
    const PdfPages pages = PageCounter::parsePdfInfo(text, clean);
    require(pages.problem.isEmpty() != pages.sizes.isEmpty(), "either pages or a problem");
    for (const QSizeF& page : pages.sizes) {
        require(std::isfinite(page.width()) && std::isfinite(page.height()) && page.width() >= 0 &&
                    page.height() >= 0,
                "a page size is a finite size");
        const QSize pixels = PdfPlan::pixelSize(page, density);
        require(pixels.width() >= 0 && pixels.height() >= 0, "a page has a size in pixels");
    }
    for (const bool join : {false, true}) {
        for (const QString& suffix : {QStringLiteral("jpg"), QStringLiteral("png")}) {
            const QString problem = PdfPlan::problem(pages, density, join, suffix);
            require(pages.problem.isEmpty() || problem == pages.problem, "the reader's problem comes first");
        }
    }
    const QSize joined = PdfPlan::joinedSize(pages, density);
    require(joined.width() >= 0 && joined.height() >= 0, "a joined size is a size");
    return 0;
}

#include "tools/picture/crop/cropscale.h"

#include <QtGlobal>

#include <cmath>

namespace CropScale {
namespace {
const double kSteps[] = {0.1, 0.2, 0.3, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2, 2.5, 3, 3.5, 4};
// A factor within this of a step is that step: 0.3 shown is 0.3 chosen.
constexpr double kSame = 1e-9;

int up(double value)
{
    return int(std::ceil(value - kSame));
}
} // namespace

double fitScale(QSize picture, QSize area)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || (w <= area.width() && h <= area.height()))
        return 1;
    const double sx = double(area.width()) / w;
    const double sy = double(area.height()) / h;
    return int(sx * h) > area.height() ? sy : sx;
}

double zoomIn(double factor)
{
    for (double step : kSteps) {
        if (step > factor + kSame)
            return step;
    }
    return 4;
}

double zoomOut(double factor)
{
    for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it) {
        if (*it < factor - kSame)
            return *it;
    }
    return 0.1;
}

QSize displayed(QSize picture, double factor, bool clampToArea, QSize area)
{
    int w = up(picture.width() * factor);
    int h = up(picture.height() * factor);
    if (clampToArea) {
        w = qMin(w, area.width());
        h = qMin(h, area.height());
    }
    return {w, h};
}

QString percentText(double factor)
{
    return QString::number(int(factor * 100 + kSame)) + QLatin1Char('%');
}

QRect toSource(const QRect& box, double factor, QSize picture)
{
    const int left = qBound(0, up(box.x() / factor), picture.width());
    const int top = qBound(0, up(box.y() / factor), picture.height());
    // Rounding every value up may carry the far edge past the picture by a pixel or two.
    const int width = qMin(up(box.width() / factor), picture.width() - left);
    const int height = qMin(up(box.height() / factor), picture.height() - top);
    return {left, top, width, height};
}

QRect movedTo(const QRect& source, const QRect& box, QSize shown, double factor, QSize picture)
{
    // The box is drawn rounded up, so it meets the far edge a fraction of a pixel early.
    const auto corner = [factor](int near, int extent, int shownExtent, int last) {
        if (near <= 0)
            return 0;
        if (near + extent >= shownExtent)
            return last;
        return qBound(0, up(near / factor), last);
    };
    const int left = corner(box.x(), box.width(), shown.width(), qMax(0, picture.width() - source.width()));
    const int top =
        corner(box.y(), box.height(), shown.height(), qMax(0, picture.height() - source.height()));
    return {left, top, source.width(), source.height()};
}

QRect toDisplayed(const QRect& source, double factor)
{
    const int left = int(source.x() * factor);
    const int top = int(source.y() * factor);
    // The far edge rounds up, so the whole picture gives the whole displayed picture.
    const int right = up((source.x() + source.width()) * factor);
    const int bottom = up((source.y() + source.height()) * factor);
    return {left, top, right - left, bottom - top};
}
} // namespace CropScale

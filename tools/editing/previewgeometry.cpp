#include "tools/editing/previewgeometry.h"

namespace PreviewGeometry {
namespace {
int evenDown(int value)
{
    return value - value % 2;
}

int widthAtHeight(const QSize& source, int height)
{
    return int(source.width() * (double(height) / source.height()));
}
} // namespace

QSize fitted(const QSize& source, const QSize& area)
{
    if (source.width() <= 0 || source.height() <= 0)
        return {};
    const int widthAtAreaHeight = widthAtHeight(source, area.height());
    if (widthAtAreaHeight > area.width())
        return {area.width(), int(source.height() * (double(area.width()) / source.width()))};
    return {widthAtAreaHeight, area.height()};
}

QRect selectionToSource(const QRect& selection, const QSize& preview, const QSize& source)
{
    if (source.width() <= 0 || source.height() <= 0 || preview.width() <= 0 || preview.height() <= 0)
        return {};
    const int x = selection.x();
    const int y = selection.y();
    const int w = selection.width();
    const int h = selection.height();
    const QSize shown = fitted(source, preview);
    int outX, outY, outW, outH;
    if (widthAtHeight(source, preview.height()) > preview.width()) {
        // The picture fills the width, with bands above and below.
        const double scale = double(preview.width()) / source.width();
        const int top = (preview.height() - shown.height()) / 2;
        if (y > top + shown.height() || y + h < top)
            return {};
        const int visibleTop = qMax(y, top);
        const int visibleHeight = qMin(y + h, top + shown.height()) - visibleTop;
        outX = int(x / scale);
        outY = int((visibleTop - top) / scale);
        outW = w == preview.width() ? source.width() : evenDown(int(w / scale));
        outH = visibleHeight == shown.height() ? source.height() : evenDown(int(visibleHeight / scale));
    } else {
        // The picture fills the height, with bands left and right.
        const double scale = double(preview.height()) / source.height();
        const int left = (preview.width() - shown.width()) / 2;
        if (x > left + shown.width() || x + w < left)
            return {};
        const int visibleLeft = qMax(x, left);
        const int visibleWidth = qMin(x + w, left + shown.width()) - visibleLeft;
        outX = int((visibleLeft - left) / scale);
        outY = int(y / scale);
        outW = visibleWidth == shown.width() ? source.width() : evenDown(int(visibleWidth / scale));
        outH = h == preview.height() ? source.height() : evenDown(int(h / scale));
    }
    return {outX, outY, outW, outH};
}
} // namespace PreviewGeometry

#include "widgets/maskwt.h"

#include "style/palette.h"
#include "style/styledbackground.h"
#include "widgets/capturescreenwt.h"

#include <QPainter>

MaskWT::MaskWT(QWidget* parent) : RegionMaskWT(parent)
{
    setStyleSheet(QStringLiteral("MaskWT{border:0px;}"));
    adoptBox(new CaptureScreenWT(this));
}

CaptureScreenWT* MaskWT::captureScreen() const
{
    return static_cast<CaptureScreenWT*>(box());
}

void MaskWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
    QPainter painter(this);
    paintBands(painter, size(), boxRect(), Palette::color(Palette::kMaskBand));
}

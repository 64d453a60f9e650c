#include "widgets/capturescreenwt.h"

#include "style/palette.h"

CaptureScreenWT::CaptureScreenWT(QWidget* mask) : RegionBoxWT(videoLook(), mask)
{
    setStyleSheet(QStringLiteral("CaptureScreenWT{border:0px solid blue;}"));
}

RegionLook CaptureScreenWT::videoLook()
{
    return {20, 6, 20, 40, Palette::color(Palette::kRegionMark)};
}

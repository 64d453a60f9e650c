#include "widgets/capturescreenwt.h"

CaptureScreenWT::CaptureScreenWT(QWidget* mask) : RegionBoxWT(videoLook(), mask)
{
    setStyleSheet(QStringLiteral("CaptureScreenWT{border:0px solid blue;}"));
}

RegionLook CaptureScreenWT::videoLook()
{
    return {20, 6, 20, 40, QColor(255, 0, 0)};
}

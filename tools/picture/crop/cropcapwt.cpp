#include "tools/picture/crop/cropcapwt.h"

CropCapWT::CropCapWT(QWidget* mask) : RegionBoxWT(cropLook(), mask)
{
    setStyleSheet(QStringLiteral("CropCapWT{border:1px solid red;}"));
}

RegionLook CropCapWT::cropLook()
{
    return {8, 8, 8, 8, QColor(255, 0, 0)};
}

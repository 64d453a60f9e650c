#include "tools/picture/crop/cropcapwt.h"

#include "style/palette.h"
#include "style/stylesheet.h"

CropCapWT::CropCapWT(QWidget* mask) : RegionBoxWT(cropLook(), mask)
{
    setStyleSheet(StyleSheet::make("CropCapWT{border:1px solid @regionMark;}"));
}

RegionLook CropCapWT::cropLook()
{
    return {8, 8, 8, 8, Palette::color(Palette::kRegionMark)};
}

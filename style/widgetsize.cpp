#include "style/widgetsize.h"

namespace {
bool g_small = false;
}

void WidgetSize::setSmallScreen(bool small)
{
    g_small = small;
}

bool WidgetSize::isSmallScreen()
{
    return g_small;
}

QSize WidgetSize::pick(const QSize& small, const QSize& normal)
{
    return g_small ? small : normal;
}

QSize WidgetSize::mainWindow()
{
    return pick({1100, 730}, {1400, 900});
}
QSize WidgetSize::dropZoneIcon()
{
    return pick({64, 64}, {80, 80});
}
QSize WidgetSize::exportButton()
{
    return pick({35, 35}, {40, 40});
}
QSize WidgetSize::exportPathBox()
{
    return pick({100, 40}, {200, 45});
}
QSize WidgetSize::paramHeader()
{
    return pick({100, 45}, {200, 60});
}
QSize WidgetSize::comboBox()
{
    return pick({100, 35}, {200, 45});
}
QSize WidgetSize::gridSpacing()
{
    return pick({40, 10}, {45, 15});
}
QSize WidgetSize::titleBar()
{
    return pick({40, 45}, {45, 60});
}
QSize WidgetSize::toolIcon()
{
    return pick({24, 24}, {36, 36});
}
QSize WidgetSize::toolButton()
{
    return pick({115, 70}, {150, 90});
}
QSize WidgetSize::operButton()
{
    return pick({130, 40}, {150, 45});
}
QSize WidgetSize::rowActionButton()
{
    return pick({35, 35}, {45, 45});
}
QSize WidgetSize::tableRow()
{
    return pick({110, 40}, {130, 50});
}
QSize WidgetSize::dropZone()
{
    return pick({760, 40}, {1000, 60});
}
QSize WidgetSize::columnNumber()
{
    return pick({80, 40}, {80, 60});
}
QSize WidgetSize::columnName()
{
    return pick({200, 40}, {240, 60});
}
QSize WidgetSize::columnStatus()
{
    return pick({140, 40}, {200, 60});
}
QSize WidgetSize::columnAction()
{
    return pick({100, 40}, {200, 60});
}
QSize WidgetSize::rowProgress()
{
    return pick({205, 13}, {285, 15});
}

QSize WidgetSize::compressNumberColumn()
{
    return pick({60, 40}, {80, 60});
}
QSize WidgetSize::compressWideColumn()
{
    return pick({150, 40}, {200, 60});
}
QSize WidgetSize::compressActionColumn()
{
    return pick({80, 40}, {100, 60});
}
QSize WidgetSize::cropNameColumn()
{
    return pick({110, 40}, {160, 60});
}
QSize WidgetSize::cropStatusColumn()
{
    return pick({120, 40}, {160, 60});
}
QSize WidgetSize::cropActionColumn()
{
    return pick({190, 40}, {220, 60});
}
QSize WidgetSize::cropPictureArea()
{
    return pick({1100, 520}, {1400, 680});
}
QSize WidgetSize::cropToolIcon()
{
    return pick({28, 28}, {36, 36});
}
QSize WidgetSize::cropSizeEdit()
{
    return pick({70, 28}, {100, 36});
}
QSize WidgetSize::cropDialogButton()
{
    return pick({110, 38}, {120, 40});
}
QSize WidgetSize::cropSizeGroup()
{
    return pick({300, 28}, {350, 36});
}
QSize WidgetSize::cropToolButton()
{
    return pick({40, 40}, {45, 45});
}

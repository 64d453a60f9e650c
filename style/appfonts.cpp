#include "style/appfonts.h"

#include "platform/logcategories.h"
#include "style/widgetsize.h"

#include <QDebug>

namespace {
const QString kFamily = QStringLiteral("Microsoft YaHei");
}

bool AppFonts::isSmallScreen(const QSize& available)
{
    return available.width() <= 1600 || available.height() < 890;
}

AppFonts::PixelSizes AppFonts::pixelSizesFor(bool smallScreen, qreal logicalDpi)
{
    if (smallScreen)
        return {15, 12, 17, 20};
    if (logicalDpi >= 144.0)
        return {18, 16, 20, 18};
    return {15, 14, 18, 15};
}

bool AppFonts::configure(const QSize& available, qreal logicalDpi)
{
    for (QFont* font : {&standard(), &item(), &large(), &progress()})
        font->setFamily(kFamily);
    qCDebug(lcStyle) << "dpi is:" << logicalDpi;
    const bool small = isSmallScreen(available);
    const PixelSizes sizes = pixelSizesFor(small, logicalDpi);
    standard().setPixelSize(sizes.standard);
    item().setPixelSize(sizes.item);
    large().setPixelSize(sizes.large);
    progress().setPixelSize(sizes.progress);
    WidgetSize::setSmallScreen(small);
    qCDebug(lcStyle) << ",is small:" << small;
    return small;
}

void AppFonts::installFamilySubstitution()
{
    QFont::insertSubstitutions(kFamily,
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("Droid Sans Fallback")});
}

QFont& AppFonts::standard()
{
    static QFont font(kFamily);
    return font;
}

QFont& AppFonts::item()
{
    static QFont font(kFamily);
    return font;
}

QFont& AppFonts::large()
{
    static QFont font(kFamily);
    return font;
}

QFont& AppFonts::progress()
{
    static QFont font(kFamily);
    return font;
}

const QFont& AppFonts::standardFont()
{
    return standard();
}

const QFont& AppFonts::itemFont()
{
    return item();
}

const QFont& AppFonts::largeFont()
{
    return large();
}

const QFont& AppFonts::progressFont()
{
    return progress();
}

QFont AppFonts::familyFont(int pointSize)
{
    return QFont(kFamily, pointSize);
}

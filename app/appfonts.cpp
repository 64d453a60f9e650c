#include "app/appfonts.h"

#include "app/widgetsize.h"

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
    for (QFont* font : {&standardFont(), &itemFont(), &largeFont(), &progressFont()})
        font->setFamily(kFamily);
    qDebug() << "dpi is:" << logicalDpi;
    const bool small = isSmallScreen(available);
    const PixelSizes sizes = pixelSizesFor(small, logicalDpi);
    standardFont().setPixelSize(sizes.standard);
    itemFont().setPixelSize(sizes.item);
    largeFont().setPixelSize(sizes.large);
    progressFont().setPixelSize(sizes.progress);
    WidgetSize::setSmallScreen(small);
    qDebug() << ",is small:" << small;
    return small;
}

void AppFonts::installFamilySubstitution()
{
    QFont::insertSubstitutions(kFamily,
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("Droid Sans Fallback")});
}

QFont& AppFonts::standardFont()
{
    static QFont font(kFamily);
    return font;
}

QFont& AppFonts::itemFont()
{
    static QFont font(kFamily);
    return font;
}

QFont& AppFonts::largeFont()
{
    static QFont font(kFamily);
    return font;
}

QFont& AppFonts::progressFont()
{
    static QFont font(kFamily);
    return font;
}

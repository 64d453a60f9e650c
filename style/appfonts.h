#pragma once

#include <QFont>
#include <QSize>

// The four process-wide fonts every widget passes to setFont, and the screen class behind them.
class AppFonts final
{
public:
    struct PixelSizes
    {
        int standard;
        int item;
        int large;
        int progress;
    };

    static bool isSmallScreen(const QSize& available);
    static PixelSizes pixelSizesFor(bool smallScreen, qreal logicalDpi);
    // Decides the screen class, sets WidgetSize and the four fonts; returns small-screen mode.
    static bool configure(const QSize& available, qreal logicalDpi);
    // "Microsoft YaHei" is not on Linux: map it to a CJK font that is.
    static void installFamilySubstitution();

    static const QFont& standardFont();
    static const QFont& itemFont();
    static const QFont& largeFont();
    static const QFont& progressFont();
    // The house family alone; without a size the widget keeps the size it inherits.
    static QFont familyFont(int pointSize = -1);

private:
    static QFont& standard();
    static QFont& item();
    static QFont& large();
    static QFont& progress();
};

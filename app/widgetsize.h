#pragma once

#include <QSize>

// Layout sizes by role; each depends only on the screen class chosen at start-up.
class WidgetSize final
{
public:
    static void setSmallScreen(bool small);
    static bool isSmallScreen();

    static QSize mainWindow();
    static QSize dropZoneIcon();
    static QSize exportButton();
    static QSize exportPathBox();
    static QSize paramHeader();
    static QSize comboBox();
    static QSize gridSpacing();
    static QSize titleBar();
    static QSize toolIcon();
    static QSize toolButton();
    static QSize operButton();
    static QSize rowActionButton();
    static QSize tableRow();
    static QSize dropZone();
    static QSize columnNumber();
    static QSize columnName();
    static QSize columnStatus();
    static QSize columnAction();
    // The compression pages' three extra column widths, index 0 to 2.
    static QSize compressColumn(int index);
    // The crop page's three column widths, index 0 to 2.
    static QSize cropColumn(int index);
    static QSize rowProgress();
    // The crop dialog's six sizes, index 0 to 5.
    static QSize cropDialog(int index);

private:
    static QSize pick(const QSize& small, const QSize& normal);
};

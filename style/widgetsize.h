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
    static QSize rowProgress();
    // The compression pages' table: number column, the four wide columns, actions column.
    static QSize compressNumberColumn();
    static QSize compressWideColumn();
    static QSize compressActionColumn();
    // The crop page's table: name and position columns, status column, actions column.
    static QSize cropNameColumn();
    static QSize cropStatusColumn();
    static QSize cropActionColumn();
    // The crop dialog: picture area (height used), tool icon, scale and size edits (width used),
    // confirm and cancel buttons, size group (width used), tool buttons.
    static QSize cropPictureArea();
    static QSize cropToolIcon();
    static QSize cropSizeEdit();
    static QSize cropDialogButton();
    static QSize cropSizeGroup();
    static QSize cropToolButton();

private:
    static QSize pick(const QSize& small, const QSize& normal);
};

#include "widgets/operbtn.h"

#include "app/appfonts.h"
#include "app/widgetsize.h"

OperBtn::OperBtn(const QString& iconPath, const QString& text, QWidget* parent)
    : QPushButton(QIcon(iconPath), text, parent)
{
    setStyleSheet(
        QStringLiteral("QPushButton{background-color:#3C6EFF;color:white;border:0px;border:2px solid #3C6EFF;"
                       "border-radius:6px;}QPushButton:hover{background-color:#507BFB;}"));
    setCursor(Qt::PointingHandCursor);
    setFixedSize(WidgetSize::operButton());
    setFont(AppFonts::standardFont());
}

#include "widgets/operbtn.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

OperBtn::OperBtn(const QString& iconPath, const QString& text, QWidget* parent)
    : QPushButton(QIcon(iconPath), text, parent)
{
    setStyleSheet(StyleSheet::make(
        "QPushButton{background-color:@blueButton;color:white;border:0px;border:2px solid @blueButton;"
        "border-radius:6px;}QPushButton:hover{background-color:@blueButtonHover;}"));
    setCursor(Qt::PointingHandCursor);
    setFixedSize(WidgetSize::operButton());
    setFont(AppFonts::standardFont());
}

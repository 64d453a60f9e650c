#include "widgets/submitbtn.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

SubmitBtn::SubmitBtn(const QString& text, bool outlined, QWidget* parent) : QPushButton(parent)
{
    setText(text);
    QFont font = AppFonts::largeFont();
    font.setWeight(63);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
    setFont(font);
    setFixedHeight(WidgetSize::titleBar().height());
    setCursor(Qt::PointingHandCursor);
    if (outlined)
        setStyleSheet(
            StyleSheet::make("QPushButton{border:2px solid @panelBorder; border-radius:5px;padding-left:5;"
                             "padding-right:5;}QPushButton:hover{background-color:@outlinedButtonHover;}"));
    else
        setStyleSheet(StyleSheet::make(
            "QPushButton{background-color:@startButton;color:white;border-radius:5px;"
            "padding-left:5;padding-right:5;}QPushButton:hover{background-color:@startButtonHover;}"));
}

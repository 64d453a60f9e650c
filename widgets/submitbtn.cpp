#include "widgets/submitbtn.h"

#include "app/appfonts.h"
#include "app/widgetsize.h"

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
        setStyleSheet(QStringLiteral("QPushButton{border:2px solid #E2E2E2; border-radius:5px;padding-left:5;"
                                     "padding-right:5;}QPushButton:hover{background-color:#F0F0F0;}"));
    else
        setStyleSheet(
            QStringLiteral("QPushButton{background-color:#FF9F00;color:white;border-radius:5px;"
                           "padding-left:5;padding-right:5;}QPushButton:hover{background-color:#F7B03B;}"));
}

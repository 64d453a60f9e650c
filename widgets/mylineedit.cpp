#include "widgets/mylineedit.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

MyLineEdit::MyLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setFont(AppFonts::standardFont());
    setFixedHeight(WidgetSize::comboBox().height());
    setStyleSheet(StyleSheet::make(
        "MyLineEdit{border:1px solid @accent;border-radius:5px;padding-left:5px;color:@text;}"));
}

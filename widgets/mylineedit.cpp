#include "widgets/mylineedit.h"

#include "app/appfonts.h"
#include "app/widgetsize.h"

MyLineEdit::MyLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setFont(AppFonts::standardFont());
    setFixedHeight(WidgetSize::comboBox().height());
    setStyleSheet(QStringLiteral(
        "MyLineEdit{border:1px solid #027DF0;border-radius:5px;padding-left:5px;color:#484848;}"));
}

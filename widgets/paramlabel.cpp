#include "widgets/paramlabel.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"

ParamLabel::ParamLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFont(AppFonts::standardFont());
    setStyleSheet(StyleSheet::textLabel());
}

#include "widgets/paramlabel.h"

#include "app/appfonts.h"

ParamLabel::ParamLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFont(AppFonts::standardFont());
    setStyleSheet(QStringLiteral("QLabel{color:#484848;}"));
}

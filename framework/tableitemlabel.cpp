#include "framework/tableitemlabel.h"

#include "style/appfonts.h"

TableItemLabel::TableItemLabel(QWidget* parent) : QLabel(parent)
{
    setFont(AppFonts::itemFont());
    setStyleSheet(QStringLiteral("QLabel{color:#8B8A8A;}"));
}

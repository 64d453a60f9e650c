#include "framework/tableitemlabel.h"

#include "style/appfonts.h"

TableItemLabel::TableItemLabel(QWidget* parent) : QLabel(parent)
{
    // Its colour comes from the facts block's one sheet: a sheet per label is parsed and polished
    // per label, and a list of a hundred rows holds a thousand of them.
    setFont(AppFonts::itemFont());
}

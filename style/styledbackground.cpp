#include "style/styledbackground.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

void paintStyledBackground(QWidget* widget)
{
    QStyleOption option;
    option.initFrom(widget);
    QPainter painter(widget);
    widget->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, widget);
}

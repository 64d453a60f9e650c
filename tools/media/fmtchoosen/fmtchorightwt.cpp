#include "tools/media/fmtchoosen/fmtchorightwt.h"

#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "tools/media/fmtchoosen/fmtrightbtn.h"

#include <QVBoxLayout>

FmtChoRightWT::FmtChoRightWT(int format, QWidget* parent) : QWidget(parent), m_format(format)
{
    setStyleSheet(
        StyleSheet::make("FmtChoRightWT{background-color:white;border-left:2px solid @panelBorder;}"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(0);
    layout->setAlignment(Qt::AlignTop);
}

void FmtChoRightWT::addButton(FmtRightBtn* button)
{
    button->setParent(this);
    layout()->addWidget(button);
    m_buttons.append(button);
    connect(button, &FmtRightBtn::clicked, this, &FmtChoRightWT::clickBtn);
}

void FmtChoRightWT::highlight(const FmtRightBtn* button)
{
    for (FmtRightBtn* each : qAsConst(m_buttons))
        each->setSelected(each == button);
}

void FmtChoRightWT::clickBtn()
{
    if (auto* button = qobject_cast<FmtRightBtn*>(sender()))
        highlight(button);
}

void FmtChoRightWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

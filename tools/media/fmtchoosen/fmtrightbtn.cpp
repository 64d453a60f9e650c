#include "tools/media/fmtchoosen/fmtrightbtn.h"

#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>

FmtRightBtn::FmtRightBtn(const FmtPreset& preset, QWidget* parent) : QWidget(parent), m_preset(preset)
{
    setFixedHeight(60);
    setCursor(Qt::PointingHandCursor);
    auto* icon = new QLabel(this);
    icon->setFixedSize(36, 36);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap(preset.icon));
    auto* label = new QLabel(preset.label, this);
    label->setFont(AppFonts::standardFont());
    label->setStyleSheet(StyleSheet::make("QLabel{color:@text;background:transparent;}"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 0, 10, 0);
    layout->setSpacing(12);
    layout->addWidget(icon);
    layout->addWidget(label, 1);
    setSelected(false);
}

void FmtRightBtn::setSelected(bool selected)
{
    m_selected = selected;
    setStyleSheet(
        selected ? StyleSheet::make("FmtRightBtn{border:0px;background-color:@listItemSelected;color:@text;}")
                 : StyleSheet::make("FmtRightBtn{border:0px;background-color:white;color:@text;}"
                                    "FmtRightBtn:hover{border:0px;background-color:@listItemHover;}"));
}

void FmtRightBtn::mousePressEvent(QMouseEvent*)
{
    emit clicked();
}

void FmtRightBtn::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

#include "tools/media/fmtchoosen/fmtchobtn.h"

#include "media/combenum.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>

FmtChoBtn::FmtChoBtn(int format, QWidget* parent)
    : QWidget(parent), m_format(format), m_name(new QLabel(this))
{
    setFixedHeight(65);
    setCursor(Qt::PointingHandCursor);
    auto* icon = new QLabel(this);
    icon->setFixedSize(36, 36);
    icon->setScaledContents(true);
    icon->setPixmap(QPixmap(CombEnum::listIcon(format)));
    m_name->setText(CombEnum::formatName(format));
    m_name->setFont(AppFonts::standardFont());
    m_name->setStyleSheet(StyleSheet::make("QLabel{color:@text;background:transparent;}"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 0, 10, 0);
    layout->setSpacing(12);
    layout->addWidget(icon);
    layout->addWidget(m_name, 1);
    setSelected(false);
}

QString FmtChoBtn::text() const
{
    return m_name->text();
}

void FmtChoBtn::setSelected(bool selected)
{
    m_selected = selected;
    setStyleSheet(selected
                      ? StyleSheet::make("FmtChoBtn{border:0px;background-color:@listItemSelected;}")
                      : StyleSheet::make("FmtChoBtn{border:0px;background:white;}"
                                         "FmtChoBtn:hover{border:0px;background-color:@listItemHover;}"));
}

void FmtChoBtn::mousePressEvent(QMouseEvent*)
{
    emit clicked();
}

void FmtChoBtn::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

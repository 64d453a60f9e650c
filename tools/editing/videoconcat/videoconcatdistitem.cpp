#include "tools/editing/videoconcat/videoconcatdistitem.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"

#include <QHBoxLayout>
#include <QPushButton>

VideoConcatDistItem::VideoConcatDistItem(QWidget* parent)
    : QWidget(parent),
      m_up(new QPushButton(QIcon(QStringLiteral(":/icons/icons/upper.png")), tr("上移"), this)),
      m_down(new QPushButton(QIcon(QStringLiteral(":/icons/icons/down.png")), tr("下移"), this))
{
    setFixedHeight(100);
    m_up->setToolTip(tr("在拼接顺序中前移"));
    m_down->setToolTip(tr("在拼接顺序中后移"));
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(5);
    layout->setContentsMargins(0, 5, 0, 5);
    for (QPushButton* button : {m_up, m_down}) {
        button->setFont(AppFonts::standardFont());
        button->setStyleSheet(StyleSheet::make("QPushButton{color:@text;}"));
        button->setCursor(Qt::PointingHandCursor);
        layout->addWidget(button);
    }
}

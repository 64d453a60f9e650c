#include "tools/editing/videoslicing/vstabledistitemwt.h"

#include "framework/tableitemlabel.h"
#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "tools/editing/videocutbasewt.h"

#include <QGridLayout>

VSTableDistItemWT::VSTableDistItemWT(QWidget* parent)
    : QWidget(parent), m_begin(new TableItemLabel(this)), m_end(new TableItemLabel(this))
{
    setFixedHeight(100);
    auto* layout = new QGridLayout(this);
    layout->setSpacing(5);
    layout->setContentsMargins(0, 5, 0, 5);
    const QString captions[] = {tr("开始时间:"), tr("结束时间:")};
    QLabel* values[] = {m_begin, m_end};
    for (int row = 0; row < 2; ++row) {
        auto* caption = new TableItemLabel(this);
        caption->setText(captions[row]);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values[row]->setText(VideoCutBaseWT::timeText(0));
        values[row]->setStyleSheet(StyleSheet::make("TableItemLabel{color:@text;}"));
        layout->addWidget(caption, row, 0);
        layout->addWidget(values[row], row, 1, 1, 3);
    }
}

void VSTableDistItemWT::setBeginTime(qint64 milliseconds)
{
    m_beginTime = milliseconds;
    m_begin->setText(VideoCutBaseWT::timeText(milliseconds));
}

void VSTableDistItemWT::setEndTime(qint64 milliseconds)
{
    m_endTime = milliseconds;
    m_end->setText(VideoCutBaseWT::timeText(milliseconds));
}

QString VSTableDistItemWT::beginText() const
{
    return m_begin->text();
}

QString VSTableDistItemWT::endText() const
{
    return m_end->text();
}

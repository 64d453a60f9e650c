#include "framework/tableitemwidget.h"

#include "framework/tableitemlabel.h"
#include "style/stylesheet.h"

#include <QGridLayout>

TableItemWidget::TableItemWidget(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(100);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(5);
    grid->setContentsMargins(0, 5, 0, 5);
    setStyleSheet(StyleSheet::make(
        "TableItemLabel{color:@itemDetail;}TableItemLabel#itemName{border:0px;color:black;}"));
    m_name = addLabel(QString(), 0, 0, 4);
    m_name->setObjectName(QStringLiteral("itemName"));
    // The name is elided to the block; it must not widen the row.
    m_name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_formatCaption = addLabel(tr("格式："), 1, 0);
    m_format = addLabel(QString(), 1, 1);
    m_resolutionCaption = addLabel(tr("分辨率："), 1, 2);
    m_resolution = addLabel(QString(), 1, 3);
    m_durationCaption = addLabel(tr("时长："), 2, 0);
    m_duration = addLabel(QString(), 2, 1);
    m_sizeCaption = addLabel(tr("大小："), 2, 2);
    m_size = addLabel(QString(), 2, 3);
    for (TableItemLabel* caption : {m_formatCaption, m_resolutionCaption, m_durationCaption, m_sizeCaption})
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

TableItemLabel* TableItemWidget::addLabel(const QString& text, int row, int column, int columnSpan)
{
    auto* label = new TableItemLabel(this);
    label->setText(text);
    static_cast<QGridLayout*>(layout())->addWidget(label, row, column, 1, columnSpan);
    return label;
}

void TableItemWidget::setFacts(const QString& name, const QString& format, const QString& resolution,
                               const QString& duration, const QString& size)
{
    // A long name would widen the row past its column; the whole name stays in the tooltip.
    m_name->setText(m_name->fontMetrics().elidedText(name, Qt::ElideMiddle, width()));
    m_name->setToolTip(name);
    m_format->setText(format);
    m_resolution->setText(resolution);
    m_duration->setText(duration);
    m_size->setText(size);
}

void TableItemWidget::setDuration(const QString& duration)
{
    m_duration->setText(duration);
}

void TableItemWidget::setResolutionCaption(const QString& caption)
{
    m_resolutionCaption->setText(caption);
}

QString TableItemWidget::name() const
{
    return m_name->toolTip();
}

QString TableItemWidget::format() const
{
    return m_format->text();
}

QString TableItemWidget::resolution() const
{
    return m_resolution->text();
}

QString TableItemWidget::duration() const
{
    return m_duration->text();
}

QString TableItemWidget::size() const
{
    return m_size->text();
}

QString TableItemWidget::resolutionCaption() const
{
    return m_resolutionCaption->text();
}

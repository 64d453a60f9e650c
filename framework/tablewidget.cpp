#include "framework/tablewidget.h"

#include "framework/tablerowwidget.h"
#include "platform/logcategories.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QDebug>
#include <QPainter>
#include <QVBoxLayout>

TableWidget::TableWidget(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    setStyleSheet(StyleSheet::make("TableWidget{border:2px solid @panelBorder; border-radius:8px;}"));
    m_layout->setContentsMargins(5, 5, 5, 5);
    m_layout->setAlignment(Qt::AlignTop);
}

void TableWidget::addRow(TableRowWidget* row)
{
    row->setParent(this);
    m_layout->addWidget(row);
    m_rows.append(row);
    connect(row, &TableRowWidget::tableRemoveRow, this, &TableWidget::delRow);
    row->show();
}

int TableWidget::indexOf(const TableRowWidget* row) const
{
    return m_rows.indexOf(const_cast<TableRowWidget*>(row));
}

TableRowWidget* TableWidget::rowByObjectName(const QString& objectName) const
{
    for (TableRowWidget* row : m_rows) {
        if (row->objectName() == objectName)
            return row;
    }
    return nullptr;
}

void TableWidget::delRow()
{
    auto* row = qobject_cast<TableRowWidget*>(sender());
    if (!row || !m_rows.removeOne(row))
        return;
    m_layout->removeWidget(row);
    row->hide();
    row->deleteLater();
    qCDebug(lcFramework) << "remove row ";
    emit rowRemoved();
}

void TableWidget::removeAllRows()
{
    for (TableRowWidget* row : qAsConst(m_rows)) {
        qCDebug(lcFramework) << "=====================";
        m_layout->removeWidget(row);
        row->close();
        row->deleteLater();
    }
    m_rows.clear();
}

void TableWidget::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_rows.size() || to >= m_rows.size())
        return;
    TableRowWidget* row = m_rows.takeAt(from);
    m_rows.insert(to, row);
    m_layout->removeWidget(row);
    m_layout->insertWidget(to, row);
    emit rowsMoved();
}

void TableWidget::SetPersent(int persent)
{
    if (persent == m_persent)
        return;
    m_persent = persent;
    update();
}

void TableWidget::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
    QPainter painter(this);
    TableRowWidget::paintProgress(painter, size(), m_persent, false, m_lineColor, m_fillColor);
}

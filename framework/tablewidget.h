#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

class QVBoxLayout;
class TableRowWidget;

// The bordered list of a media page: its rows stacked from the top, in the order they came.
class TableWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit TableWidget(QWidget* parent);

    void addRow(TableRowWidget* row);
    void removeAllRows();
    // Puts the row at index from at index to; the others keep their order around it.
    void moveRow(int from, int to);

    int rowCount() const { return m_rows.size(); }
    TableRowWidget* row(int index) const { return m_rows.value(index); }
    const QList<TableRowWidget*>& rows() const { return m_rows; }
    int indexOf(const TableRowWidget* row) const;
    TableRowWidget* rowByObjectName(const QString& objectName) const;
    int persent() const { return m_persent; }

public slots:
    void delRow();
    void SetPersent(int persent);

signals:
    // A row's close button took it away.
    void rowRemoved();
    void rowsMoved();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_persent = 0;
    QVBoxLayout* m_layout;
    QColor m_lineColor{2, 125, 240};
    QColor m_fillColor{229, 242, 255};
    QList<TableRowWidget*> m_rows;
};

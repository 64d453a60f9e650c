#pragma once

#include <QWidget>

class CenterShowWT;
class QScrollArea;
class TableWidget;

// The centre of a media page: the drop zone or the list of rows, and the panel beside them.
class MediaCenterWT : public QWidget
{
    Q_OBJECT
public:
    MediaCenterWT(const QString& note, const QStringList* extensions, QWidget* parent);

    TableWidget* table() const { return m_table; }
    CenterShowWT* dropZone() const { return m_dropZone; }
    QScrollArea* scrollArea() const { return m_scroll; }
    bool isDropZoneShown() const;
    void showTable();
    void showDropZone();

protected:
    void setPanel(QWidget* panel);
    void paintEvent(QPaintEvent* event) override;

private:
    CenterShowWT* m_dropZone;
    QScrollArea* m_scroll;
    TableWidget* m_table;
};

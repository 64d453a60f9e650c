#pragma once

#include "framework/mytable.h"

#include <QWidget>

class CenterShowWT;
class PictureParamWT;

// The centre of a picture page: the drop zone or the file table, and the panel beside them.
class PictureCenterWT : public QWidget
{
    Q_OBJECT
public:
    PictureCenterWT(const QString& note, const QStringList* extensions, MyTable::Form form, QWidget* parent);

    MyTable* table() const { return m_table; }
    CenterShowWT* dropZone() const { return m_dropZone; }
    bool isDropZoneShown() const;
    void showTable();
    void showDropZone();

protected:
    // The subclass hands over its own panel once it has made it.
    void setPanel(PictureParamWT* panel);
    void paintEvent(QPaintEvent* event) override;

private:
    CenterShowWT* m_dropZone;
    MyTable* m_table;
    PictureParamWT* m_panel = nullptr;
};

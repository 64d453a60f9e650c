#pragma once

#include <QWidget>

class CenterShowWT;
class ToPDFParamWT;
class ToPDFTable;

// The body of the PDF page: the drop zone or the picture list, and the panel beside them.
class ToPDFCenterWT final : public QWidget
{
    Q_OBJECT
public:
    explicit ToPDFCenterWT(QWidget* parent);

    CenterShowWT* dropZone() const { return m_dropZone; }
    ToPDFTable* table() const { return m_table; }
    ToPDFParamWT* param() const { return m_param; }
    bool isDropZoneShown() const;
    void showTable();
    void showDropZone();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CenterShowWT* m_dropZone;
    ToPDFTable* m_table;
    ToPDFParamWT* m_param;
};

#pragma once

#include <QWidget>

class QLabel;

// One format of the chooser's left column: its icon and name.
class FmtChoBtn final : public QWidget
{
    Q_OBJECT
public:
    FmtChoBtn(int format, QWidget* parent);

    int format() const { return m_format; }
    QString text() const;
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_format;
    QLabel* m_name;
    bool m_selected = false;
};

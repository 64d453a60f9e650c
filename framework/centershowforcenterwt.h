#pragma once

#include <QWidget>

class QLabel;

// The clickable block inside the drop zone: icon, prompt and the page's note.
class CenterShowForCenterWT final : public QWidget
{
    Q_OBJECT
public:
    explicit CenterShowForCenterWT(QWidget* parent);

    void setNote(const QString& note);
    QString note() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_icon;
    QLabel* m_text;
    QLabel* m_note;
};

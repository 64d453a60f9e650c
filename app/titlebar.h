#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The blue band of the frameless window: icon, name, minimize and close.
class TitleBar final : public QWidget
{
    Q_OBJECT
public:
    explicit TitleBar(QWidget* parent);

    QPushButton* minimizeButton() const { return m_minimize; }
    QPushButton* closeButton() const { return m_close; }

public slots:
    void onClicked();

private:
    QLabel* m_icon;
    QLabel* m_title;
    QPushButton* m_minimize;
    QPushButton* m_close;
};

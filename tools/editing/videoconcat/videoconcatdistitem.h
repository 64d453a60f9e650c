#pragma once

#include <QWidget>

class QPushButton;

// A concatenation row's target: the buttons that move the row, and so its piece, up and down.
class VideoConcatDistItem final : public QWidget
{
    Q_OBJECT
public:
    explicit VideoConcatDistItem(QWidget* parent);

    QPushButton* upButton() const { return m_up; }
    QPushButton* downButton() const { return m_down; }

private:
    QPushButton* m_up;
    QPushButton* m_down;
};

#pragma once

#include <QFrame>
#include <QVector>

class QToolButton;

// The popup under the toolbox button: one icon-over-text entry per tool that has a page but no
// place on the strip. Dismissing it chooses nothing.
class ToolBoxPanel final : public QFrame
{
    Q_OBJECT
public:
    struct Item
    {
        int tool;
        QString label;
        QString icon;
    };

    ToolBoxPanel(const QVector<Item>& items, QWidget* parent);

    QToolButton* entry(int tool) const;
    // Opens just under the button, left edges aligned.
    void popUpUnder(const QWidget* button);

signals:
    void toolChosen(int tool);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<QToolButton*> m_entries;
    QVector<int> m_tools;
};

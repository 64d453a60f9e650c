#pragma once

#include "app/tooltable.h"

#include <QList>
#include <QWidget>

class QLabel;
class ToolBtn;

// The horizontal strip of tool buttons under the title bar.
class ToolBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ToolBar)
public:
    explicit ToolBar(QWidget* parent);
    ToolBar(const ToolTable& table, QWidget* parent);
    ~ToolBar() override;

    ToolBtn* button(int tool) const { return m_buttons.value(tool); }
    int toolOf(const ToolBtn* button) const;
    ToolBtn* selectedButton() const;

public slots:
    void slot_set(ToolBtn* btn);

signals:
    void siginalParent(ToolBtn* btn);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<ToolBtn*> m_buttons;
    QList<ToolBtn*> m_exclusive;
    QLabel* m_caption;
};

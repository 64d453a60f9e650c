#pragma once

#include "app/tooltable.h"

#include <QList>
#include <QWidget>

class QLabel;
class ToolBoxPanel;
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

    // Null while no page is off the strip (the toolbox button is then hidden).
    ToolBoxPanel* toolBoxPanel() const { return m_panel; }

    // Selects a tool as its button would, through the toolbox for a page off the strip.
    void selectTool(int tool);

public slots:
    void slot_set(ToolBtn* btn);
    // The toolbox opens its panel on every press, also when it is the selected button.
    void openToolBox();

signals:
    void siginalParent(ToolBtn* btn);

protected:
    void chooseFromToolBox(int tool);
    void paintEvent(QPaintEvent* event) override;

private:
    QList<ToolBtn*> m_buttons;
    QList<ToolBtn*> m_exclusive;
    QLabel* m_caption;
    ToolBoxPanel* m_panel = nullptr;
};

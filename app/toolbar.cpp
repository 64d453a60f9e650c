#include "app/toolbar.h"

#include "app/toolboxpanel.h"
#include "app/toolbtn.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMap>

ToolBar::ToolBar(QWidget* parent) : ToolBar(ToolTable::standard(), parent) {}

ToolBar::ToolBar(const ToolTable& table, QWidget* parent)
    : QWidget(parent), m_caption(new QLabel(tr("更多功能敬请期待")))
{
    QMap<int, ToolBtn*> strip;
    for (const ToolTable::Entry& entry : table.entries) {
        // Created without parent: only the strip's layout adopts the shown ones.
        auto* button = new ToolBtn(entry.selectedIcon, entry.normalIcon, entry.label, nullptr);
        connect(button, &ToolBtn::signal_parent, this, &ToolBar::slot_set);
        m_buttons << button;
        if (entry.exclusive)
            m_exclusive << button;
        if (entry.stripSlot >= 0)
            strip.insert(entry.stripSlot, button);
    }
    m_caption->setFont(AppFonts::standardFont());
    m_caption->setStyleSheet(StyleSheet::make("QLabel{color:@text;padding-bottom:5px;}"));
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

    // Nothing listens yet, so this selects without switching pages.
    if (ToolBtn* heic = m_buttons.value(ToolTable::Heic))
        heic->slot_pressed();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (ToolBtn* button : qAsConst(strip))
        layout->addWidget(button);
    layout->addStretch();

    ToolBtn* toolBox = m_buttons.value(ToolTable::ToolBox);
    const QVector<int> offStrip = table.offStripPages();
    if (toolBox && !offStrip.isEmpty()) {
        QVector<ToolBoxPanel::Item> items;
        for (int tool : offStrip) {
            const ToolTable::Entry& entry = table.entries.at(tool);
            items.push_back({tool, entry.label, ToolTable::visibleIcon(entry)});
        }
        m_panel = new ToolBoxPanel(items, this);
        connect(m_panel, &ToolBoxPanel::toolChosen, this, &ToolBar::chooseFromToolBox);
        // It stands for no page of its own: a press opens the panel instead of selecting.
        disconnect(toolBox, &QToolButton::pressed, toolBox, &ToolBtn::slot_pressed);
        connect(toolBox, &QToolButton::pressed, this, &ToolBar::openToolBox);
    } else if (toolBox && toolBox->parent()) {
        toolBox->hide();
    }
    setStyleSheet(StyleSheet::make("ToolBar{background-color:@strip;}"));
}

ToolBar::~ToolBar()
{
    // The buttons that were never laid out have no parent to delete them.
    for (ToolBtn* button : m_buttons) {
        if (!button->parent())
            delete button;
    }
    delete m_caption;
}

int ToolBar::toolOf(const ToolBtn* button) const
{
    return m_buttons.indexOf(const_cast<ToolBtn*>(button));
}

ToolBtn* ToolBar::selectedButton() const
{
    for (ToolBtn* button : m_buttons) {
        if (button->isSelected())
            return button;
    }
    return nullptr;
}

void ToolBar::selectTool(int tool)
{
    ToolBtn* button = m_buttons.value(tool);
    if (!button)
        return;
    if (button->parent())
        button->slot_pressed();
    else
        chooseFromToolBox(tool);
}

void ToolBar::slot_set(ToolBtn* btn)
{
    for (ToolBtn* button : m_exclusive) {
        if (button != btn)
            button->unselect();
    }
    emit siginalParent(btn);
}

void ToolBar::openToolBox()
{
    if (m_panel)
        m_panel->popUpUnder(m_buttons.value(ToolTable::ToolBox));
}

void ToolBar::chooseFromToolBox(int tool)
{
    ToolBtn* chosen = m_buttons.value(tool);
    if (!chosen)
        return;
    // The tool's own button (never laid out) carries the selection that shows its page; the
    // toolbox then wears the selected look beside it.
    chosen->slot_pressed();
    if (ToolBtn* toolBox = m_buttons.value(ToolTable::ToolBox))
        toolBox->markSelected();
}

void ToolBar::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

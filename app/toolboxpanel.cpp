#include "app/toolboxpanel.h"

#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QGridLayout>
#include <QToolButton>

namespace {
constexpr int kColumns = 4;
}

ToolBoxPanel::ToolBoxPanel(const QVector<Item>& items, QWidget* parent) : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("toolBoxPanel"));
    setStyleSheet(
        StyleSheet::make("QFrame#toolBoxPanel{background-color:@strip;border:1px solid @panelBorder;}"
                         "QToolButton{border:0px;padding-top:5;background-color:@strip;color:@text;}"
                         "QToolButton:hover{background-color:white;}"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(2);
    for (const Item& item : items) {
        auto* button = new QToolButton(this);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(QIcon(item.icon));
        button->setIconSize(WidgetSize::toolIcon());
        button->setFixedSize(WidgetSize::toolButton());
        button->setFont(AppFonts::standardFont());
        button->setText(item.label);
        button->setCursor(Qt::PointingHandCursor);
        const int tool = item.tool;
        connect(button, &QToolButton::clicked, this, [this, tool] {
            hide();
            emit toolChosen(tool);
        });
        layout->addWidget(button, m_entries.size() / kColumns, m_entries.size() % kColumns);
        m_entries << button;
        m_tools << item.tool;
    }
}

QToolButton* ToolBoxPanel::entry(int tool) const
{
    const int index = m_tools.indexOf(tool);
    return index < 0 ? nullptr : m_entries.at(index);
}

void ToolBoxPanel::popUpUnder(const QWidget* button)
{
    adjustSize();
    move(button->mapToGlobal(QPoint(0, button->height())));
    show();
}

void ToolBoxPanel::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

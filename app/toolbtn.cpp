#include "app/toolbtn.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

namespace {
const QString kUnselectedStyle =
    StyleSheet::make("QToolButton{border:0px;padding-top:5;background-color:@strip;color:@text;}");
const QString kWhiteStyle =
    StyleSheet::make("QToolButton{border:0px;padding-top:5;background-color:white;color:@text;}");
} // namespace

ToolBtn::ToolBtn(const QString& selectedIcon, const QString& normalIcon, const QString& label,
                 QWidget* parent)
    : QToolButton(parent), m_normalIcon(normalIcon), m_selectedIcon(selectedIcon)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(WidgetSize::toolIcon());
    setFixedSize(WidgetSize::toolButton());
    setFont(AppFonts::standardFont());
    setText(label);
    unselect();
    connect(this, &QToolButton::pressed, this, &ToolBtn::slot_pressed);
}

void ToolBtn::unselect()
{
    m_selected = false;
    setIcon(QIcon(m_normalIcon));
    setStyleSheet(kUnselectedStyle);
}

void ToolBtn::markSelected()
{
    m_selected = true;
    setIcon(QIcon(m_selectedIcon));
    setStyleSheet(kWhiteStyle);
}

void ToolBtn::slot_pressed()
{
    if (m_selected)
        return;
    markSelected();
    emit signal_parent(this);
}

void ToolBtn::enterEvent(QEvent* event)
{
    if (!m_selected)
        setStyleSheet(kWhiteStyle);
    QToolButton::enterEvent(event);
}

void ToolBtn::leaveEvent(QEvent* event)
{
    if (!m_selected)
        unselect();
    QToolButton::leaveEvent(event);
}

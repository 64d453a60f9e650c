#pragma once

#include <QToolButton>

// A large icon-over-text button of the tool strip; exactly one is selected at a time.
class ToolBtn final : public QToolButton
{
    Q_OBJECT
public:
    ToolBtn(const QString& selectedIcon, const QString& normalIcon, const QString& label, QWidget* parent);

    bool isSelected() const { return m_selected; }
    // Back to the unselected look, without any signal.
    void unselect();
    // The selected look and state, without any signal.
    void markSelected();

public slots:
    void slot_pressed();

signals:
    void signal_parent(ToolBtn* button);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_selected = false;
    QString m_normalIcon;
    QString m_selectedIcon;
};

#pragma once

#include <QComboBox>

class QStyledItemDelegate;

// The styled parameter combo box; its own delegate lets the style sheet set the item height.
class MyComboBox final : public QComboBox
{
    Q_OBJECT
public:
    explicit MyComboBox(QWidget* parent);
    ~MyComboBox() override;

private:
    QStyledItemDelegate* m_delegate;
};

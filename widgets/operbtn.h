#pragma once

#include <QPushButton>

// A blue button of the operation bar.
class OperBtn final : public QPushButton
{
    Q_OBJECT
public:
    OperBtn(const QString& iconPath, const QString& text, QWidget* parent);
};

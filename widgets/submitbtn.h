#pragma once

#include <QPushButton>

// The large start button of a parameter panel: orange, or outlined.
class SubmitBtn final : public QPushButton
{
    Q_OBJECT
public:
    SubmitBtn(const QString& text, bool outlined, QWidget* parent);
};

#pragma once

#include <QLabel>

// A right-aligned caption of a parameter row.
class ParamLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit ParamLabel(QWidget* parent);
};

#pragma once

#include <QLabel>

// A grey text of a media row's facts block.
class TableItemLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit TableItemLabel(QWidget* parent);
};

#pragma once

#include <QLineEdit>

class MyLineEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit MyLineEdit(QWidget* parent);
};

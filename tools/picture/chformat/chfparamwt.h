#pragma once

#include "framework/convertparamwt.h"

class CHFParamWT final : public ConvertParamWT
{
    Q_OBJECT
public:
    explicit CHFParamWT(QWidget* parent);
};

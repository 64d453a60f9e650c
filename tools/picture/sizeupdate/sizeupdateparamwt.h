#pragma once

#include "framework/convertparamwt.h"

class SizeUpdateParamWT final : public ConvertParamWT
{
    Q_OBJECT
public:
    explicit SizeUpdateParamWT(QWidget* parent);
};

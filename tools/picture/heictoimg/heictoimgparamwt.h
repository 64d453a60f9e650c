#pragma once

#include "framework/convertparamwt.h"

class HeicToImgParamWT final : public ConvertParamWT
{
    Q_OBJECT
public:
    explicit HeicToImgParamWT(QWidget* parent);
};

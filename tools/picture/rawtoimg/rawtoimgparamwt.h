#pragma once

#include "framework/convertparamwt.h"

class RawToImgParamWT final : public ConvertParamWT
{
    Q_OBJECT
public:
    explicit RawToImgParamWT(QWidget* parent);
};

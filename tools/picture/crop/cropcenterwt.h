#pragma once

#include "framework/picturecenterwt.h"

class CropParamWT;

class CropCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit CropCenterWT(QWidget* parent);

    CropParamWT* param() const { return m_param; }

private:
    CropParamWT* m_param;
};

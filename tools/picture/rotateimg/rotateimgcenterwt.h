#pragma once

#include "framework/picturecenterwt.h"

class RotateImgParamWT;

class RotateImgCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit RotateImgCenterWT(QWidget* parent);

    RotateImgParamWT* param() const { return m_param; }

private:
    RotateImgParamWT* m_param;
};

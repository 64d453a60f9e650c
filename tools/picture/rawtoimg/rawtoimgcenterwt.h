#pragma once

#include "framework/picturecenterwt.h"

class RawToImgParamWT;

class RawToImgCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit RawToImgCenterWT(QWidget* parent);

    RawToImgParamWT* param() const { return m_param; }

private:
    RawToImgParamWT* m_param;
};

#pragma once

#include "framework/picturecenterwt.h"

class HeicToImgParamWT;

class HeicToImgCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit HeicToImgCenterWT(QWidget* parent);

    HeicToImgParamWT* param() const { return m_param; }

private:
    HeicToImgParamWT* m_param;
};

#pragma once

#include "framework/picturecenterwt.h"

class CompressParamWT;

class CompressCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit CompressCenterWT(QWidget* parent);

    CompressParamWT* param() const { return m_param; }

private:
    CompressParamWT* m_param;
};

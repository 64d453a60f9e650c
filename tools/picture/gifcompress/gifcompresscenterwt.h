#pragma once

#include "framework/picturecenterwt.h"

class GifCompressParamWT;

class GifCompressCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit GifCompressCenterWT(QWidget* parent);

    GifCompressParamWT* param() const { return m_param; }

private:
    GifCompressParamWT* m_param;
};

#pragma once

#include "framework/mediacenterwt.h"

class VideoToGifParamWT;

class VideoToGifCenterWT final : public MediaCenterWT
{
    Q_OBJECT
public:
    explicit VideoToGifCenterWT(QWidget* parent);

    VideoToGifParamWT* param() const { return m_param; }

private:
    VideoToGifParamWT* m_param;
};

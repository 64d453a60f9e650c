#pragma once

#include "framework/mediacenterwt.h"

class VideoCompressParamWT;

class VideoCompressCenterWT final : public MediaCenterWT
{
    Q_OBJECT
public:
    explicit VideoCompressCenterWT(QWidget* parent);

    VideoCompressParamWT* param() const { return m_param; }

private:
    VideoCompressParamWT* m_param;
};

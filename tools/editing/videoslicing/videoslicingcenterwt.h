#pragma once

#include "framework/mediacenterwt.h"

class VideoSlicingParamWT;

class VideoSlicingCenterWT final : public MediaCenterWT
{
    Q_OBJECT
public:
    explicit VideoSlicingCenterWT(QWidget* parent);

    VideoSlicingParamWT* param() const { return m_param; }

private:
    VideoSlicingParamWT* m_param;
};

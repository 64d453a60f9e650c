#pragma once

#include "framework/mediacenterwt.h"

class VideoFmtParamWT;

class VideoFmtCenterWT final : public MediaCenterWT
{
    Q_OBJECT
public:
    explicit VideoFmtCenterWT(QWidget* parent);

    VideoFmtParamWT* param() const { return m_param; }

private:
    VideoFmtParamWT* m_param;
};

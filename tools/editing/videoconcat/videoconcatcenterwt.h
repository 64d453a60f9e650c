#pragma once

#include "framework/mediacenterwt.h"

class VideoConcatParamWT;

class VideoConcatCenterWT final : public MediaCenterWT
{
    Q_OBJECT
public:
    explicit VideoConcatCenterWT(QWidget* parent);

    VideoConcatParamWT* param() const { return m_param; }

private:
    VideoConcatParamWT* m_param;
};

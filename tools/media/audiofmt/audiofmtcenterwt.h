#pragma once

#include "framework/mediacenterwt.h"

class AudioFmtParamWT;

class AudioFmtCenterWT final : public MediaCenterWT
{
    Q_OBJECT
public:
    explicit AudioFmtCenterWT(QWidget* parent);

    AudioFmtParamWT* param() const { return m_param; }

private:
    AudioFmtParamWT* m_param;
};

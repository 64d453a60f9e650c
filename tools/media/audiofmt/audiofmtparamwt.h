#pragma once

#include "tools/media/common/fmttargetparamwt.h"

class AudioFmtParamWT final : public FmtTargetParamWT
{
    Q_OBJECT
public:
    explicit AudioFmtParamWT(QWidget* parent);
};

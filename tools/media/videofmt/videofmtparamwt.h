#pragma once

#include "tools/media/common/fmttargetparamwt.h"

class VideoFmtParamWT final : public FmtTargetParamWT
{
    Q_OBJECT
public:
    explicit VideoFmtParamWT(QWidget* parent);
};

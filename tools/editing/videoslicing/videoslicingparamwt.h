#pragma once

#include "tools/media/common/fmttargetparamwt.h"

// The slicing page's panel: the target format of every piece, the output folder, the start.
class VideoSlicingParamWT final : public FmtTargetParamWT
{
    Q_OBJECT
public:
    explicit VideoSlicingParamWT(QWidget* parent);
};

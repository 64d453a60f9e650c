#pragma once

#include "tools/media/common/fmttargetparamwt.h"

// The concatenation page's panel: the joined file's format (a real one: the pieces may differ), the
// output folder, the start.
class VideoConcatParamWT final : public FmtTargetParamWT
{
    Q_OBJECT
public:
    explicit VideoConcatParamWT(QWidget* parent);
};

#pragma once

#include "tools/media/common/fmttargetitemwt.h"

// The target of one row of the audio format page: audio presets only.
class AudioFmtDistItemWT final : public FmtTargetItemWT
{
    Q_OBJECT
public:
    explicit AudioFmtDistItemWT(QWidget* parent);
};

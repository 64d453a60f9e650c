#pragma once

#include "tools/media/common/fmttargetitemwt.h"

// The target of one row of the video format page: any video or audio preset.
class VideoFmtTableDistItemWT final : public FmtTargetItemWT
{
    Q_OBJECT
public:
    explicit VideoFmtTableDistItemWT(QWidget* parent);

public slots:
    void setVideoSize(int value);
};

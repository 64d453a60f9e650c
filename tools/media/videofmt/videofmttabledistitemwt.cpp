#include "tools/media/videofmt/videofmttabledistitemwt.h"

#include "tools/media/fmtchoosen/fmtchoosenwt.h"

VideoFmtTableDistItemWT::VideoFmtTableDistItemWT(QWidget* parent)
    : FmtTargetItemWT(FmtChoosenWT::VideoAndAudio, parent)
{
}

void VideoFmtTableDistItemWT::setVideoSize(int) {}

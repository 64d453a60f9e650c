#include "tools/media/videofmt/videofmtparamwt.h"

#include "tools/media/fmtchoosen/fmtchoosenwt.h"

VideoFmtParamWT::VideoFmtParamWT(QWidget* parent) : FmtTargetParamWT(FmtChoosenWT::VideoAndAudio, parent) {}

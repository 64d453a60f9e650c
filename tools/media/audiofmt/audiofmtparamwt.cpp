#include "tools/media/audiofmt/audiofmtparamwt.h"

#include "tools/media/fmtchoosen/fmtchoosenwt.h"

AudioFmtParamWT::AudioFmtParamWT(QWidget* parent) : FmtTargetParamWT(FmtChoosenWT::AudioOnly, parent) {}

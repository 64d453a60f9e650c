#include "tools/media/audiofmt/audiofmtdistitemwt.h"

#include "tools/media/fmtchoosen/fmtchoosenwt.h"

AudioFmtDistItemWT::AudioFmtDistItemWT(QWidget* parent) : FmtTargetItemWT(FmtChoosenWT::AudioOnly, parent) {}

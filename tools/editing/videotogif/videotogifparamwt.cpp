#include "tools/editing/videotogif/videotogifparamwt.h"

VideoToGifParamWT::VideoToGifParamWT(QWidget* parent) : MediaParamWT(tr("开始转换(极速)"), parent) {}

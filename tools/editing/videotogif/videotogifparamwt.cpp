#include "tools/editing/videotogif/videotogifparamwt.h"

VideoToGifParamWT::VideoToGifParamWT(QWidget* parent) : MediaParamWT(QStringLiteral("开始转换(极速)"), parent)
{
}

#include "tools/editing/videoconcat/videoconcatparamwt.h"

#include "tools/media/fmtchoosen/fmtchoosenwt.h"

VideoConcatParamWT::VideoConcatParamWT(QWidget* parent)
    : FmtTargetParamWT(FmtChoosenWT::VideoOnly, parent, false)
{
}

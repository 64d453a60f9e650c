#include "tools/editing/videoslicing/videoslicingparamwt.h"

#include "tools/media/fmtchoosen/fmtchoosenwt.h"

VideoSlicingParamWT::VideoSlicingParamWT(QWidget* parent) : FmtTargetParamWT(FmtChoosenWT::VideoOnly, parent)
{
}

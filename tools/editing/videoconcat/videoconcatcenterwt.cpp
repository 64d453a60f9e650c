#include "tools/editing/videoconcat/videoconcatcenterwt.h"

#include "media/mediaextensionlists.h"
#include "tools/editing/videoconcat/videoconcatparamwt.h"

VideoConcatCenterWT::VideoConcatCenterWT(QWidget* parent)
    : MediaCenterWT(tr("支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式"), &MediaExtensionLists::videoConcat(),
                    parent),
      m_param(new VideoConcatParamWT(this))
{
    setPanel(m_param);
}

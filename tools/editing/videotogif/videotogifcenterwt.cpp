#include "tools/editing/videotogif/videotogifcenterwt.h"

#include "media/mediaextensionlists.h"
#include "tools/editing/videotogif/videotogifparamwt.h"

VideoToGifCenterWT::VideoToGifCenterWT(QWidget* parent)
    : MediaCenterWT(tr("支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式"), &MediaExtensionLists::videoEditing(),
                    parent),
      m_param(new VideoToGifParamWT(this))
{
    setPanel(m_param);
}

#include "tools/editing/videoslicing/videoslicingcenterwt.h"

#include "media/mediaextensionlists.h"
#include "tools/editing/videoslicing/videoslicingparamwt.h"

VideoSlicingCenterWT::VideoSlicingCenterWT(QWidget* parent)
    : MediaCenterWT(tr("支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式"), &MediaExtensionLists::videoEditing(),
                    parent),
      m_param(new VideoSlicingParamWT(this))
{
    setPanel(m_param);
}

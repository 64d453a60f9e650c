#include "tools/media/videofmt/videofmtcenterwt.h"

#include "media/mediaextensionlists.h"
#include "tools/media/videofmt/videofmtparamwt.h"

VideoFmtCenterWT::VideoFmtCenterWT(QWidget* parent)
    : MediaCenterWT(tr("支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式"), &MediaExtensionLists::videoFormat(),
                    parent),
      m_param(new VideoFmtParamWT(this))
{
    setPanel(m_param);
}

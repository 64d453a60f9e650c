#include "tools/media/videocompress/videocompresscenterwt.h"

#include "media/mediaextensionlists.h"
#include "tools/media/videocompress/videocompressparamwt.h"

VideoCompressCenterWT::VideoCompressCenterWT(QWidget* parent)
    : MediaCenterWT(tr("支持 mp4，mov，mkv，avi，flv，wmv，qlv 等格式"),
                    &MediaExtensionLists::videoCompression(), parent),
      m_param(new VideoCompressParamWT(this))
{
    setPanel(m_param);
}

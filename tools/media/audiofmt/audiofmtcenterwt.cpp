#include "tools/media/audiofmt/audiofmtcenterwt.h"

#include "media/mediaextensionlists.h"
#include "tools/media/audiofmt/audiofmtparamwt.h"

AudioFmtCenterWT::AudioFmtCenterWT(QWidget* parent)
    : MediaCenterWT(tr("支持 mp3，wav，m4a，wma，aac，flac，ac3，ogg 格式"),
                    &MediaExtensionLists::audioFormat(), parent),
      m_param(new AudioFmtParamWT(this))
{
    setPanel(m_param);
}

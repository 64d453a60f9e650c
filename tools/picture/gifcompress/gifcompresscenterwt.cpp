#include "tools/picture/gifcompress/gifcompresscenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/gifcompress/gifcompressparamwt.h"

GifCompressCenterWT::GifCompressCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 gif 格式的图片"), &ExtensionLists::gif(), MyTable::Form::Compression, parent),
      m_param(new GifCompressParamWT(this))
{
    setPanel(m_param);
}

#include "tools/picture/compress/compresscenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/compress/compressparamwt.h"

CompressCenterWT::CompressCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 png，jpg，jpeg 格式的图片进行压缩"), &ExtensionLists::compression(),
                      MyTable::Form::Compression, parent),
      m_param(new CompressParamWT(this))
{
    setPanel(m_param);
}

#include "tools/picture/heictoimg/heictoimgcenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/heictoimg/heictoimgparamwt.h"

HeicToImgCenterWT::HeicToImgCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 heic，heif 格式的图片"), &ExtensionLists::heic(), MyTable::Form::Standard,
                      parent),
      m_param(new HeicToImgParamWT(this))
{
    setPanel(m_param);
}

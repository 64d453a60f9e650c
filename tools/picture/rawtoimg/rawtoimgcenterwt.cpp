#include "tools/picture/rawtoimg/rawtoimgcenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/rawtoimg/rawtoimgparamwt.h"

RawToImgCenterWT::RawToImgCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 raw，crw，raf，cr2，cr3，mrw，nef，orf，dng 等格式的图片"),
                      &ExtensionLists::raw(), MyTable::Form::Standard, parent),
      m_param(new RawToImgParamWT(this))
{
    setPanel(m_param);
}

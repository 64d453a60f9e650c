#include "tools/picture/rotateimg/rotateimgcenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/rotateimg/rotateimgparamwt.h"

RotateImgCenterWT::RotateImgCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 jpg，jpeg，png，bmp 格式的图片"), &ExtensionLists::rotate(),
                      MyTable::Form::Standard, parent),
      m_param(new RotateImgParamWT(this))
{
    setPanel(m_param);
}

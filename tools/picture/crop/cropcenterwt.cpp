#include "tools/picture/crop/cropcenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/crop/cropparamwt.h"

CropCenterWT::CropCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 jpg，jpeg，png，bmp，tif，tiff 格式剪切"), &ExtensionLists::crop(),
                      MyTable::Form::Crop, parent),
      m_param(new CropParamWT(this))
{
    setPanel(m_param);
}

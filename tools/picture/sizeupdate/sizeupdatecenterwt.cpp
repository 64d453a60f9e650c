#include "tools/picture/sizeupdate/sizeupdatecenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/sizeupdate/sizeupdateparamwt.h"

SizeUpdateCenterWT::SizeUpdateCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 jpg，jpeg，png，raw，bmp，tif，tiff，webp 等上百种格式"),
                      &ExtensionLists::allPictures(), MyTable::Form::Standard, parent),
      m_param(new SizeUpdateParamWT(this))
{
    setPanel(m_param);
}

#include "tools/picture/chformat/chfcenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/chformat/chfparamwt.h"

CHFCenterWT::CHFCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 jpg，jpeg，png，bmp，tif，tiff，webp 等上百种格式"),
                      &ExtensionLists::allPictures(), MyTable::Form::Standard, parent),
      m_param(new CHFParamWT(this))
{
    setPanel(m_param);
}

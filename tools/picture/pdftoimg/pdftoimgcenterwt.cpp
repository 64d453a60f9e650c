#include "tools/picture/pdftoimg/pdftoimgcenterwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/pdftoimg/pdftoimgparamwt.h"

PdfToImgCenterWT::PdfToImgCenterWT(QWidget* parent)
    : PictureCenterWT(tr("支持 pdf 格式转换"), &ExtensionLists::pdf(), MyTable::Form::Standard, parent),
      m_param(new PdfToImgParamWT(this))
{
    setPanel(m_param);
}

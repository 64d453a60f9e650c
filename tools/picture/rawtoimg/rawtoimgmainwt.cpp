#include "tools/picture/rawtoimg/rawtoimgmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/rawtoimg/rawtoimgcenterwt.h"
#include "tools/picture/rawtoimg/rawtoimgparamwt.h"

RawToImgMainWT::RawToImgMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::raw(),
                    {QStringLiteral("打开图片"), QStringLiteral("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent),
      m_centerWidget(new RawToImgCenterWT(this))
{
    setStyleSheet(QStringLiteral("RawToImgMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param(), SLOT(rawToImg()));
}

void RawToImgMainWT::rawToImg()
{
    startBatch(m_centerWidget->param()->jobParams(ImgOperation::Conversion));
}

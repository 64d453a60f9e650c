#include "tools/picture/heictoimg/heictoimgmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/heictoimg/heictoimgcenterwt.h"
#include "tools/picture/heictoimg/heictoimgparamwt.h"

#include "widgets/submitbtn.h"

#include <QPushButton>

HeicToImgMainWT::HeicToImgMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::heic(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void HeicToImgMainWT::buildPage()
{
    m_centerWidget = new HeicToImgCenterWT(this);
    setStyleSheet(QStringLiteral("HeicToImgMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &HeicToImgMainWT::toImg);
}

void HeicToImgMainWT::toImg()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams(ImgOperation::FirstDotConversion));
}

#include "tools/picture/rawtoimg/rawtoimgmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/rawtoimg/rawtoimgcenterwt.h"
#include "tools/picture/rawtoimg/rawtoimgparamwt.h"

#include "widgets/submitbtn.h"

#include <QPushButton>

RawToImgMainWT::RawToImgMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::raw(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void RawToImgMainWT::buildPage()
{
    m_centerWidget = new RawToImgCenterWT(this);
    setStyleSheet(QStringLiteral("RawToImgMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &RawToImgMainWT::rawToImg);
}

void RawToImgMainWT::rawToImg()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams(ImgOperation::Conversion));
}

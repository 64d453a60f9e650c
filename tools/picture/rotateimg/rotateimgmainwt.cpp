#include "tools/picture/rotateimg/rotateimgmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/rotateimg/rotateimgcenterwt.h"
#include "tools/picture/rotateimg/rotateimgparamwt.h"

#include "widgets/submitbtn.h"

#include <QPushButton>

RotateImgMainWT::RotateImgMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::rotate(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void RotateImgMainWT::buildPage()
{
    m_centerWidget = new RotateImgCenterWT(this);
    setStyleSheet(QStringLiteral("RotateImgMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &RotateImgMainWT::rotate);
}

void RotateImgMainWT::rotate()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams());
}

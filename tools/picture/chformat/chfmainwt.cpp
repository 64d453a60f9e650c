#include "tools/picture/chformat/chfmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/chformat/chfcenterwt.h"
#include "tools/picture/chformat/chfparamwt.h"

#include "widgets/submitbtn.h"

#include <QPushButton>

CHFMainWT::CHFMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::allPictures(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::OutputFolder, parent)
{
}

void CHFMainWT::buildPage()
{
    m_centerWidget = new CHFCenterWT(this);
    setStyleSheet(QStringLiteral("CHFMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &CHFMainWT::chFormat);
}

void CHFMainWT::chFormat()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams(ImgOperation::Conversion));
}

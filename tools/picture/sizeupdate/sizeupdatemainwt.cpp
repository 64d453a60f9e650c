#include "tools/picture/sizeupdate/sizeupdatemainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/sizeupdate/sizeupdatecenterwt.h"
#include "tools/picture/sizeupdate/sizeupdateparamwt.h"

#include "widgets/submitbtn.h"

#include <QPushButton>

SizeUpdateMainWT::SizeUpdateMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::allPictures(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void SizeUpdateMainWT::buildPage()
{
    m_centerWidget = new SizeUpdateCenterWT(this);
    setStyleSheet(QStringLiteral("SizeUpdateMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this,
            &SizeUpdateMainWT::sizeUpdate);
}

void SizeUpdateMainWT::sizeUpdate()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams(ImgOperation::Conversion));
}

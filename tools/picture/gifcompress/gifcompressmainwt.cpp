#include "tools/picture/gifcompress/gifcompressmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/gifcompress/gifcompresscenterwt.h"
#include "tools/picture/gifcompress/gifcompressparamwt.h"
#include "widgets/submitbtn.h"

#include <QPushButton>

GifCompressMainWT::GifCompressMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::gif(), {tr("打开图片"), tr("请添加要压缩的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void GifCompressMainWT::buildPage()
{
    m_centerWidget = new GifCompressCenterWT(this);
    setStyleSheet(QStringLiteral("GifCompressMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this,
            &GifCompressMainWT::compress);
}

void GifCompressMainWT::compress()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams(ImgOperation::GifCompression));
}

#include "tools/picture/compress/compressmainwt.h"

#include "imaging/extensionlists.h"
#include "imaging/imgbatchrunner.h"
#include "tools/picture/compress/compresscenterwt.h"
#include "tools/picture/compress/compressparamwt.h"
#include "widgets/submitbtn.h"

#include <QPushButton>

CompressMainWT::CompressMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::compression(), {tr("打开图片"), tr("请添加要压缩的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void CompressMainWT::buildPage()
{
    m_centerWidget = new CompressCenterWT(this);
    setStyleSheet(QStringLiteral("CompressMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &CompressMainWT::compress);
}

void CompressMainWT::compress()
{
    ensureBuilt();
    if (!mayStart())
        return;
    // With every listed file gone there is nothing to run, and the page stays idle.
    const QList<ImgJobRecord> records = collectRecords();
    if (records.isEmpty())
        return;
    runBatch(
        new ImgBatchRunner(m_centerWidget->param()->jobParams(ImgOperation::Compression), records, this));
}

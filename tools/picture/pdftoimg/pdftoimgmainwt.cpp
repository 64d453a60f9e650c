#include "tools/picture/pdftoimg/pdftoimgmainwt.h"

#include "imaging/extensionlists.h"
#include "tools/picture/pdftoimg/pdftoimgcenterwt.h"
#include "tools/picture/pdftoimg/pdftoimgparamwt.h"
#include "widgets/submitbtn.h"

#include <QPushButton>

PdfToImgMainWT::PdfToImgMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::pdf(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void PdfToImgMainWT::buildPage()
{
    m_centerWidget = new PdfToImgCenterWT(this);
    setStyleSheet(QStringLiteral("PdfToImgMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &PdfToImgMainWT::pdfToImg);
}

void PdfToImgMainWT::pdfToImg()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams());
}

QList<ImgJobRecord> PdfToImgMainWT::collectRecords()
{
    const PdfToImgParamWT* param = m_centerWidget->param();
    QList<ImgJobRecord> records = PicturePageWT::collectRecords();
    for (ImgJobRecord& record : records)
        ImgJobRecords::setPdfOptions(record, param->definition(), param->joinPages());
    return records;
}

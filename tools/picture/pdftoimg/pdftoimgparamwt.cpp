#include "tools/picture/pdftoimg/pdftoimgparamwt.h"

#include "widgets/mycombobox.h"

PdfToImgParamWT::PdfToImgParamWT(QWidget* parent)
    : PictureParamWT(tr("开始转换"), QStringLiteral(":/icons/icons/sub_chformat_white.png"), parent),
      m_format(new MyComboBox(this)), m_quality(new MyComboBox(this)), m_join(new MyComboBox(this))
{
    // The formats a page can become: the first six codes, JPG to TIFF.
    for (const ImgFormats::Entry& entry : ImgFormats::table()) {
        if (static_cast<int>(entry.format) <= static_cast<int>(ImgFormat::Tiff))
            m_format->insertItem(m_format->count(), QIcon(), entry.label, static_cast<int>(entry.format));
    }
    m_quality->insertItem(0, QIcon(), tr("超清"), 0);
    m_quality->insertItem(1, QIcon(), tr("高清"), 1);
    m_quality->insertItem(2, QIcon(), tr("标清"), 2);
    m_quality->setCurrentIndex(m_quality->findData(1));
    // The record's join value: "0" joins.
    m_join->insertItem(0, QIcon(), tr("否"), 1);
    m_join->insertItem(1, QIcon(), tr("是"), 0);

    addParamRow(1, tr("输出格式："), m_format);
    addSeparator(2);
    addParamRow(3, tr("图像质量："), m_quality);
    addParamRow(4, tr("合成长图："), m_join);
}

ImgFormat PdfToImgParamWT::format() const
{
    return ImgFormats::fromCode(m_format->currentData().toInt());
}

int PdfToImgParamWT::definition() const
{
    return m_quality->currentData().toInt();
}

bool PdfToImgParamWT::joinPages() const
{
    return m_join->currentData().toInt() == 0;
}

ImgJobParams PdfToImgParamWT::jobParams() const
{
    ImgJobParams params;
    params.operation = ImgOperation::PdfToImages;
    params.format = format();
    params.outputDir = outputFolder();
    return params;
}

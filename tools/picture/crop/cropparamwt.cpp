#include "tools/picture/crop/cropparamwt.h"

#include "widgets/mycombobox.h"

#include <QGridLayout>

CropParamWT::CropParamWT(QWidget* parent)
    : PictureParamWT(tr("开始切割"), QStringLiteral(":/icons/icons/sub_chformat_white.png"), parent),
      m_format(new MyComboBox(this))
{
    for (const ImgFormats::Entry& entry : ImgFormats::table())
        m_format->insertItem(m_format->count(), QIcon(), entry.label, static_cast<int>(entry.format));
    addParamRow(0, tr("输出格式："), m_format);
}

ImgJobParams CropParamWT::jobParams() const
{
    ImgJobParams params;
    params.operation = ImgOperation::Crop;
    params.format = ImgFormats::fromCode(m_format->currentData().toInt());
    params.outputDir = outputFolder();
    return params;
}

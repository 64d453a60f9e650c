#include "framework/convertparamwt.h"

#include "platform/logcategories.h"
#include "widgets/mycombobox.h"
#include "widgets/mylineedit.h"
#include "widgets/paramlabel.h"

#include <QDebug>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

MyLineEdit* ConvertParamWT::makeSizeEdit(const QString& hint, QWidget* parent)
{
    auto* edit = new MyLineEdit(parent);
    // QIntValidator keeps 99999 as "intermediate" text; this one refuses it as typed.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("10000|[0-9]{0,4}")), edit));
    edit->setPlaceholderText(hint);
    edit->setToolTip(hint);
    return edit;
}

int ConvertParamWT::sizeValue(const MyLineEdit* edit)
{
    // 0 says as little as an empty edit: the aspect ratio decides.
    const int value = edit->text().toInt();
    return value > 0 ? value : -1;
}

QVector<ConvertParamWT::SizeItem> ConvertParamWT::plainSizes()
{
    return {{tr("原始尺寸"), 0}, {tr("自定义"), 50}};
}

QVector<ConvertParamWT::SizeItem> ConvertParamWT::presetSizes()
{
    return {{tr("原始尺寸"), 0},     {tr("电脑尺寸"), 1},  {tr("手机尺寸"), 3},  {tr("微信表情(大)"), 4},
            {tr("微信表情(小)"), 5}, {tr("证件照1寸"), 6}, {tr("证件照2寸"), 7}, {tr("自定义"), 50}};
}

int ConvertParamWT::presetWidth(int data)
{
    switch (data) {
    case 1:
        return 1024;
    case 3:
        return 480;
    case 4:
        return 200;
    case 5:
        return 140;
    case 6:
        return 295;
    case 7:
        return 413;
    default:
        return -1;
    }
}

int ConvertParamWT::presetHeight(int data)
{
    switch (data) {
    case 6:
        return 413;
    case 7:
        return 626;
    default:
        return -1;
    }
}

ConvertParamWT::ConvertParamWT(const QVector<SizeItem>& sizes, const QString& submitIcon, QWidget* parent)
    : PictureParamWT(tr("开始转换"), submitIcon, parent), m_format(new MyComboBox(this)),
      m_size(new MyComboBox(this)), m_width(makeSizeEdit(tr("为空则等比例计算宽度"), this)),
      m_height(makeSizeEdit(tr("为空则等比例计算高度"), this))
{
    for (const ImgFormats::Entry& entry : ImgFormats::table())
        m_format->insertItem(m_format->count(), QIcon(), entry.label, static_cast<int>(entry.format));
    for (int i = 0; i < sizes.size(); ++i)
        m_size->insertItem(i, QIcon(), sizes.at(i).first, sizes.at(i).second);

    addParamRow(1, tr("输出格式："), m_format);
    addSeparator(2);
    addParamRow(3, tr("设置大小："), m_size);
    m_widthLabel = addParamRow(4, tr("宽度(像素)："), m_width);
    m_heightLabel = addParamRow(5, tr("高度(像素)："), m_height);

    connect(m_size, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ConvertParamWT::chooseSettingSize);
    chooseSettingSize(0);
}

void ConvertParamWT::setSizeFieldsVisible(bool visible)
{
    for (QWidget* widget : {static_cast<QWidget*>(m_widthLabel), static_cast<QWidget*>(m_width),
                            static_cast<QWidget*>(m_heightLabel), static_cast<QWidget*>(m_height)})
        widget->setVisible(visible);
}

void ConvertParamWT::chooseSettingSize(int index)
{
    const int data = m_size->itemData(index).toInt();
    const bool known = data == 0 || data == 50 || presetWidth(data) != -1;
    if (!known)
        return;
    setSizeFieldsVisible(data != 0);
    m_width->clear();
    m_height->clear();
    if (presetWidth(data) != -1)
        m_width->setText(QString::number(presetWidth(data)));
    if (presetHeight(data) != -1)
        m_height->setText(QString::number(presetHeight(data)));
}

ImgFormat ConvertParamWT::format() const
{
    return ImgFormats::fromCode(m_format->currentData().toInt());
}

int ConvertParamWT::widthValue() const
{
    return sizeValue(m_width);
}

int ConvertParamWT::heightValue() const
{
    return sizeValue(m_height);
}

QString ConvertParamWT::widthText() const
{
    return m_width->text();
}

QString ConvertParamWT::heightText() const
{
    return m_height->text();
}

ImgJobParams ConvertParamWT::jobParams(ImgOperation operation) const
{
    ImgJobParams params;
    params.operation = operation;
    params.format = format();
    params.width = widthValue();
    params.height = heightValue();
    params.outputDir = outputFolder();
    qCDebug(lcFramework) << "zoomWidth:" << params.width << ",zoomHeight:" << params.height
                         << ",widthText:" << widthText() << ",heightText:" << heightText();
    return params;
}

#include "framework/levelparamwt.h"

#include "framework/convertparamwt.h"
#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "widgets/mycombobox.h"
#include "widgets/mylineedit.h"
#include "widgets/paramlabel.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>

namespace {
// The item texts; the two middle levels are the ones to take when in doubt.
const char* const kLevelTexts[] = {"90",
                                   QT_TRANSLATE_NOOP("LevelParamWT", "80(推荐)"),
                                   QT_TRANSLATE_NOOP("LevelParamWT", "70(推荐)"),
                                   "60",
                                   "50",
                                   "40",
                                   "30",
                                   "20",
                                   "10"};
constexpr int kDefaultLevel = 2;
} // namespace

LevelParamWT::LevelParamWT(const QVector<int>& levels, QWidget* parent)
    : PictureParamWT(tr("开始压缩"), QStringLiteral(":/icons/icons/sub_compress_white.png"), parent),
      m_levels(levels), m_level(new MyComboBox(this)), m_size(new MyComboBox(this)),
      m_width(ConvertParamWT::makeSizeEdit(tr("为空则等比例计算宽度"), this)),
      m_height(ConvertParamWT::makeSizeEdit(tr("为空则等比例计算高度"), this))
{
    for (int i = 0; i < m_levels.size() && i < int(std::size(kLevelTexts)); ++i)
        m_level->insertItem(i, QIcon(), QCoreApplication::translate("LevelParamWT", kLevelTexts[i]),
                            m_levels.at(i));
    m_level->setCurrentIndex(kDefaultLevel);
    const QVector<ConvertParamWT::SizeItem> sizes = ConvertParamWT::plainSizes();
    for (int i = 0; i < sizes.size(); ++i)
        m_size->insertItem(i, QIcon(), sizes.at(i).first, sizes.at(i).second);

    addParamRow(0, tr("压缩等级："), m_level);
    auto* note = new QLabel(tr("等级高，图片清晰，等级低，压缩率高"), this);
    note->setObjectName(QStringLiteral("levelNote"));
    note->setFont(AppFonts::standardFont());
    note->setStyleSheet(StyleSheet::make("QLabel{color:@startButton;}"));
    note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid()->addWidget(note, 1, 0, 1, 4);
    addSeparator(2);
    addParamRow(3, tr("设置大小："), m_size);
    m_widthLabel = addParamRow(4, tr("宽度(像素)："), m_width);
    m_heightLabel = addParamRow(5, tr("高度(像素)："), m_height);

    connect(m_size, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LevelParamWT::chooseSettingSize);
    chooseSettingSize(0);
}

void LevelParamWT::chooseSettingSize(int index)
{
    const int data = m_size->itemData(index).toInt();
    if (data != 0 && data != 50)
        return;
    for (QWidget* widget : {static_cast<QWidget*>(m_widthLabel), static_cast<QWidget*>(m_width),
                            static_cast<QWidget*>(m_heightLabel), static_cast<QWidget*>(m_height)})
        widget->setVisible(data == 50);
    m_width->clear();
    m_height->clear();
}

int LevelParamWT::level() const
{
    return m_level->currentData().toInt();
}

int LevelParamWT::widthValue() const
{
    return ConvertParamWT::sizeValue(m_width);
}

int LevelParamWT::heightValue() const
{
    return ConvertParamWT::sizeValue(m_height);
}

ImgJobParams LevelParamWT::jobParams(ImgOperation operation) const
{
    ImgJobParams params;
    params.operation = operation;
    params.format = ImgFormat::KeepSource;
    params.level = level();
    params.width = widthValue();
    params.height = heightValue();
    params.outputDir = outputFolder();
    qCDebug(lcFramework) << "level:" << params.level << ",zoomWidth:" << params.width
                         << ",zoomHeight:" << params.height;
    return params;
}

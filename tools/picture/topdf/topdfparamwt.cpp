#include "tools/picture/topdf/topdfparamwt.h"

#include "widgets/mycombobox.h"
#include <QCoreApplication>

namespace {
struct Item
{
    const char* text;
    int value;
};

MyComboBox* makeCombo(std::initializer_list<Item> items, QWidget* parent)
{
    auto* combo = new MyComboBox(parent);
    for (const Item& item : items)
        combo->addItem(QCoreApplication::translate("ToPDFParamWT", item.text), item.value);
    return combo;
}

int valueOf(const MyComboBox* combo)
{
    return combo->currentData().toInt();
}
} // namespace

ToPDFParamWT::ToPDFParamWT(QWidget* parent)
    : PictureParamWT(tr("开始转换"), QStringLiteral(":/icons/icons/sub_chformat_white.png"), parent),
      m_mode(makeCombo({{QT_TRANSLATE_NOOP("ToPDFParamWT", "合并输出"), ToPDFThread::Merged},
                        {QT_TRANSLATE_NOOP("ToPDFParamWT", "逐个输出"), ToPDFThread::OnePerPicture}},
                       this)),
      m_paper(makeCombo({{"A0", QPageSize::A0}, {"A1", QPageSize::A1}, {"A2", QPageSize::A2},
                         {"A3", QPageSize::A3}, {"A4", QPageSize::A4}, {"A5", QPageSize::A5},
                         {"A6", QPageSize::A6}, {"A7", QPageSize::A7}, {"A8", QPageSize::A8},
                         {"A9", QPageSize::A9}, {"B0", QPageSize::B0}, {"B1", QPageSize::B1},
                         {"B2", QPageSize::B2}, {"B3", QPageSize::B3}, {"B4", QPageSize::B4},
                         {"B5", QPageSize::B5}, {"B6", QPageSize::B6}, {"B7", QPageSize::B7},
                         {"B8", QPageSize::B8}, {"B9", QPageSize::B9}, {"B10", QPageSize::B10}},
                        this)),
      m_orientation(makeCombo(
          {{QT_TRANSLATE_NOOP("ToPDFParamWT", "横向"), 1}, {QT_TRANSLATE_NOOP("ToPDFParamWT", "纵向"), 0}},
          this)),
      m_margins(makeCombo({{QT_TRANSLATE_NOOP("ToPDFParamWT", "宽边距"), ToPDFThread::Wide},
                           {QT_TRANSLATE_NOOP("ToPDFParamWT", "窄边距"), ToPDFThread::Narrow},
                           {QT_TRANSLATE_NOOP("ToPDFParamWT", "无边距"), ToPDFThread::NoMargins}},
                          this))
{
    m_paper->setCurrentIndex(m_paper->findText(QStringLiteral("A4")));
    addParamRow(0, QCoreApplication::translate("ToPDFParamWT", "输出方式："), m_mode);
    addSeparator(1);
    addParamRow(2, QCoreApplication::translate("ToPDFParamWT", "纸张大小："), m_paper);
    addParamRow(3, QCoreApplication::translate("ToPDFParamWT", "纸张方向："), m_orientation);
    addParamRow(4, QCoreApplication::translate("ToPDFParamWT", "页面边距："), m_margins);
}

ToPDFThread::Options ToPDFParamWT::options() const
{
    ToPDFThread::Options options;
    options.outputMode = valueOf(m_mode);
    options.paperSize = valueOf(m_paper);
    options.orientation = valueOf(m_orientation);
    options.margins = valueOf(m_margins);
    options.outputFolder = outputFolder();
    return options;
}

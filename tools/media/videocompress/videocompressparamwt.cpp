#include "tools/media/videocompress/videocompressparamwt.h"

#include "widgets/mycombobox.h"
#include "widgets/paramlabel.h"

#include <QCoreApplication>
#include <QGridLayout>

VideoCompressParamWT::VideoCompressParamWT(QWidget* parent)
    : MediaParamWT(tr("开始压缩(极速)"), parent),
      m_modeBox(addRow(0, tr("压缩设置:"), {tr("快捷设置"), tr("自定义")})),
      m_ratioBox(addRow(1, QCoreApplication::translate("VideoCompressParamWT", "压缩比:"),
                        {"-10%", "-20%", "-30%", "-40%", "-50%", "-60%", "-70%"})),
      m_bitRateBox(
          addRow(2, QCoreApplication::translate("VideoCompressParamWT", "比特率："),
                 {QCoreApplication::translate("VideoCompressParamWT", "自动"), "120 kbps", "200 kbps",
                  "256 kbps", "384 kbps", "512 kbps", "768 kbps", "1024 kbps", "1200 kbps", "1600 kbps"})),
      m_resolutionBox(
          addRow(3, QCoreApplication::translate("VideoCompressParamWT", "分辨率："),
                 {QCoreApplication::translate("VideoCompressParamWT", "自动"), "240x160", "320x240",
                  "480x320", "640x480", "720x480", "768x576", "750x1334", "1280x720", "2704x1520"}))
{
    for (int row = 1; row < 4; ++row) {
        QList<QWidget*>& rows = row == 1 ? m_quickRow : m_customRows;
        for (int column : {0, 1})
            rows << grid()->itemAtPosition(row, column)->widget();
    }
    connect(m_modeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &VideoCompressParamWT::compressTotalSet);
    compressTotalSet(0);
}

MyComboBox* VideoCompressParamWT::addRow(int row, const QString& caption, const QStringList& items)
{
    auto* label = new ParamLabel(this);
    label->setText(caption);
    auto* box = new MyComboBox(this);
    box->addItems(items);
    grid()->addWidget(label, row, 0);
    grid()->addWidget(box, row, 1, 1, 3);
    return box;
}

void VideoCompressParamWT::compressTotalSet(int index)
{
    for (QWidget* widget : qAsConst(m_quickRow))
        widget->setVisible(index == 0);
    for (QWidget* widget : qAsConst(m_customRows))
        widget->setVisible(index == 1);
}

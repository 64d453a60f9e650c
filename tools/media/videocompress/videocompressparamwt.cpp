#include "tools/media/videocompress/videocompressparamwt.h"

#include "widgets/mycombobox.h"
#include "widgets/mylineedit.h"
#include "widgets/paramlabel.h"

#include <QCoreApplication>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QLocale>

VideoCompressParamWT::VideoCompressParamWT(QWidget* parent)
    : MediaParamWT(tr("开始压缩(极速)"), parent),
      m_modeBox(addRow(0, tr("压缩设置:"), {tr("快捷设置"), tr("自定义"), tr("目标大小")})),
      m_ratioBox(addRow(1, QCoreApplication::translate("VideoCompressParamWT", "压缩比:"),
                        {"-10%", "-20%", "-30%", "-40%", "-50%", "-60%", "-70%"})),
      m_bitRateBox(
          addRow(2, QCoreApplication::translate("VideoCompressParamWT", "比特率："),
                 {QCoreApplication::translate("VideoCompressParamWT", "自动"), "120 kbps", "200 kbps",
                  "256 kbps", "384 kbps", "512 kbps", "768 kbps", "1024 kbps", "1200 kbps", "1600 kbps"})),
      m_resolutionBox(
          addRow(3, QCoreApplication::translate("VideoCompressParamWT", "分辨率："),
                 {QCoreApplication::translate("VideoCompressParamWT", "自动"), "240x160", "320x240",
                  "480x320", "640x480", "720x480", "768x576", "750x1334", "1280x720", "2704x1520"})),
      m_targetField(new MyLineEdit(this))
{
    for (int row = 1; row < 4; ++row) {
        QList<QWidget*>& rows = row == 1 ? m_quickRow : m_customRows;
        for (int column : {0, 1})
            rows << grid()->itemAtPosition(row, column)->widget();
    }
    // The target sits where the ratio is: the two never show together.
    auto* caption = new ParamLabel(this);
    caption->setText(QCoreApplication::translate("VideoCompressParamWT", "目标大小:"));
    auto* unit = new ParamLabel(this);
    unit->setText(QStringLiteral("MB"));
    auto* validator = new QDoubleValidator(0.01, 1e6, 2, m_targetField);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    m_targetField->setValidator(validator);
    m_targetField->setText(QStringLiteral("10"));
    m_targetField->setToolTip(
        QCoreApplication::translate("VideoCompressParamWT", "每个文件压缩到不超过这个大小"));
    grid()->addWidget(caption, 1, 0);
    grid()->addWidget(m_targetField, 1, 1, 1, 2);
    grid()->addWidget(unit, 1, 3);
    m_targetRow << caption << m_targetField << unit;

    connect(m_modeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &VideoCompressParamWT::compressTotalSet);
    for (MyComboBox* box : {m_modeBox, m_ratioBox, m_bitRateBox, m_resolutionBox})
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &VideoCompressParamWT::settingsChanged);
    connect(m_targetField, &QLineEdit::textChanged, this, &VideoCompressParamWT::settingsChanged);
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
        widget->setVisible(index == Quick);
    for (QWidget* widget : qAsConst(m_customRows))
        widget->setVisible(index == Custom);
    for (QWidget* widget : qAsConst(m_targetRow))
        widget->setVisible(index == TargetSize);
}

VideoCompressParamWT::Mode VideoCompressParamWT::mode() const
{
    return static_cast<Mode>(qBound(0, m_modeBox->currentIndex(), 2));
}

int VideoCompressParamWT::customBitRate() const
{
    // "512 kbps": the number before the unit; "自动" reads as 0.
    return m_bitRateBox->currentText().section(QLatin1Char(' '), 0, 0).toInt();
}

QSize VideoCompressParamWT::customBox() const
{
    const QStringList sides = m_resolutionBox->currentText().split(QLatin1Char('x'));
    if (sides.size() != 2)
        return QSize();
    return QSize(sides.at(0).toInt(), sides.at(1).toInt());
}

qint64 VideoCompressParamWT::targetBytes() const
{
    bool ok = false;
    const double megabytes = QLocale::c().toDouble(m_targetField->text().trimmed(), &ok);
    return ok && megabytes > 0 ? static_cast<qint64>(megabytes * 1048576.0) : 0;
}

#include "tools/media/videocompress/videocompresstabledistitemwt.h"

#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"
#include "widgets/sliderwidget.h"

#include <QDebug>
#include <QGridLayout>
#include <QLabel>

VideoCompressTableDistItemWT::VideoCompressTableDistItemWT(QWidget* parent)
    : QWidget(parent), m_slider(new SliderWidget(this))
{
    setFixedHeight(100);
    setStyleSheet(StyleSheet::make("QLabel{color:@itemDetail;}"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(5);
    grid->setContentsMargins(0, 5, 0, 5);
    addLabel(tr("压缩比:"), 0, 0);
    m_slider->setRange(30, 90);
    m_slider->setValue(70);
    m_slider->setFixedWidth(WidgetSize::isSmallScreen() ? 110 : 180);
    grid->addWidget(m_slider, 0, 1, 1, 3);
    addLabel(tr("格式:"), 1, 0);
    m_format = addLabel(QString(), 1, 1);
    addLabel(tr("分辨率:"), 1, 2);
    m_resolution = addLabel(QString(), 1, 3);
    addLabel(tr("时长:"), 2, 0);
    m_duration = addLabel(QString(), 2, 1);
    addLabel(tr("大小:"), 2, 2);
    m_size = addLabel(QString(), 2, 3);
    connect(m_slider, &QSlider::valueChanged, this, &VideoCompressTableDistItemWT::setVideoSize);
}

QLabel* VideoCompressTableDistItemWT::addLabel(const QString& text, int row, int column, int columnSpan)
{
    auto* label = new QLabel(text, this);
    label->setFont(AppFonts::itemFont());
    static_cast<QGridLayout*>(layout())->addWidget(label, row, column, 1, columnSpan);
    return label;
}

void VideoCompressTableDistItemWT::setFormatNote(const QString& note)
{
    m_format->setToolTip(note);
}

void VideoCompressTableDistItemWT::setFacts(const QString& format, const QString& resolution,
                                            const QString& duration, const QString& size)
{
    m_format->setText(format);
    m_resolution->setText(resolution);
    m_duration->setText(duration);
    m_size->setText(size);
}

void VideoCompressTableDistItemWT::setRates(int videoBitRate, int totalBitRate, qint64 videoDuration)
{
    m_videoBitRate = videoBitRate;
    m_totalBitRate = totalBitRate;
    m_videoDuration = videoDuration;
}

QString VideoCompressTableDistItemWT::sizeText() const
{
    return m_size->text();
}

QString VideoCompressTableDistItemWT::sizeToolTip() const
{
    return m_size->toolTip();
}

void VideoCompressTableDistItemWT::showEstimate(const QString& text)
{
    m_size->setText(text);
    m_size->setToolTip(tr("压缩后的预计大小"));
}

void VideoCompressTableDistItemWT::showReached(qint64 bytes)
{
    m_size->setText(MyMediaInfo::readableSize(bytes));
    m_size->setToolTip(tr("压缩后的实际大小：%L1 字节").arg(bytes));
}

int VideoCompressTableDistItemWT::jobBitRate(int ratioIndex, int videoBitRate)
{
    return static_cast<int>((9 - ratioIndex) * static_cast<qint64>(videoBitRate) / 10);
}

int VideoCompressTableDistItemWT::sliderBitRate(int value, int videoBitRate)
{
    return static_cast<int>(static_cast<qint64>(videoBitRate) * value / 100);
}

int VideoCompressTableDistItemWT::quickRate(int ratioIndex, int videoBitRate, int totalBitRate)
{
    return static_cast<int>((9 - ratioIndex) * static_cast<double>(videoBitRate) / 10 +
                            (totalBitRate - videoBitRate));
}

int VideoCompressTableDistItemWT::sliderRate(int value, int videoBitRate, int totalBitRate)
{
    return static_cast<int>(totalBitRate - videoBitRate + static_cast<double>(videoBitRate) * value / 100);
}

QString VideoCompressTableDistItemWT::estimateText(qint64 durationMs, int rate)
{
    return MyMediaInfo::readableSize(durationMs * rate * 1024 / 8000);
}

void VideoCompressTableDistItemWT::setVideoSize(int value)
{
    qCDebug(lcTools) << "当前的value为：" << value;
    m_sliderMoved = true;
    m_size->setText(estimateText(m_videoDuration, sliderRate(value, m_videoBitRate, m_totalBitRate)));
}

void VideoCompressTableDistItemWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

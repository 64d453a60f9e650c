#pragma once

#include <QWidget>

class QLabel;
class SliderWidget;

// The compression part of a row: a ratio slider and the facts with the estimated output size.
// Until the user moves the slider the panel's ratio holds; from then on the row's own.
class VideoCompressTableDistItemWT final : public QWidget
{
    Q_OBJECT
public:
    explicit VideoCompressTableDistItemWT(QWidget* parent);

    // The target format's tooltip, where it is not the source's.
    void setFormatNote(const QString& note);
    void setFacts(const QString& format, const QString& resolution, const QString& duration,
                  const QString& size);
    void setRates(int videoBitRate, int totalBitRate, qint64 videoDuration);
    int videoBitRate() const { return m_videoBitRate; }
    int totalBitRate() const { return m_totalBitRate; }
    qint64 videoDuration() const { return m_videoDuration; }
    SliderWidget* slider() const { return m_slider; }
    bool sliderMoved() const { return m_sliderMoved; }
    QString sizeText() const;
    QString sizeToolTip() const;
    void showEstimate(const QString& text);
    // After a run: the size the output reached.
    void showReached(qint64 bytes);

    // Rates in kbit/s (units of 1024 bit/s), durations in milliseconds.
    // The panel's ratio index r keeps (9 - r) tenths of the picture's rate.
    static int jobBitRate(int ratioIndex, int videoBitRate);
    // The slider keeps value hundredths of the picture's rate.
    static int sliderBitRate(int value, int videoBitRate);
    static int quickRate(int ratioIndex, int videoBitRate, int totalBitRate);
    static int sliderRate(int value, int videoBitRate, int totalBitRate);
    // "2.81M": what rate kbit/s over the duration come to.
    static QString estimateText(qint64 durationMs, int rate);

public slots:
    void setVideoSize(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addLabel(const QString& text, int row, int column, int columnSpan = 1);

    SliderWidget* m_slider;
    QLabel* m_format;
    QLabel* m_resolution;
    QLabel* m_duration;
    QLabel* m_size;
    int m_videoBitRate = 0;
    int m_totalBitRate = 0;
    qint64 m_videoDuration = 0;
    bool m_sliderMoved = false;
};

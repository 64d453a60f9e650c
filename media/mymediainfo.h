#pragma once

#include <QObject>
#include <QString>

// The facts of one media file, probed once when its row is made and only read afterwards.
class MyMediaInfo final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MyMediaInfo)
public:
    explicit MyMediaInfo(QObject* parent = nullptr);
    ~MyMediaInfo() override;

    void probe(const QString& path);

    // hh:mm:ss with two digits at least per group; hours grow past two digits from 100 h on.
    static QString durationText(qint64 milliseconds);
    // Two decimals and a unit letter: 1048576 bytes give "1.00M" and "0.00G".
    static QString sizeText(qint64 bytes, int shifts, QChar unit);
    // "2.81M" under a gigabyte, "1.25G" from there on, both counted in 1024s.
    static QString readableSize(qint64 bytes);

    int width() const { return m_width; }
    int height() const { return m_height; }
    qint64 fileSize() const { return m_fileSize; }
    QString fileSizeG() const { return m_fileSizeG; }
    QString fileSizeM() const { return m_fileSizeM; }
    QString fileSizeText() const { return readableSize(m_fileSize); }
    QString fileName() const { return m_fileName; }
    qint64 videoDuration() const { return m_videoDuration; }
    // The length read from the packets where the library gave none.
    void setVideoDuration(qint64 milliseconds);
    // The library's figure; when it has none (Matroska without statistics), derived from the
    // overall rate, or from size and duration, less the sound. 0 when nothing is known.
    int videoBitRate() const { return m_videoBitRate; }
    int totalBitRate() const { return m_totalBitRate; }
    QString videoDurationText() const { return m_videoDurationText; }
    qint64 audioDuration() const { return m_audioDuration; }
    int audioBitRate() const { return m_audioBitRate; }
    QString audioDurationText() const { return m_audioDurationText; }
    QString suffix() const { return m_suffix; }
    int videoCodec() const { return m_videoCodec; }

private:
    void readStreams(void* handle);
    void readFileSystem(const QString& path);
    void deriveVideoBitRate();

    int m_width = 0;
    int m_height = 0;
    qint64 m_fileSize = 0;
    QString m_fileSizeG;
    QString m_fileSizeM;
    QString m_fileName;
    qint64 m_videoDuration = 0;
    int m_videoBitRate = 0;
    int m_totalBitRate = 0;
    QString m_videoDurationText;
    qint64 m_audioDuration = 0;
    int m_audioBitRate = 0;
    QString m_audioDurationText;
    QString m_suffix;
    int m_videoCodec = 50;
};

#pragma once

#include "tools/editing/videocutbasewt.h"

// The to-GIF page's editor: the segment and the output size, whose width, height and scale
// fields follow each other; the preview shrinks with a ratio below 1.
class VideoToGifCut final : public VideoCutBaseWT
{
    Q_OBJECT
public:
    VideoToGifCut(const QString& filePath, int durationMs, int videoWidth, int videoHeight,
                  QWidget* parent = nullptr);

    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    QLineEdit* scaleField() const { return m_scale; }
    QWidget* previewArea() const { return m_area; }

signals:
    void sendData(qint64 beginTimeMills, qint64 endTimeMills, int width, int height, QString& parentObjName);

public slots:
    void onUpperPositionChanged(int milliseconds);
    void onOKBtn() override;
    void widthEditOnTextEdited();
    void heightEditOnTextEdited();
    void scaleEditOnTextEdited();

private:
    void resizeOutput(double ratio);

    QWidget* m_area;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QLineEdit* m_scale;
};

#pragma once

#include "tools/editing/videocutbasewt.h"

class MaskWT;

// The slicing page's editor: the segment to keep and a crop rectangle drawn over the preview,
// sent in source milliseconds and source pixels.
class VideoCutWT final : public VideoCutBaseWT
{
    Q_OBJECT
public:
    VideoCutWT(const QString& filePath, int durationMs, int videoWidth, int videoHeight,
               QWidget* parent = nullptr);

    QLineEdit* xField() const { return m_x; }
    QLineEdit* yField() const { return m_y; }
    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    MaskWT* mask() const { return m_mask; }

signals:
    void sendSliceData(qint64 beginTimeMills, qint64 endTimeMills, int x, int y, int width, int height,
                       QString& parentObjName);

public slots:
    void onUpperPositonChanged(int milliseconds);
    void onCaptureMove(int x, int y, int w, int h);
    void onOKBtn() override;

private:
    MaskWT* m_mask;
    QLineEdit* m_x;
    QLineEdit* m_y;
    QLineEdit* m_width;
    QLineEdit* m_height;
};

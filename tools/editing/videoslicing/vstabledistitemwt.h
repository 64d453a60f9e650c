#pragma once

#include <QWidget>

class QLabel;

// A slicing or to-GIF row's target: the segment the editor confirmed (shown) and its crop or
// output size (kept). Times are milliseconds, sizes source pixels.
class VSTableDistItemWT final : public QWidget
{
    Q_OBJECT
public:
    explicit VSTableDistItemWT(QWidget* parent);

    qint64 beginTime() const { return m_beginTime; }
    qint64 endTime() const { return m_endTime; }
    int cutX() const { return m_cutX; }
    int cutY() const { return m_cutY; }
    int cutWidth() const { return m_cutWidth; }
    int cutHeight() const { return m_cutHeight; }
    void setBeginTime(qint64 milliseconds);
    void setEndTime(qint64 milliseconds);
    void setCutX(int x) { m_cutX = x; }
    void setCutY(int y) { m_cutY = y; }
    void setCutWidth(int width) { m_cutWidth = width; }
    void setCutHeight(int height) { m_cutHeight = height; }
    QString beginText() const;
    QString endText() const;

private:
    qint64 m_beginTime = 0;
    qint64 m_endTime = 0;
    int m_cutX = 0;
    int m_cutY = 0;
    int m_cutWidth = 0;
    int m_cutHeight = 0;
    QLabel* m_begin;
    QLabel* m_end;
};

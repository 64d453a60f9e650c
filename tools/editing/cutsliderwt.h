#pragma once

#include <QWidget>

class QLabel;
class QPainter;

// The cut dialogs' timeline: a play marker and two pointers that bound the segment, over a
// painted bar. Positions are the markers' left edges in pixels; values follow a linear map from
// [0, trackLength] onto [minimum, maximum], truncated to whole numbers.
class CutSliderWT final : public QWidget
{
    Q_OBJECT
public:
    enum Handle
    {
        NoHandle = -1,
        PlayMarker = 1,
        LowerPointer = 2,
        UpperPointer = 3
    };
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 50;
    static constexpr int kTrackLength = 485;
    static constexpr int kPointerWidth = 13;
    static constexpr int kPointerHeight = 25;
    static constexpr int kMarkerSize = 13;

    explicit CutSliderWT(QWidget* parent = nullptr);

    void setMaxValue(double value);
    void setMinValue(double value);
    // Moves the play marker only; no signal. A value outside the bounds leaves the track.
    void setProcessValue(double value);
    double processValue() const { return m_value; }
    double maxValue() const { return m_maximum; }
    double minValue() const { return m_minimum; }

    int valueOfPosition(int x) const;
    int positionOfValue(double value) const;
    int playMarkerX() const;
    int lowerPointerX() const;
    int upperPointerX() const;
    Handle pressedHandle() const { return m_pressed; }

    // The bar as paintEvent draws it, for a widget of the given height.
    static void paintTrack(QPainter& painter, int height, int playX, int lowerX, int upperX);

signals:
    void processPositonChange(int curVal);
    void lowerPositionChanged(int curVal);
    void upperPositionChanged(int curVal);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Handle handleAt(const QPoint& point) const;
    void dragTo(int x);

    double m_maximum = 100.0;
    double m_minimum = 0.0;
    double m_value = 0.0;
    QLabel* m_lower;
    QLabel* m_upper;
    QLabel* m_playMarker;
    Handle m_pressed = NoHandle;
};

#pragma once

#include "widgets/regiongeometry.h"

#include <QColor>
#include <QWidget>

class QPainter;

// The constants that tell the video region box from the picture crop box.
struct RegionLook
{
    int edgeMargin;   // depth of the edge zones; twice it is the smallest side
    int thickness;    // of the handle marks
    int cornerLength; // of each arm of a corner mark
    int middleLength; // of the mark centred on each edge
    QColor handleColour;
};

// The selection box: a transparent child of its mask, moved by dragging its inside and resized
// by dragging its edges and corners, always kept inside the mask.
class RegionBoxWT : public QWidget
{
    Q_OBJECT
public:
    RegionBoxWT(const RegionLook& look, QWidget* mask);

    const RegionLook& look() const { return m_look; }
    RegionGeometry::Zone zone() const { return m_zone; }
    bool isMoving() const { return m_moving; }
    bool isResizing() const { return m_resizing; }

    // The eight red marks for a box of the given size.
    static void paintHandles(QPainter& painter, QSize size, const RegionLook& look);

signals:
    // The box has started or continued a move or a resize.
    void parentMove();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setZone(RegionGeometry::Zone zone);
    void applyResize(QPoint pointerInMask);
    void applyMove(QPoint pointerInMask);
    QSize bounds() const;

    RegionLook m_look;
    bool m_resizing = false;
    bool m_moving = false;
    bool m_pressed = false;
    RegionGeometry::Zone m_zone = RegionGeometry::Inside;
    RegionGeometry::Press m_press;
};

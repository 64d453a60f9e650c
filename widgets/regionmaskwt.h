#pragma once

#include <QWidget>

class QBrush;
class QPainter;
class RegionBoxWT;

// The surface under a selection box: it owns the box, dims what lies outside it and reports the
// box's geometry in its own coordinates whenever the user moves or resizes it.
class RegionMaskWT : public QWidget
{
    Q_OBJECT
public:
    explicit RegionMaskWT(QWidget* parent);

    RegionBoxWT* box() const { return m_box; }
    QRect boxRect() const;
    // Places the box without a captureMove: the owner already knows where it put it.
    void setBoxRect(const QRect& rect);

    // Fills the four bands of a surface of the given size that lie outside box.
    static void paintBands(QPainter& painter, QSize surface, const QRect& box, const QBrush& brush);

signals:
    void captureMove(int x, int y, int width, int height);

public slots:
    void updateMask();

protected:
    // Subclasses create their box in their constructor and hand it over here.
    void adoptBox(RegionBoxWT* box);

private:
    RegionBoxWT* m_box = nullptr;
};

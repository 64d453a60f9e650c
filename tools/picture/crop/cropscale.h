#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The crop dialog's arithmetic between the displayed and the source picture.
namespace CropScale {
// The largest factor that shows the whole picture in the area; 1 for a picture that fits, so
// small pictures are never enlarged.
double fitScale(QSize picture, QSize area);
// The next zoom step above or below the factor, staying at the end of the steps.
double zoomIn(double factor);
double zoomOut(double factor);
// The picture's displayed size at the factor, each side rounded up; clamped to the area if asked.
QSize displayed(QSize picture, double factor, bool clampToArea, QSize area);
// "48%" for 0.4839.
QString percentText(double factor);
// A box on the displayed picture in source pixels: every value rounded up, then kept inside the
// picture.
QRect toSource(const QRect& box, double factor, QSize picture);
// The stored rectangle after its box was moved, not resized, to box on a displayed picture of
// the given size: the size stays exactly as it was, only the corner follows, kept inside the
// picture. A box against an edge of the displayed picture puts the rectangle against that edge.
QRect movedTo(const QRect& source, const QRect& box, QSize shown, double factor, QSize picture);
// A rectangle in source pixels as a box on the displayed picture.
QRect toDisplayed(const QRect& source, double factor);
} // namespace CropScale

#pragma once

#include "widgets/regionmaskwt.h"

#include <QPixmap>

class CropCapWT;

// The picture surface of the crop dialog: the picture, upright, scaled to the mask's size, and
// a translucent veil over what lies outside the selection box.
class CropMaskWT final : public RegionMaskWT
{
    Q_OBJECT
public:
    CropMaskWT(const QString& sourcePath, QWidget* pictureArea);

    // The upright picture's size; empty when the picture could not be read.
    QSize pictureSize() const { return m_picture.size(); }
    CropCapWT* cropCap() const;

    // Paints the picture region exposed of a mask of the given size, then the veil around box.
    static void paintSurface(QPainter& painter, const QPixmap& picture, QSize mask, const QRect& box,
                             const QRect& exposed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_sourcePath;
    QPixmap m_picture;
    // The picture at the mask's size, while that size is small enough to keep.
    QPixmap m_scaled;
};

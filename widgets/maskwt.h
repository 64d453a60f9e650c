#pragma once

#include "widgets/regionmaskwt.h"

class CaptureScreenWT;

// The overlay on a video preview: everything outside the capture box is painted opaque grey, the
// video shows through the box. The owner lays it over the preview with no margins.
class MaskWT final : public RegionMaskWT
{
    Q_OBJECT
public:
    explicit MaskWT(QWidget* parent);

    CaptureScreenWT* captureScreen() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

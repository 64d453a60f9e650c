#pragma once

#include "widgets/regionboxwt.h"

// The region box over a video preview: red bars on its edges, no frame.
class CaptureScreenWT final : public RegionBoxWT
{
    Q_OBJECT
public:
    explicit CaptureScreenWT(QWidget* mask);

    static RegionLook videoLook();
};

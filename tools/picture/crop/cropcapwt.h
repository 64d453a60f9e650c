#pragma once

#include "widgets/regionboxwt.h"

// The crop selection box: a thin red frame with small square handles.
class CropCapWT final : public RegionBoxWT
{
    Q_OBJECT
public:
    explicit CropCapWT(QWidget* mask);

    static RegionLook cropLook();
};

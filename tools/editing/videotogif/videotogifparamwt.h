#pragma once

#include "framework/mediaparamwt.h"

// The to-GIF page's panel: the output folder and the start; the size is chosen per row.
class VideoToGifParamWT final : public MediaParamWT
{
    Q_OBJECT
public:
    explicit VideoToGifParamWT(QWidget* parent);
};

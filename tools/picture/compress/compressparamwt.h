#pragma once

#include "framework/levelparamwt.h"

// A level is the quality pngquant aims at and ImageMagick writes a JPEG with.
class CompressParamWT final : public LevelParamWT
{
    Q_OBJECT
public:
    explicit CompressParamWT(QWidget* parent);

    static QVector<int> qualities();
};

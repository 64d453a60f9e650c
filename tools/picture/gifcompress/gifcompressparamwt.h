#pragma once

#include "framework/levelparamwt.h"

// A level is the most colours gifsicle keeps.
class GifCompressParamWT final : public LevelParamWT
{
    Q_OBJECT
public:
    explicit GifCompressParamWT(QWidget* parent);

    static QVector<int> colours();
};

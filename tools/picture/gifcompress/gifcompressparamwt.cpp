#include "tools/picture/gifcompress/gifcompressparamwt.h"

GifCompressParamWT::GifCompressParamWT(QWidget* parent) : LevelParamWT(colours(), parent) {}

QVector<int> GifCompressParamWT::colours()
{
    return {64, 56, 50, 44, 38, 32, 26, 20, 14};
}

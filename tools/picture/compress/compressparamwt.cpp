#include "tools/picture/compress/compressparamwt.h"

CompressParamWT::CompressParamWT(QWidget* parent) : LevelParamWT(qualities(), parent) {}

QVector<int> CompressParamWT::qualities()
{
    return {90, 80, 70, 60, 50, 40, 30, 20, 10};
}

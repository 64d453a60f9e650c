#include "tools/picture/rawtoimg/rawtoimgparamwt.h"

RawToImgParamWT::RawToImgParamWT(QWidget* parent)
    : ConvertParamWT(ConvertParamWT::plainSizes(), QStringLiteral(":/icons/icons/sub_chformat_white.png"),
                     parent)
{
}

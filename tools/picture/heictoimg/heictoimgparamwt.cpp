#include "tools/picture/heictoimg/heictoimgparamwt.h"

HeicToImgParamWT::HeicToImgParamWT(QWidget* parent)
    : ConvertParamWT(ConvertParamWT::plainSizes(), QStringLiteral(":/icons/icons/sub_chformat_white.png"),
                     parent)
{
}

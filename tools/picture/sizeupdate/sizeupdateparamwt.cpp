#include "tools/picture/sizeupdate/sizeupdateparamwt.h"

SizeUpdateParamWT::SizeUpdateParamWT(QWidget* parent)
    : ConvertParamWT(ConvertParamWT::presetSizes(), QStringLiteral(":/icons/icons/sub_chformat_white.png"),
                     parent)
{
}

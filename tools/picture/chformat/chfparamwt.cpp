#include "tools/picture/chformat/chfparamwt.h"

CHFParamWT::CHFParamWT(QWidget* parent)
    : ConvertParamWT(ConvertParamWT::plainSizes(), QStringLiteral(""), parent)
{
}

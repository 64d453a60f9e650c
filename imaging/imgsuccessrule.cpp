#include "imaging/imgsuccessrule.h"

bool ImgSuccessRule::judge(ImgOperation operation, const QString& errorText, bool toolsExitedCleanly,
                           bool resultExists)
{
    if (!toolsExitedCleanly || !resultExists)
        return false;
    if (errorText.isEmpty())
        return true;
    if (operation == ImgOperation::GifCompression || operation == ImgOperation::Compression)
        return errorText.contains(QLatin1String("warning"));
    return errorText.toLower().contains(QLatin1String("warning"));
}

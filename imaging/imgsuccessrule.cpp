#include "imaging/imgsuccessrule.h"

bool ImgSuccessRule::judge(ImgOperation operation, const QString& errorText, bool toolsExitedCleanly,
                           bool resultExists)
{
    if (!toolsExitedCleanly || !resultExists)
        return false;
    if (errorText.isEmpty())
        return true;
    // A crop outside the picture is only a warning to ImageMagick, which then writes a 1x1 picture:
    // "convert: geometry does not contain image `in.png' @ warning/transform.c/CropImage/668."
    if (operation == ImgOperation::Crop &&
        errorText.contains(QLatin1String("geometry does not contain image")))
        return false;
    if (operation == ImgOperation::GifCompression || operation == ImgOperation::Compression)
        return errorText.contains(QLatin1String("warning"));
    return errorText.toLower().contains(QLatin1String("warning"));
}

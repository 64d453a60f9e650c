#include "imaging/imgsuccessrule.h"

bool ImgSuccessRule::judge(int operation, const QString& errorText, bool toolsExitedCleanly,
                           bool resultExists)
{
    if (!toolsExitedCleanly || !resultExists)
        return false;
    if (errorText.isEmpty())
        return true;
    if (operation == 2 || operation == 3)
        return errorText.contains(QLatin1String("warning"));
    return errorText.toLower().contains(QLatin1String("warning"));
}

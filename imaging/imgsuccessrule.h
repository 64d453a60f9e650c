#pragma once

#include "imaging/imgoperation.h"

#include <QString>

// Whether a picture job succeeded.
class ImgSuccessRule final
{
public:
    // A job fails when a tool could not start, crashed or exited non-zero, or left no result.
    // Otherwise its standard error decides: empty, or a warning ("warning" in any case; for the
    // two compression operations only in lower case), is a success, except a crop that missed
    // the picture.
    static bool judge(ImgOperation operation, const QString& errorText, bool toolsExitedCleanly,
                      bool resultExists);
};

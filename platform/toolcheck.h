#pragma once

#include <QStringList>

// The external tools the application starts, relative to the application folder.
class ToolCheck final
{
public:
    static QStringList expectedTools();
    // Full paths of the expected tools that are not there or cannot be run.
    static QStringList missingTools();
};

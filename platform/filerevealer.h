#pragma once

#include <QString>

// Shows a file to the user in the desktop's file manager.
class FileRevealer final
{
public:
    // Asks the file manager to select the file; opens its folder when no file manager answers.
    static void showInFolder(const QString& filePath);
    static bool openFolder(const QString& folderPath);
};

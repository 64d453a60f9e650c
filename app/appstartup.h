#pragma once

#include <QString>

class QApplication;
class QCoreApplication;
class QStringList;

// The start-up sequence, from the single-instance guard to the event loop.
class AppStartup final
{
public:
    // The desktop file's base name: Wayland docks find the window's icon by it.
    static const char* const kDesktopId;

    static int run(int argc, char** argv);
    // Every word after the program's name is a file, made absolute against the working folder
    // before anything else reads it.
    static QStringList filesFromArguments(int argc, char** argv);
    // The names the desktop knows the program by (the X11 window class, the desktop file).
    static void setIdentity();
    // Before the QApplication exists: nothing here paints through OpenGL, and loading the GL
    // stack for the X11 window alone costs some 50 MB of memory.
    static void prepareEnvironment();
    // Screen class, fonts, thread pool, codec and the missing-tool report: everything the
    // window relies on, after the guard and before the window (the translations come before).
    static void configureProcess(QApplication& app);
    // Our English or Qt's Chinese for its dialogs, as the user's language asks; before any text
    // is shown, the second start's notice included.
    static void installTranslations(QCoreApplication& app);
    // Qt's Chinese translation for its own dialogs; false when it is not installed.
    static bool installQtTranslation(QCoreApplication& app);
};

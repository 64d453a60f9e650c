#pragma once

class QApplication;
class QCoreApplication;

// The start-up sequence, from the single-instance guard to the event loop.
class AppStartup final
{
public:
    static int run(int argc, char** argv);
    // Before the QApplication exists: nothing here paints through OpenGL, and loading the GL
    // stack for the X11 window alone costs some 50 MB of memory.
    static void prepareEnvironment();
    // Screen class, fonts, thread pool, codec and the missing-tool report: everything the
    // window relies on, after the guard and before the window.
    static void configureProcess(QApplication& app);
    // Qt's Chinese translation for its own dialogs; false when it is not installed.
    static bool installQtTranslation(QCoreApplication& app);
};

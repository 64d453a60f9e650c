// The baseline of bench_startup: a bare Qt Widgets window of a given size, nothing else.
// Prints "shown SECONDS rss KIB" once the window is exposed.
#include "startupclock.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    const int width = argc > 2 ? QString::fromLatin1(argv[1]).toInt() : 1400;
    const int height = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 900;
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(width, height);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        std::fprintf(stderr, "window was not exposed\n");
    QApplication::processEvents();
    std::printf("shown %.3f rss %ld\n", StartupClock::sinceProcessStart(), StartupClock::residentKiB());
    std::fflush(stdout);
    return 0;
}

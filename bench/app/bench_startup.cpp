// Time from process start to the main window shown, and resident memory after start.
// Run: build/bin/bench_startup (uses $DISPLAY, or QT_QPA_PLATFORM=offscreen).
#include "app/appstartup.h"
#include "app/mainwidget.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {
// Seconds since boot at which this process started, from /proc.
double processStartSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    stat.open(QIODevice::ReadOnly);
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(19).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double uptimeSeconds()
{
    QFile uptime(QStringLiteral("/proc/uptime"));
    uptime.open(QIODevice::ReadOnly);
    return uptime.readAll().split(' ').value(0).toDouble();
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
} // namespace

int main(int argc, char** argv)
{
    AppStartup::prepareEnvironment();
    QApplication app(argc, argv);
    AppStartup::configureProcess(app);
    MainWidget window(nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        std::fprintf(stderr, "window was not exposed\n");
    QApplication::processEvents();
    const double shown = uptimeSeconds() - processStartSeconds();
    std::printf("pages built: %d\n", window.pages().size());
    std::printf("start to window shown: %.3f s (goal < 0.5 s; /proc resolution 0.01 s)\n", shown);
    std::printf("resident memory after start: %.1f MB (goal < 100 MB)\n", residentKiB() / 1024.0);
    return 0;
}

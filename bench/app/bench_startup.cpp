// Start to main window shown, against a bare Qt window of the same size started in the same
// run (bench_bare_window), and resident memory after start. Each round starts both programs
// afresh, in turn, so that a machine busy with other work slows both alike.
// Run: build/bin/bench_startup [rounds]   (uses $DISPLAY, or QT_QPA_PLATFORM=offscreen)
#include "app/appstartup.h"
#include "app/mainwidget.h"
#include "framework/toolpagewt.h"
#include "startupclock.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {
struct Start
{
    double seconds = -1;
    double megabytes = -1;
    QSize size;
};

// The application's own start, as main() runs it but without the single-instance guard;
// eager: every page built before the window shows, as all were before they were built lazily.
int runApplication(int argc, char** argv, bool eager)
{
    AppStartup::prepareEnvironment();
    QApplication app(argc, argv);
    AppStartup::configureProcess(app);
    MainWidget window(nullptr);
    if (eager) {
        for (QWidget* page : window.pages()) {
            if (auto* toolPage = qobject_cast<ToolPageWT*>(page))
                toolPage->ensureBuilt();
        }
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        std::fprintf(stderr, "window was not exposed\n");
    QApplication::processEvents();
    std::printf("shown %.3f rss %ld size %d %d pages %d\n", StartupClock::sinceProcessStart(),
                StartupClock::residentKiB(), window.width(), window.height(), window.pages().size());
    std::fflush(stdout);
    return 0;
}

Start measure(const QString& program, const QStringList& arguments)
{
    // Timed from here to the child's line, in milliseconds: /proc's start times count in
    // hundredths. Starting the process costs both programs alike.
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    Start start;
    if (!process.waitForReadyRead(60000))
        return start;
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!process.waitForFinished(60000))
        return start;
    const QList<QByteArray> words = process.readAllStandardOutput().simplified().split(' ');
    start.seconds = words.value(1).toDouble() > 0 ? seconds : -1;
    start.megabytes = words.value(3).toDouble() / 1024.0;
    if (words.size() >= 7)
        start.size = QSize(words.value(5).toInt(), words.value(6).toInt());
    return start;
}

QString range(QVector<double> values, const char* format)
{
    std::sort(values.begin(), values.end());
    return QString::asprintf(format, values.first()) + QStringLiteral("–") +
           QString::asprintf(format, values.last()) + QStringLiteral(" (median ") +
           QString::asprintf(format, values.at(values.size() / 2)) + QLatin1Char(')');
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]).startsWith("--application"))
        return runApplication(argc, argv, QByteArray(argv[1]) == "--application-eager");
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    const int rounds = argc > 1 ? std::max(1, QString::fromLatin1(argv[1]).toInt()) : 5;
    const QString self = QString::fromLocal8Bit(argv[0]);
    const QString bare = QFileInfo(self).dir().filePath(QStringLiteral("bench_bare_window"));

    QVector<double> appSeconds, bareSeconds, ratios, appMemory, bareMemory, eagerSeconds, eagerMemory;
    for (int round = 0; round < rounds; ++round) {
        const Start application = measure(self, {QStringLiteral("--application")});
        const QSize size = application.size.isValid() ? application.size : QSize(1400, 900);
        const Start window = measure(bare, {QString::number(size.width()), QString::number(size.height())});
        const Start eager = measure(self, {QStringLiteral("--application-eager")});
        if (application.seconds <= 0 || window.seconds <= 0 || eager.seconds <= 0) {
            std::fprintf(stderr, "round %d: a start failed\n", round + 1);
            return 1;
        }
        std::printf("round %d: application %.2f s, %.1f MB; bare %dx%d window %.2f s, %.1f MB; all pages "
                    "built at start %.2f s, %.1f MB\n",
                    round + 1, application.seconds, application.megabytes, size.width(), size.height(),
                    window.seconds, window.megabytes, eager.seconds, eager.megabytes);
        eagerSeconds << eager.seconds;
        eagerMemory << eager.megabytes;
        appSeconds << application.seconds;
        bareSeconds << window.seconds;
        ratios << application.seconds / window.seconds;
        appMemory << application.megabytes;
        bareMemory << window.megabytes;
    }
    std::printf("start to window shown: application %s s, bare window %s s\n",
                qPrintable(range(appSeconds, "%.2f")), qPrintable(range(bareSeconds, "%.2f")));
    std::printf("ratio application / bare window: %s (goal <= 1.5)\n", qPrintable(range(ratios, "%.2f")));
    std::printf("resident memory after start: application %s MB (goal < 70), bare window %s MB\n",
                qPrintable(range(appMemory, "%.1f")), qPrintable(range(bareMemory, "%.1f")));
    std::printf("all sixteen pages built before the window shows: %s s, %s MB\n",
                qPrintable(range(eagerSeconds, "%.2f")), qPrintable(range(eagerMemory, "%.1f")));
    return 0;
}

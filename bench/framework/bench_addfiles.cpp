// Adding many files to a picture page: time until the rows are listed and painted, and the
// resident memory after, for 200, 1,000 and 5,000 files dropped as one folder.
// Run: build/bin/bench_addfiles (uses $DISPLAY, or QT_QPA_PLATFORM=offscreen).
#include "app/appstartup.h"
#include "framework/mytable.h"
#include "tools/picture/chformat/chfmainwt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>

namespace {
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

QString makeFolder(const QTemporaryDir& root, int count)
{
    const QString folder = root.filePath(QString::number(count));
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
        file.write("jpeg");
    }
    return folder;
}
} // namespace

int main(int argc, char** argv)
{
    AppStartup::prepareEnvironment();
    QApplication app(argc, argv);
    AppStartup::configureProcess(app);
    QTemporaryDir root;
    std::printf("%8s %12s %14s\n", "files", "listed (s)", "resident (MB)");
    for (int count : {200, 1000, 5000}) {
        const QString folder = makeFolder(root, count);
        // A fresh page each time, as a user who drops a folder on an empty page.
        auto* page = new CHFMainWT(nullptr);
        page->resize(1400, 800);
        page->show();
        if (!QTest::qWaitForWindowExposed(page, 10000))
            std::fprintf(stderr, "page was not exposed\n");
        QElapsedTimer timer;
        timer.start();
        page->onDragAndDrop({QUrl::fromLocalFile(folder)});
        // Until the table has laid itself out and painted the new rows.
        page->repaint();
        QApplication::processEvents();
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (page->table()->rowCount() != count)
            std::fprintf(stderr, "expected %d rows, listed %d\n", count, page->table()->rowCount());
        std::printf("%8d %12.3f %14.1f\n", count, seconds, residentKiB() / 1024.0);
        delete page;
    }
    std::printf("goal: 5,000 files in under 2 s, growing linearly\n");
    return 0;
}

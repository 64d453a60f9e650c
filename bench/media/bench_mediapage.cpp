// Adding 100 videos to the video format page: time until every row is listed and painted (the
// probe runs on the GUI thread), and until the last thumbnail frame has arrived; against, in the
// same run, the frames taken the plain way: one ffmpeg per file, two at a time.
// Run: build/bin/bench_mediapage [files [list]] (uses $DISPLAY, or QT_QPA_PLATFORM=offscreen).
#include "app/appstartup.h"
#include "framework/mediacenterwt.h"
#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/framegrabber.h"
#include "media/mymediainfo.h"
#include "tools/media/videofmt/videofmtmainwt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>

namespace {
bool makeClip(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("/usr/bin/ffmpeg"), {"-hide_banner",
                                                     "-nostdin",
                                                     "-loglevel",
                                                     "error",
                                                     "-y",
                                                     "-f",
                                                     "lavfi",
                                                     "-i",
                                                     "testsrc2=size=320x180:rate=25:duration=5",
                                                     "-f",
                                                     "lavfi",
                                                     "-i",
                                                     "sine=frequency=440:duration=5",
                                                     "-c:v",
                                                     "libx264",
                                                     "-preset",
                                                     "ultrafast",
                                                     "-pix_fmt",
                                                     "yuv420p",
                                                     "-c:a",
                                                     "aac",
                                                     path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

// One careful grab per file, two processes at a time, as the rows' frames were taken before.
double plainGrabs(const QString& folder, const QString& out)
{
    QDir().mkpath(out);
    QStringList lines;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.mp4")}, QDir::Files)) {
        QStringList arguments = FrameGrabber::arguments(QDir(folder).filePath(name), 1666,
                                                        QDir(out).filePath(name + QStringLiteral(".png")));
        for (QString& argument : arguments)
            argument = QLatin1Char('\'') + argument + QLatin1Char('\'');
        lines << QStringLiteral("/usr/bin/ffmpeg ") + arguments.join(QLatin1Char(' '));
    }
    QFile script(QDir(out).filePath(QStringLiteral("grabs.txt")));
    script.open(QIODevice::WriteOnly);
    script.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    script.close();
    QElapsedTimer timer;
    timer.start();
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("tr '\\n' '\\0' < '%1' | xargs -0 -P2 -n1 sh -c").arg(script.fileName())});
    shell.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

int framesShown(const TableWidget* table)
{
    int shown = 0;
    for (const TableRowWidget* row : table->rows())
        shown += row->thumbnailLabel()->pixmap(Qt::ReturnByValue).isNull() ? 0 : 1;
    return shown;
}
} // namespace

int main(int argc, char** argv)
{
    AppStartup::prepareEnvironment();
    QApplication app(argc, argv);
    AppStartup::configureProcess(app);
    const int count = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100;
    QTemporaryDir root;
    const QString first = root.filePath(QStringLiteral("clip_000.mp4"));
    if (!makeClip(first)) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    // Copies, not links: each file is probed and read on its own.
    for (int i = 1; i < count; ++i)
        QFile::copy(first, root.filePath(QStringLiteral("clip_%1.mp4").arg(i, 3, 10, QLatin1Char('0'))));

    // The probe alone, as the rows run it: the part of the listing that is libmediainfo's.
    QElapsedTimer probeTimer;
    probeTimer.start();
    for (const QString& name : QDir(root.path()).entryList(QDir::Files)) {
        MyMediaInfo info;
        info.probe(root.filePath(name));
    }
    const double probing = probeTimer.nsecsElapsed() / 1e9;

    auto* page = new VideoFmtMainWT(nullptr);
    page->resize(1500, 860);
    page->show();
    if (!QTest::qWaitForWindowExposed(page, 10000))
        std::fprintf(stderr, "page was not exposed\n");
    QElapsedTimer timer;
    timer.start();
    page->onDragAndDrop({QUrl::fromLocalFile(root.path())});
    page->repaint();
    QApplication::processEvents();
    const double listed = timer.nsecsElapsed() / 1e9;
    if (page->table()->rowCount() != count)
        std::fprintf(stderr, "expected %d rows, listed %d\n", count, page->table()->rowCount());
    // "list" as second argument: the listing only, for profiling it.
    const bool listOnly = argc > 2 && QByteArray(argv[2]) == "list";
    while (!listOnly && framesShown(page->table()) < count && timer.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double framed = timer.nsecsElapsed() / 1e9;
    const int frames = framesShown(page->table());
    delete page;
    const double plain = listOnly ? 0 : plainGrabs(root.path(), root.filePath(QStringLiteral("plain")));
    std::printf("%d files: rows shown after %.3f s (goal <= 0.5 s; probing alone %.3f s), last frame after "
                "%.3f s (goal <= 4 s; %d frames)\n",
                count, listed, probing, framed, frames);
    if (!listOnly)
        std::printf("one ffmpeg per file, two at a time: %.3f s; last frame / that: %.2f\n", plain,
                    framed / plain);
    return 0;
}

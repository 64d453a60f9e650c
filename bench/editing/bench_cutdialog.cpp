// The cut dialog on a 1080p clip: from construction until its first frame is painted, and from a
// seek until the new frame is painted (paused, so every painted frame is the seek's).
// Run: build/bin/bench_cutdialog [rounds] [keyframe interval]  (uses $DISPLAY, or
// QT_QPA_PLATFORM=offscreen). The clip is made by ffmpeg in a temporary folder.
#include "player/videooutputwt.h"
#include "player/videoplayer.h"
#include "tools/editing/videocutwt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {
bool makeClip(const QString& path, int keyframeInterval)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("/usr/bin/ffmpeg"),
                 {"-hide_banner", "-loglevel", "error",   "-y",
                  "-f",           "lavfi",     "-i",      "testsrc2=size=1920x1080:rate=25:duration=20",
                  "-f",           "lavfi",     "-i",      "sine=frequency=440:duration=20",
                  "-c:v",         "libx264",   "-preset", "veryfast",
                  "-pix_fmt",     "yuv420p",   "-g",      QString::number(keyframeInterval),
                  "-c:a",         "aac",       path});
    return ffmpeg.waitForFinished(300000) && ffmpeg.exitCode() == 0;
}

// Waits for the signal; false after 10 s.
template <class Sender, class Signal> bool waitFor(Sender* sender, Signal signal)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    QObject::connect(sender, signal, &loop, [&loop] { loop.exit(0); });
    timeout.start(10000);
    return loop.exec() == 0;
}

struct Figures
{
    QVector<double> ms;
    void print(const char* what, double goal) const
    {
        QVector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%s: median %.0f ms, worst %.0f ms over %d (goal < %.0f ms)\n", what,
                    sorted.at(sorted.size() / 2), sorted.last(), int(sorted.size()), goal);
    }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const int keyframes = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 50;
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("1080p.mp4"));
    if (!makeClip(clip, keyframes)) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    std::printf("clip: 1920x1080, 25 fps, 20 s, a keyframe every %d frames\n", keyframes);

    {
        QElapsedTimer timer;
        timer.start();
        auto* player = new VideoPlayer;
        std::printf("  first player core, cold: %.0f ms\n", double(timer.nsecsElapsed()) / 1e6);
        delete player;
    }
    QWidget row;
    row.setObjectName(QStringLiteral("T_0"));
    Figures open, seek;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        auto* dialog = new VideoCutWT(clip, 20000, 1920, 1080, &row);
        const double built = double(timer.nsecsElapsed()) / 1e6;
        QObject::connect(dialog->player(), &VideoPlayer::started, [&timer] {
            std::printf("  started at %.0f ms\n", double(timer.nsecsElapsed()) / 1e6);
        });
        dialog->playOrPause();
        dialog->show();
        std::printf("  built %.0f ms, shown %.0f ms\n", built, double(timer.nsecsElapsed()) / 1e6);
        if (!waitFor(dialog->output(), &VideoOutputWT::framePainted)) {
            std::fprintf(stderr, "no first frame\n");
            return 1;
        }
        open.ms << double(timer.nsecsElapsed()) / 1e6;

        dialog->playOrPause();
        QTimer::singleShot(300, &app, [] {});
        waitFor(dialog->player(), &VideoPlayer::positionChanged);
        for (const int second : {13, 2, 17, 7, 11}) {
            timer.restart();
            dialog->seek(second + round % 3);
            if (!waitFor(dialog->output(), &VideoOutputWT::framePainted)) {
                std::fprintf(stderr, "no frame after a seek\n");
                return 1;
            }
            seek.ms << double(timer.nsecsElapsed()) / 1e6;
        }
        dialog->close();
        QApplication::processEvents();
    }
    open.print("open until the first frame is painted", 300);
    seek.print("seek until the new frame is painted", 150);
    return 0;
}

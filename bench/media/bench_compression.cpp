// Compression through the runner against the same ffmpeg arguments run by hand, on one-minute
// 1080p and 720p clips made here. Run by hand: bench_compression [seconds]
#include "media/mediarecipes.h"
#include "media/videothread.h"
#include "platform/toollauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {
const QString kFfmpeg = QStringLiteral("decoder/common/ffmpeg");

bool makeClip(const QString& path, const QString& size, int seconds)
{
    const QString length = QString::number(seconds);
    return ToolLauncher::run(kFfmpeg,
                             {"-hide_banner",
                              "-nostdin",
                              "-loglevel",
                              "error",
                              "-y",
                              "-f",
                              "lavfi",
                              "-i",
                              "testsrc2=size=" + size + ":rate=30:duration=" + length,
                              "-f",
                              "lavfi",
                              "-i",
                              "sine=frequency=440:sample_rate=48000:duration=" + length,
                              "-c:v",
                              "libx264",
                              "-preset",
                              "ultrafast",
                              "-b:v",
                              "6000k",
                              "-pix_fmt",
                              "yuv420p",
                              "-c:a",
                              "aac",
                              path},
                             3600000)
        .exitedCleanly();
}

double engine(const MediaJob& job, const QString& outDir)
{
    QElapsedTimer timer;
    timer.start();
    VideoThread thread(Compression, {job}, outDir);
    thread.start();
    thread.wait();
    return timer.nsecsElapsed() / 1e9;
}

double byHand(const MediaJob& job, const QString& output)
{
    QElapsedTimer timer;
    timer.start();
    ToolLauncher::run(kFfmpeg, MediaRecipes::compression(job, output).arguments, 3600000);
    return timer.nsecsElapsed() / 1e9;
}
} // namespace

int main(int argc, char** argv)
{
    // The runner logs every ffmpeg line; here only the figures count.
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? QString(argv[1]).toInt() : 60;
    QTemporaryDir dir;
    for (const QString& size : {QStringLiteral("1920x1080"), QStringLiteral("1280x720")}) {
        const QString source = dir.filePath(size + ".mp4");
        if (!makeClip(source, size, seconds)) {
            std::fprintf(stderr, "could not make the %s clip\n", qPrintable(size));
            return 1;
        }
        MediaJob job;
        job.operation = Compression;
        job.oriFilePath = source;
        job.objectName = QStringLiteral("b");
        job.timeLen = seconds * 1000;
        job.bitRate = 1500;
        const QString outDir = dir.filePath("out-" + size);
        QDir().mkpath(outDir);
        // Hand first, engine second, then the other way round: the page cache and the clock
        // favour neither.
        const double hand1 = byHand(job, dir.filePath("hand1.mp4"));
        const double engine1 = engine(job, outDir);
        const double engine2 = engine(job, outDir);
        const double hand2 = byHand(job, dir.filePath("hand2.mp4"));
        const double hand = hand1 + hand2;
        const double ours = engine1 + engine2;
        std::printf("%s %d s at %lld kbit/s: engine %.2f s, by hand %.2f s, ratio %.4f\n", qPrintable(size),
                    seconds, job.bitRate, ours / 2, hand / 2, ours / hand);
        std::fflush(stdout);
    }
    return 0;
}

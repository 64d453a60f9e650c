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

#include <sys/resource.h>

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

// Wall time, and the processor time of this process and its finished children: on a machine
// others use, the second is the steadier measure of work done.
struct Cost
{
    double wall = 0;
    double cpu = 0;
    Cost& operator+=(const Cost& other)
    {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

double processorSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

template <typename Work> Cost measure(Work work)
{
    const double cpu = processorSeconds();
    QElapsedTimer timer;
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e9, processorSeconds() - cpu};
}

Cost engine(const MediaJob& job, const QString& outDir)
{
    return measure([&] {
        VideoThread thread(Compression, {job}, outDir);
        thread.start();
        thread.wait();
    });
}

Cost byHand(const MediaJob& job, const QString& output)
{
    return measure(
        [&] { ToolLauncher::run(kFfmpeg, MediaRecipes::compression(job, output).arguments, 3600000); });
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
        Cost hand = byHand(job, dir.filePath("hand1.mp4"));
        Cost ours = engine(job, outDir);
        ours += engine(job, outDir);
        hand += byHand(job, dir.filePath("hand2.mp4"));
        std::printf("%s %d s at %lld kbit/s: engine %.2f s (%.2f s processor), by hand %.2f s (%.2f s "
                    "processor), ratio %.4f wall, %.4f processor\n",
                    qPrintable(size), seconds, job.bitRate, ours.wall / 2, ours.cpu / 2, hand.wall / 2,
                    hand.cpu / 2, ours.wall / hand.wall, ours.cpu / hand.cpu);
        std::fflush(stdout);
    }
    return 0;
}

// Overhead of the media runner over plain ffmpeg runs, and the parser's cost per output chunk.
// Run by hand: bench_media_runner [rounds]
#include "media/mediarecipes.h"
#include "media/progressparser.h"
#include "media/videothread.h"
#include "platform/toollauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
constexpr int kJobs = 5;
constexpr int kSeconds = 8;

struct Times
{
    double wall = 0;
    double childCpu = 0; // the ffmpeg processes (and the shell)
    double selfCpu = 0;  // this process: the runner's thread, its reading and parsing
};

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Measures fn: wall clock, and the CPU time of this process and of its reaped children.
template <typename Fn> Times measure(Fn fn)
{
    const double self = cpuSeconds(RUSAGE_SELF);
    const double children = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    fn();
    Times t;
    t.wall = timer.nsecsElapsed() / 1e9;
    t.selfCpu = cpuSeconds(RUSAGE_SELF) - self;
    t.childCpu = cpuSeconds(RUSAGE_CHILDREN) - children;
    return t;
}
const QString kFfmpeg = QStringLiteral("decoder/common/ffmpeg");

bool makeSource(const QString& path)
{
    const ToolResult r =
        ToolLauncher::run(kFfmpeg, {"-hide_banner",
                                    "-nostdin",
                                    "-loglevel",
                                    "error",
                                    "-y",
                                    "-f",
                                    "lavfi",
                                    "-i",
                                    QString("testsrc2=size=640x360:rate=25:duration=%1").arg(kSeconds),
                                    "-f",
                                    "lavfi",
                                    "-i",
                                    QString("sine=sample_rate=48000:duration=%1").arg(kSeconds),
                                    "-c:v",
                                    "libx264",
                                    "-preset",
                                    "ultrafast",
                                    "-pix_fmt",
                                    "yuv420p",
                                    "-c:a",
                                    "aac",
                                    path});
    return r.exitedCleanly();
}

MediaJob jobFor(const QString& source, int i)
{
    // MKV 480P: a real re-encode of picture and sound.
    MediaJob job;
    job.operation = FormatConversion;
    job.oriFilePath = source;
    job.objectName = QString("row%1").arg(i);
    job.timeLen = kSeconds * 1000;
    job.format = CombEnum::MKV;
    job.resolution = 7;
    job.oriVideoCodec = 1;
    return job;
}

QString quoted(const QString& argument)
{
    QString text = argument;
    text.replace('\'', "'\\''");
    return '\'' + text + '\'';
}

Times runRunner(const MediaJobList& jobs, const QString& outDir)
{
    QDir(outDir).removeRecursively();
    VideoThread thread(FormatConversion, jobs, outDir);
    int failures = 0;
    QObject::connect(
        &thread, &VideoThread::failed, &thread, [&failures] { ++failures; }, Qt::DirectConnection);
    const Times t = measure([&thread] {
        thread.start();
        thread.wait();
    });
    if (failures)
        std::printf("warning: %d runner jobs failed\n", failures);
    return t;
}

Times runShell(const MediaJobList& jobs, const QString& outDir, const QString& script)
{
    QDir(outDir).removeRecursively();
    QDir().mkpath(outDir);
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("set -e\n");
    const QString ffmpeg = ToolLauncher::resolve(kFfmpeg);
    for (int i = 0; i < jobs.size(); ++i) {
        const MediaCommand c = MediaRecipes::videoTarget(jobs.at(i), outDir + QString("/shell_%1.mkv").arg(i),
                                                         jobs.at(i).oriFilePath);
        QStringList line{quoted(ffmpeg)};
        for (const QString& a : c.arguments)
            line << quoted(a);
        file.write(line.join(' ').toUtf8() + " </dev/null\n");
    }
    file.close();
    ToolResult r;
    const Times t = measure([&r, &script] { r = ToolLauncher::run("/bin/sh", {script}); });
    if (!r.exitedCleanly())
        std::printf("warning: shell run failed: %s\n", r.standardError.right(200).constData());
    return t;
}

void parserCost()
{
    const QByteArray chunks[] = {
        "frame=  100 fps= 25 q=28.0 size=    1024kB time=00:01:10.52 bitrate= 118.9kbits/s speed=1.01x\r",
        "size=      47kB time=00:00:03.00 bitrate= 128.3kbits/s speed=61.2x\r",
        "  Stream #0:0 -> #0:0 (h264 (native) -> h264 (libx264))\n"};
    constexpr int kRounds = 300000;
    qint64 sink = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRounds; ++i) {
        const ProgressSample s = ProgressParser::parse(ProgressParser::chunkText(chunks[i % 3]));
        sink += ProgressParser::percent(s.elapsedSeconds(), 200);
    }
    const double ns = double(timer.nsecsElapsed()) / kRounds;
    std::printf("parser: %.0f ns per output chunk (%d chunks, checksum %lld)\n", ns, kRounds, sink);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    MediaJobList jobs;
    for (int i = 0; i < kJobs; ++i) {
        const QString source = dir.filePath(QString("source%1.mp4").arg(i));
        if (!makeSource(source)) {
            std::printf("could not make the sources with %s\n", qPrintable(ToolLauncher::resolve(kFfmpeg)));
            return 1;
        }
        jobs << jobFor(source, i);
    }
    std::printf("%d transcodes (640x360, %d s, H.264+AAC to MKV 720x480), best of %d rounds\n", kJobs,
                kSeconds, rounds);
    Times runner{1e9, 1e9, 1e9};
    Times shell{1e9, 1e9, 1e9};
    for (int r = 0; r < rounds; ++r) {
        // Alternate, so drifting machine load touches both alike.
        const Times a = runRunner(jobs, dir.filePath("runner"));
        const Times b = runShell(jobs, dir.filePath("shell"), dir.filePath("jobs.sh"));
        runner = {std::min(runner.wall, a.wall), std::min(runner.childCpu, a.childCpu),
                  std::min(runner.selfCpu, a.selfCpu)};
        shell = {std::min(shell.wall, b.wall), std::min(shell.childCpu, b.childCpu), 0};
    }
    std::printf("runner: %.3f s wall, ffmpeg CPU %.3f s, runner's own CPU %.3f s\n", runner.wall,
                runner.childCpu, runner.selfCpu);
    std::printf("shell:  %.3f s wall, ffmpeg+sh CPU %.3f s\n", shell.wall, shell.childCpu);
    std::printf("wall ratio: %.4f (overhead %+.2f%%)\n", runner.wall / shell.wall,
                (runner.wall / shell.wall - 1) * 100);
    std::printf("runner's own CPU per ffmpeg CPU: %.2f%%\n", runner.selfCpu / runner.childCpu * 100);
    parserCost();
    return 0;
}

// Our magick against the plain tools, in one run on the same files, each side two at a time:
// 12 HEIC photos (12 MP) to JPG through the HEIC page's engine against `vips copy` at quality 92
// and `heif-convert`; 12 JPEG photos resized to 1600 wide through the resize engine against
// `convert -resize`; the same rotated by 90 degrees against `convert -rotate 90`. The engine runs
// with the application's child environment and with VIPS_CONCURRENCY 1 and 2, to choose it.
// Run: build/bin/bench_magick [work folder] [rounds] [case]   (the sources are made once and kept
// there; case: a word of the titles below, "HEIC", "resized" or "rotated", runs that one alone)
#include "imaging/imgthread.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThreadPool>

#include <cstdio>
#include <functional>

namespace {
constexpr int kFiles = 12;

bool sh(const QString& script)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

bool makeSources(const QString& folder, const QString& suffix, const QString& make)
{
    if (QDir(folder).entryList({QStringLiteral("*.") + suffix}).size() == kFiles)
        return true;
    std::printf("making %d 4000x3000 %s sources in %s (once)...\n", kFiles, qPrintable(suffix),
                qPrintable(folder));
    QDir().mkpath(folder);
    const QString script =
        QStringLiteral("cd '%1' && /usr/bin/convert -size 4000x3000 plasma:fractal -blur 0x1 "
                       "-depth 8 photo.png && %2 && rm photo.png && for i in $(seq -w 1 %3); do "
                       "cp photo.%4 IMG_$i.%4; done && rm photo.%4")
            .arg(folder, make)
            .arg(kFiles)
            .arg(suffix);
    return sh(script);
}

double runEngine(const QString& sources, const QString& suffix, ImgJobParams params, const QString& out)
{
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    auto* batch = new QList<ImgJobRecord>();
    const QStringList files =
        QDir(sources).entryList({QStringLiteral("*.") + suffix}, QDir::Files, QDir::Name);
    for (int i = 0; i < files.size(); ++i)
        batch->append(ImgJobRecords::make(i, sources + QLatin1Char('/') + files.at(i)));
    params.outputDir = out;
    ImgThread runner(params, batch, nullptr);
    QEventLoop loop;
    int failures = 0;
    QObject::connect(&runner, &ImgThread::notifyParentDone, &loop, [&](const QString&, int row, bool ok) {
        if (row == -1)
            loop.quit();
        else if (!ok)
            ++failures;
    });
    QElapsedTimer timer;
    timer.start();
    runner.start();
    loop.exec();
    const double seconds = timer.elapsed() / 1000.0;
    runner.wait();
    if (failures)
        std::printf("  %d jobs failed!\n", failures);
    return seconds;
}

// command: what one file goes through, with {} for its name and OUT for the output folder.
double runPlain(const QString& sources, const QString& suffix, const QString& command, const QString& out)
{
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    QString line = command;
    line.replace(QStringLiteral("OUT"), out);
    QElapsedTimer timer;
    timer.start();
    if (!sh(QStringLiteral("cd '%1' && ls *.%2 | xargs -P2 -I{} %3").arg(sources, suffix, line)))
        std::printf("  a plain run failed: %s\n", qPrintable(line));
    return timer.elapsed() / 1000.0;
}

struct Case
{
    const char* title;
    QString sources;
    QString suffix;
    ImgJobParams params;
    QStringList plain;
    double bar;
};
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCoreApplication app(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    const QString work =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + "/chengying-bench-magick";
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 3;
    const QString heic = work + QStringLiteral("/heic");
    const QString jpeg = work + QStringLiteral("/jpeg");
    if (!makeSources(heic, "heic", "heif-enc -q 50 photo.png -o photo.heic >/dev/null") ||
        !makeSources(jpeg, "jpg", "/usr/bin/convert photo.png -sampling-factor 2x2 -quality 92 photo.jpg"))
        return 1;
    const QString out = work + QStringLiteral("/out");

    ImgJobParams toJpg;
    toJpg.operation = ImgOperation::FirstDotConversion;
    toJpg.format = ImgFormat::Jpg;
    ImgJobParams resize;
    resize.operation = ImgOperation::Conversion;
    resize.format = ImgFormat::Jpg;
    resize.width = 1600;
    ImgJobParams rotate;
    rotate.operation = ImgOperation::KeepFormat;
    rotate.format = ImgFormat::KeepSource;
    rotate.rotate = QStringLiteral("90");
    const QList<Case> cases{{"HEIC to JPG",
                             heic,
                             "heic",
                             toJpg,
                             {"vips copy {} OUT/{}.jpg[Q=92]", "heif-convert -q 92 {} OUT/{}.jpg >/dev/null"},
                             1.0},
                            {"JPEG resized to 1600 wide",
                             jpeg,
                             "jpg",
                             resize,
                             {"/usr/bin/convert {} -resize 1600 OUT/{}", "vips resize {} OUT/{} 0.4"},
                             0.5},
                            {"JPEG rotated 90",
                             jpeg,
                             "jpg",
                             rotate,
                             {"/usr/bin/convert {} -rotate 90 OUT/{}", "vips rot {} OUT/{} d90"},
                             0.6}};

    // Two cores are noisy: every figure is the best of a few rounds.
    auto best = [rounds](const std::function<double()>& run) {
        double fastest = 1e9;
        for (int i = 0; i < rounds; ++i)
            fastest = qMin(fastest, run());
        return fastest;
    };
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    for (const Case& c : cases) {
        if (!only.isEmpty() && !QString::fromLatin1(c.title).contains(only))
            continue;
        std::printf("%s, %d files, best of %d rounds\n", c.title, kFiles, rounds);
        QList<double> plain;
        for (const QString& command : c.plain) {
            plain << best([&] { return runPlain(c.sources, c.suffix, command, out); });
            std::printf("  plain xargs -P2 %-45s %6.2f s\n", qPrintable(command), plain.last());
        }
        double engine = 0;
        for (const char* concurrency : {"", "1", "2"}) {
            if (*concurrency)
                qputenv("VIPS_CONCURRENCY", concurrency);
            else
                qunsetenv("VIPS_CONCURRENCY");
            const double t = best([&] { return runEngine(c.sources, c.suffix, c.params, out); });
            std::printf("  engine, VIPS_CONCURRENCY=%-5s %38.2f s  ratio %.3f\n",
                        *concurrency ? concurrency : "as set", t, t / plain.first());
            if (!*concurrency)
                engine = t;
        }
        qunsetenv("VIPS_CONCURRENCY");
        std::printf("  engine / %s: %.3f (bar <= %.2f)", qPrintable(c.plain.first().section(' ', 0, 1)),
                    engine / plain.first(), c.bar);
        if (c.plain.size() > 1)
            std::printf(", engine / %s: %.3f", qPrintable(c.plain.at(1).section(' ', 0, 0)),
                        engine / plain.at(1));
        std::printf("\n");
    }
    return 0;
}

// Converts 12 photo-sized (12-megapixel) HEIC files to JPG through ImgThread with the real tools,
// and through plain `xargs -P2 convert` command lines, in one run; prints the times and the ratio.
// Run: build/bin/bench_heic [work folder]   (the sources are made once and kept there)
#include "imaging/imgthread.h"
#include "platform/apppaths.h"

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

bool sh(const QString& script, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

bool makeSources(const QString& folder)
{
    if (QDir(folder).entryList({QStringLiteral("*.heic")}).size() == kFiles)
        return true;
    std::printf("making %d 4000x3000 HEIC sources in %s (once)...\n", kFiles, qPrintable(folder));
    QDir().mkpath(folder);
    const QString script =
        QStringLiteral("cd '%1' && /usr/bin/convert -size 4000x3000 plasma:fractal -blur 0x1 photo.png && "
                       "heif-enc -q 50 photo.png -o photo.heic >/dev/null && rm photo.png && "
                       "for i in $(seq -w 1 %2); do cp photo.heic IMG_$i.heic; done && rm photo.heic");
    return sh(script.arg(folder).arg(kFiles));
}

double runEngine(const QString& sources, const QString& out)
{
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    auto* batch = new QList<ImgJobRecord>();
    const QStringList files = QDir(sources).entryList({QStringLiteral("*.heic")}, QDir::Files, QDir::Name);
    for (int i = 0; i < files.size(); ++i)
        batch->append(ImgJobRecords::make(i, sources + QLatin1Char('/') + files.at(i)));
    ImgJobParams params;
    params.operation = ImgOperation::FirstDotConversion;
    params.format = ImgFormat::Jpg;
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

double runPlain(const QString& sources, const QString& out, const QString& threadLimit)
{
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("MAGICK_THREAD_LIMIT"));
    if (!threadLimit.isEmpty())
        env.insert(QStringLiteral("MAGICK_THREAD_LIMIT"), threadLimit);
    QElapsedTimer timer;
    timer.start();
    sh(QStringLiteral("cd '%1' && ls *.heic | xargs -P2 -I{} /usr/bin/convert {} '%2'/{}.jpg")
           .arg(sources, out),
       env);
    return timer.elapsed() / 1000.0;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    QCoreApplication app(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    const QString work =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + "/chengying-bench-heic";
    const QString sources = work + QStringLiteral("/sources");
    if (!makeSources(sources))
        return 1;
    const QString out = work + QStringLiteral("/out");

    // Two cores are noisy: every figure is the best of a few rounds.
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 3;
    auto best = [rounds](const std::function<double()>& run) {
        double fastest = 1e9;
        for (int i = 0; i < rounds; ++i)
            fastest = qMin(fastest, run());
        return fastest;
    };
    double plainBest = 1e9;
    for (const QString& limit : {QString(), QStringLiteral("1")}) {
        const double t = best([&] { return runPlain(sources, out, limit); });
        std::printf("plain xargs -P2 convert, MAGICK_THREAD_LIMIT=%s: %.2f s\n",
                    limit.isEmpty() ? "unset" : qPrintable(limit), t);
        plainBest = qMin(plainBest, t);
    }
    qputenv("MAGICK_THREAD_LIMIT", "2");
    const double unlimited = best([&] { return runEngine(sources, out); });
    std::printf("ImgThread, ten jobs at once, children with 2 OpenMP threads: %.2f s\n", unlimited);
    qunsetenv("MAGICK_THREAD_LIMIT");
    const double engine = best([&] { return runEngine(sources, out); });
    std::printf("ImgThread, ten jobs at once, the application's child environment (1 thread): %.2f s\n",
                engine);
    std::printf("ratio engine / best plain: %.3f (goal <= 1.05), best of %d rounds\n", engine / plainBest,
                rounds);
    return 0;
}

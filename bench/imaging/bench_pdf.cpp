// Renders a 20-page A4 document to JPG at the middle density (高清, 150 dpi) through ImgThread with
// the real tools, and by hand with the same convert command line in the same child environment
// (our policy: Debian's own forbids reading PDF), in one run; prints the times and the ratio.
// Run: build/bin/bench_pdf [work folder] [rounds]   (the document is made once and kept there)
#include "imaging/imgrecipes.h"
#include "imaging/imgthread.h"
#include "platform/toollauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kPages = 20;
constexpr int kDefinition = 1; // 高清

// Text, rules and a grey block on each page: work for the renderer like a typical report.
bool makeDocument(const QString& pdf)
{
    if (QFile::exists(pdf))
        return true;
    std::printf("making a %d-page A4 document %s (once)...\n", kPages, qPrintable(pdf));
    QString ps = QStringLiteral(
        "%!PS\n<< /PageSize [595 842] >> setpagedevice\n/Helvetica findfont 11 scalefont setfont\n");
    for (int page = 1; page <= kPages; ++page) {
        ps += QStringLiteral("0.85 setgray 60 560 475 180 rectfill 0 setgray\n");
        ps += QStringLiteral("/Helvetica-Bold findfont 24 scalefont setfont 60 780 moveto (Chapter %1) show\n"
                             "/Helvetica findfont 11 scalefont setfont\n")
                  .arg(page);
        for (int line = 0; line < 40; ++line) {
            const int y = 540 - line * 12;
            ps += QStringLiteral(
                      "60 %1 moveto (Line %2 of page %3: the quick brown fox jumps over the lazy dog, "
                      "0123456789.) show\n")
                      .arg(y)
                      .arg(line + 1)
                      .arg(page);
        }
        ps += QStringLiteral("0.5 setlinewidth 60 50 moveto 535 50 lineto stroke showpage\n");
    }
    const QString source = pdf + QStringLiteral(".ps");
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ps.toLatin1());
    file.close();
    QProcess gs;
    gs.start(QStringLiteral("gs"),
             {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
              QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=pdfwrite"),
              QStringLiteral("-sOutputFile=") + pdf, source});
    const bool made = gs.waitForFinished(-1) && gs.exitCode() == 0;
    QFile::remove(source);
    return made;
}

int countPictures(const QString& folder)
{
    int count = 0;
    for (const QString& entry : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        count +=
            QDir(folder + QLatin1Char('/') + entry).entryList({QStringLiteral("*.jpg")}, QDir::Files).size();
    return count + QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files).size();
}

double runEngine(const QString& pdf, const QString& out)
{
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    auto* batch = new QList<ImgJobRecord>();
    batch->append(ImgJobRecords::make(0, pdf));
    ImgJobRecords::setPdfOptions(batch->first(), kDefinition, false);
    ImgJobParams params;
    params.operation = ImgOperation::PdfToImages;
    params.format = ImgFormat::Jpg;
    params.outputDir = out;
    ImgThread runner(params, batch, nullptr);
    QEventLoop loop;
    bool ok = true;
    QObject::connect(&runner, &ImgThread::notifyParentDone, &loop,
                     [&](const QString&, int row, bool success) {
                         if (row == -1)
                             loop.quit();
                         else
                             ok = success;
                     });
    QElapsedTimer timer;
    timer.start();
    runner.start();
    loop.exec();
    const double seconds = timer.elapsed() / 1000.0;
    runner.wait();
    if (!ok || countPictures(out) != kPages)
        std::printf("  the engine's run failed (%d pictures)!\n", countPictures(out));
    return seconds;
}

double runByHand(const QString& pdf, const QString& out)
{
    QDir(out).removeRecursively();
    QDir().mkpath(out + QStringLiteral("/report"));
    QProcess process;
    process.setProcessEnvironment(ToolLauncher::childEnvironment());
    process.setStandardOutputFile(QProcess::nullDevice());
    const QStringList args = ImgRecipes::pdf(pdf, kDefinition, false, QStringLiteral("jpg"),
                                             out + QStringLiteral("/report/report.jpg"));
    QElapsedTimer timer;
    timer.start();
    process.start(ToolLauncher::resolve(QStringLiteral("magick")), args);
    process.waitForFinished(-1);
    const double seconds = timer.elapsed() / 1000.0;
    if (process.exitCode() != 0 || countPictures(out) != kPages)
        std::printf("  the hand run failed (%d pictures)!\n", countPictures(out));
    return seconds;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    QCoreApplication app(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    const QString work =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + "/chengying-bench-pdf";
    QDir().mkpath(work);
    const QString pdf = work + QStringLiteral("/report.pdf");
    if (!makeDocument(pdf))
        return 1;
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
    // Taken in turns, so that the load of a shared machine falls on both alike.
    QVector<double> engine;
    QVector<double> byHand;
    for (int i = 0; i < rounds; ++i) {
        byHand << runByHand(pdf, work + QStringLiteral("/hand"));
        engine << runEngine(pdf, work + QStringLiteral("/engine"));
        std::printf("round %d: by hand %.2f s, engine %.2f s\n", i + 1, byHand.last(), engine.last());
    }
    const double hand = median(byHand);
    const double ours = median(engine);
    std::printf("convert by hand (%s): median %.2f s, best %.2f s\n",
                qPrintable(ImgRecipes::pdf(QStringLiteral("report.pdf"), kDefinition, false,
                                           QStringLiteral("jpg"), QStringLiteral("report.jpg"))
                               .join(QLatin1Char(' '))),
                hand, *std::min_element(byHand.begin(), byHand.end()));
    std::printf("ImgThread: median %.2f s, best %.2f s\n", ours,
                *std::min_element(engine.begin(), engine.end()));
    std::printf("ratio engine / by hand (medians): %.3f (goal <= 1.05), %d rounds\n", ours / hand, rounds);
    return 0;
}

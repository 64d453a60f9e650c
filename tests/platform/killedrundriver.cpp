// killed_run_driver media|picture OUTPUT_FOLDER SOURCE...: runs one batch through the real engine,
// as a page would, and says "running" once it has started; the test then kills it with SIGKILL.
#include "imaging/imgjob.h"
#include "imaging/imgthread.h"
#include "media/combenum.h"
#include "media/videothread.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {
MediaRecord bigConversion(const QString& source, int row)
{
    // Blown up to 4K: minutes of encoding from a small source.
    return {{"oriFilePath", source}, {"objectName", QStringLiteral("row%1").arg(row)},
            {"format", "0"},         {"resolution", "19"},
            {"oriVideoCodec", "1"},  {"mediaLocalTypeStr", "0"},
            {"timeLenStr", "60000"}};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return 2;
    const QString mode = args.at(0);
    const QString output = args.at(1);
    const QStringList sources = args.mid(2);
    QThread* runner = nullptr;
    if (mode == QLatin1String("media")) {
        MediaRecordList jobs;
        for (int i = 0; i < sources.size(); ++i)
            jobs << bigConversion(sources.at(i), i);
        runner = new VideoThread(FormatConversion, jobs, output, &app);
    } else {
        ImgJobParams params;
        params.operation = ImgOperation::Conversion;
        params.format = ImgFormat::Png;
        params.outputDir = output;
        auto* batch = new QList<ImgJobRecord>;
        for (int i = 0; i < sources.size(); ++i) {
            ImgJobRecord record = ImgJobRecords::make(i, sources.at(i));
            // The finest rendering: Ghostscript works longest.
            ImgJobRecords::setPdfOptions(record, 0, false);
            batch->append(record);
        }
        runner = new ImgThread(params, batch, &app);
    }
    QObject::connect(runner, &QThread::finished, &app, &QCoreApplication::quit);
    runner->start();
    std::printf("running\n");
    std::fflush(stdout);
    return app.exec();
}

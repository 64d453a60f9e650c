#include "batchrecorder.h"

#include "imaging/imgbatchrunner.h"
#include "imaging/imgthread.h"
#include "platform/apppaths.h"
#include "support/fixtures.h"
#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <sys/prctl.h>

// The batch runner end to end: real ImageMagick, and scripts in its place where a failure is injected.
class TestImgThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void oneFileShowsTheSimulatedProgress();
    void aBatchOfMissingFilesEndsAtOnce();
    void aMissingOutputFolderIsMade();
    void failuresAreReportedAsFailures_data();
    void failuresAreReportedAsFailures();
    void theRunnerProtocolCarriesTheReason_data();
    void theRunnerProtocolCarriesTheReason();
    void realFailuresHaveTheirKind_data();
    void realFailuresHaveTheirKind();
    void capitalWarningCountsOnlyOutsideCompression();
    void sameBaseNamesNeverShareAnOutput();
    void aLeadingDashIsAFileName();
    void multiFrameResultsLandInTheirSubFolder();
    void picturesComeOutAsAViewerShowsThem_data();
    void picturesComeOutAsAViewerShowsThem();
    void animationFramesAreWholeFrames();
    void iconsAndPagesKeepEveryPicture();
    void heicKeepsItsColourProfile_data();
    void heicKeepsItsColourProfile();
    void aFailedMultiFrameJobLeavesNoFolder();
    void concurrentBatchesKeepTheirTemporaryFiles();
    void aHangingJobHoldsUpOnlyItsOwnBatch();
    void destroyingARunnerMidBatchStopsItsTools();

private:
    void useFakeTool(const QString& tool, const QString& body);
    ImgJobParams params(ImgOperation operation, ImgFormat format) const;
    static QString realConvert() { return QStringLiteral("/usr/bin/convert"); }
    // The picture as a viewer shows it: orientation applied, decoded to a QImage.
    QImage shown(const QString& path);
    // One report of a one-file batch; fails the test when the batch does not end.
    BatchRecorder::Report runOne(const ImgJobParams& params, const QString& source);

    QTemporaryDir m_work;
    QTemporaryDir m_app;
    QString m_out;
};

void TestImgThread::initTestCase()
{
    QThreadPool::globalInstance()->setMaxThreadCount(10);
}

void TestImgThread::init()
{
    QVERIFY(m_work.isValid() && m_app.isValid());
    QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
    AppPaths::setAppDirForTesting(m_app.path());
    m_out = m_work.filePath(QStringLiteral("out%1").arg(QDateTime::currentMSecsSinceEpoch()));
    QVERIFY(QDir().mkpath(m_out));
}

void TestImgThread::cleanup()
{
    AppPaths::setAppDirForTesting(QString());
}

void TestImgThread::useFakeTool(const QString& tool, const QString& body)
{
    const QString path = m_app.filePath(tool);
    QFile::remove(path);
    QVERIFY(Fixtures::writeScript(path, body));
}

ImgJobParams TestImgThread::params(ImgOperation operation, ImgFormat format) const
{
    ImgJobParams p;
    p.operation = operation;
    p.format = format;
    p.outputDir = m_out;
    return p;
}

void TestImgThread::oneFileShowsTheSimulatedProgress()
{
    const QString source = m_work.filePath("slow.png");
    QVERIFY(Fixtures::makePicture(source));
    useFakeTool("magick", QStringLiteral("sleep 2.6\nexec %1 \"$@\"\n").arg(realConvert()));
    BatchRecorder batch;
    batch.start(params(ImgOperation::Conversion, ImgFormat::Jpg), BatchRecorder::records({source}));
    QVERIFY(batch.waitForEnd(30000));
    const QList<int> progress = batch.progressOf(0);
    QVERIFY2(progress.size() >= 4, qPrintable(QString::number(progress.size())));
    QCOMPARE(progress.first(), 3);
    for (int i = 1; i + 1 < progress.size(); ++i)
        QCOMPARE(progress.at(i), progress.at(i - 1) + 1);
    QVERIFY(progress.contains(5));
    QCOMPARE(progress.last(), 100);
    const QList<BatchRecorder::Report> done = batch.doneReports();
    QCOMPARE(done.size(), 2);
    QCOMPARE(done.at(0).row, 0);
    QCOMPARE(done.at(0).path, m_out + "/slow.jpg");
    QCOMPARE(done.at(0).value, 1);
    QCOMPARE(done.at(1).row, -1);
    QVERIFY(done.at(1).path.isEmpty());
    QCOMPARE(batch.reports().last().row, -1);
    QCOMPARE(Fixtures::identify(m_out + "/slow.jpg"), QStringLiteral("64x48 JPEG"));
}

void TestImgThread::aMissingOutputFolderIsMade()
{
    const QString source = m_work.filePath("in.png");
    QVERIFY(Fixtures::makePicture(source));
    ImgJobParams p = params(ImgOperation::Conversion, ImgFormat::Jpg);
    p.outputDir = m_out + "/not/yet";
    BatchRecorder batch;
    batch.start(p, BatchRecorder::records({source}));
    QVERIFY(batch.waitForEnd(30000));
    QCOMPARE(batch.doneReports().first().value, 1);
    QCOMPARE(Fixtures::identify(m_out + "/not/yet/in.jpg"), QStringLiteral("64x48 JPEG"));
}

void TestImgThread::aBatchOfMissingFilesEndsAtOnce()
{
    BatchRecorder batch;
    batch.start(params(ImgOperation::FirstDotConversion, ImgFormat::Jpg), {});
    QVERIFY(batch.waitForEnd(10000));
    QCOMPARE(batch.reports().size(), 1);
    QCOMPARE(batch.reports().first().row, -1);
    QCOMPARE(batch.reports().first().value, 1);
}

void TestImgThread::failuresAreReportedAsFailures_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("success");
    const QString real = realConvert();
    QTest::newRow("crash") << "kill -SEGV $$\n" << false;
    QTest::newRow("non-zero exit with a warning") << "echo 'magick: warning: x' >&2\nexit 2\n" << false;
    QTest::newRow("silent non-zero exit") << QStringLiteral("%1 \"$@\"\nexit 1\n").arg(real) << false;
    QTest::newRow("success but no output") << "exit 0\n" << false;
    QTest::newRow("never starts") << QString() << false;
    QTest::newRow("error text on exit 0")
        << QStringLiteral("%1 \"$@\"\necho 'no decode delegate' >&2\n").arg(real) << false;
    QTest::newRow("Warning on exit 0")
        << QStringLiteral("%1 \"$@\"\necho 'Warning: odd' >&2\n").arg(real) << true;
}

void TestImgThread::failuresAreReportedAsFailures()
{
    QFETCH(QString, script);
    QFETCH(bool, success);
    const QString source = m_work.filePath("in.png");
    QVERIFY(Fixtures::makePicture(source));
    if (script.isEmpty())
        QFile::remove(m_app.filePath("magick"));
    else
        useFakeTool("magick", script);
    BatchRecorder batch;
    batch.start(params(ImgOperation::Conversion, ImgFormat::Png), BatchRecorder::records({source}));
    QVERIFY(batch.waitForEnd(30000));
    const QList<BatchRecorder::Report> done = batch.doneReports();
    QCOMPARE(done.size(), 2);
    QCOMPARE(done.at(0).value, success ? 1 : 0);
    QCOMPARE(batch.progressOf(0).contains(100), success);
    QCOMPARE(done.at(0).path, success ? m_out + "/in.png" : QString());
    // A failed job leaves nothing behind, not even what the tool half wrote under its partial name.
    QCOMPARE(QDir(m_out).entryList(QDir::Files | QDir::Hidden),
             success ? QStringList{"in.png"} : QStringList());
}

void TestImgThread::theRunnerProtocolCarriesTheReason_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<FailureKind>("kind");
    QTest::newRow("the tool's last line")
        << "echo 'first' >&2\necho 'convert: improper image header' >&2\n"
        << "convert: improper image header" << FailureKind::SourceUnreadable;
    QTest::newRow("why, not the generic close")
        << "echo 'convert: Not a JPEG file: starts with 0x6e 0x6f' >&2\n"
           "echo \"convert: no images defined \\`out.png' @ error/convert.c/ConvertImageCommand/3234.\" "
           ">&2\nexit 1\n"
        << "convert: Not a JPEG file" << FailureKind::SourceUnreadable;
    QTest::newRow("a crash") << "kill -SEGV $$\n"
                             << "magick: crashed" << FailureKind::ToolCrashed;
    QTest::newRow("never starts") << QString() << "magick: could not start" << FailureKind::ToolMissing;
    QTest::newRow("silent and nothing written") << "exit 0\n"
                                                << "no result was written" << FailureKind::ToolFailed;
    QTest::newRow("the policy's limit")
        << "echo \"convert: width or height exceeds limit \\`in.png' @ error/cache.c/OpenPixelCache/3909.\" "
           ">&2\nexit 1\n"
        << "convert: width or height exceeds limit" << FailureKind::LimitsExceeded;
}

void TestImgThread::theRunnerProtocolCarriesTheReason()
{
    QFETCH(QString, script);
    QFETCH(QString, reason);
    QFETCH(FailureKind, kind);
    const QString source = m_work.filePath("in.png");
    QVERIFY(Fixtures::makePicture(source));
    if (script.isEmpty())
        QFile::remove(m_app.filePath("magick"));
    else
        useFakeTool("magick", script);
    ImgBatchRunner runner(params(ImgOperation::Conversion, ImgFormat::Png),
                          BatchRecorder::records({m_work.filePath("gone.png"), source}), nullptr);
    QSignalSpy done(&runner, &BatchRunner::rowDone);
    QSignalSpy progress(&runner, &BatchRunner::rowProgress);
    QSignalSpy end(&runner, &BatchRunner::batchDone);
    runner.start();
    QVERIFY(end.wait(30000));
    QCOMPARE(done.size(), 2);
    for (const QList<QVariant>& report : qAsConst(done)) {
        QVERIFY(!report.at(2).toBool());
        const JobFailure failure = qvariant_cast<JobFailure>(report.at(3));
        // The vanished source is known before any tool's word.
        QCOMPARE(failure.kind, report.at(0).toInt() == 0 ? FailureKind::SourceMissing : kind);
        QVERIFY2(report.at(0).toInt() == 0 || failure.detail.startsWith(reason), qPrintable(failure.detail));
    }
    // Slot first, then the percentage.
    QCOMPARE(progress.first().at(0).toInt() <= 1, true);
    QCOMPARE(progress.first().at(1).toInt(), 3);
}

void TestImgThread::realFailuresHaveTheirKind_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("code");
    QTest::addColumn<FailureKind>("kind");
    QTest::newRow("text named .png") << "fake.png" << int(ImgOperation::Conversion)
                                     << FailureKind::SourceUnreadable;
    QTest::newRow("text named .png, PNG compression")
        << "fake.png" << int(ImgOperation::Compression) << FailureKind::SourceUnreadable;
    QTest::newRow("text named .gif, GIF compression")
        << "fake.gif" << int(ImgOperation::GifCompression) << FailureKind::SourceUnreadable;
    QTest::newRow("PNG cut short") << "cut.png" << int(ImgOperation::Conversion)
                                   << FailureKind::SourceUnreadable;
    QTest::newRow("gone before its turn")
        << "gone.png" << int(ImgOperation::KeepFormat) << FailureKind::SourceMissing;
    QTest::newRow("read-only output folder")
        << "fine.png" << int(ImgOperation::Conversion) << FailureKind::OutputNotWritable;
    QTest::newRow("PDF with a password")
        << "locked.pdf" << int(ImgOperation::PdfToImages) << FailureKind::PasswordProtected;
}

void TestImgThread::realFailuresHaveTheirKind()
{
    QFETCH(QString, fixture);
    QFETCH(int, code);
    QFETCH(FailureKind, kind);
    const auto operation = static_cast<ImgOperation>(code);
    const QString source = m_work.filePath(fixture);
    QFile::remove(source);
    if (fixture.startsWith("fake")) {
        QFile text(source);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture, only words\n");
    } else if (fixture == "cut.png") {
        QVERIFY(Fixtures::makePicture(source, "gradient:", "300x200"));
        QVERIFY(QFile::resize(source, 700));
    } else if (fixture == "fine.png") {
        QVERIFY(Fixtures::makePicture(source));
    } else if (fixture == "locked.pdf") {
        QVERIFY(Fixtures::makePdf(source, 2, 144, 72, "secret"));
    }
    const bool readOnly = fixture == "fine.png";
    if (readOnly && !Fixtures::setFolderReadOnly(m_out, true))
        QSKIP("this file system cannot make a folder read-only");
    const bool keepSuffix =
        operation == ImgOperation::Compression || operation == ImgOperation::GifCompression;
    const ImgJobParams p = params(operation, keepSuffix ? ImgFormat::KeepSource : ImgFormat::Jpg);
    ImgBatchRunner runner(p, BatchRecorder::records({source}), nullptr);
    QSignalSpy done(&runner, &BatchRunner::rowDone);
    QSignalSpy end(&runner, &BatchRunner::batchDone);
    runner.start();
    const bool ended = end.wait(60000);
    if (readOnly)
        Fixtures::setFolderReadOnly(m_out, false);
    QVERIFY(ended);
    QCOMPARE(done.size(), 1);
    QVERIFY(!done.first().at(2).toBool());
    const JobFailure failure = qvariant_cast<JobFailure>(done.first().at(3));
    QVERIFY2(failure.kind == kind, qPrintable(QString("%1: %2").arg(int(failure.kind)).arg(failure.detail)));
    QVERIFY(!failure.detail.isEmpty());
    QVERIFY2(!failure.detail.contains(" @ error/"), qPrintable(failure.detail));
    QVERIFY(QDir(m_out).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestImgThread::capitalWarningCountsOnlyOutsideCompression()
{
    const QString gif = m_work.filePath("anim.gif");
    QVERIFY(Fixtures::makePicture(gif, "xc:red"));
    useFakeTool("gifsicle", "/usr/bin/gifsicle \"$@\"\necho 'Warning: palette' >&2\n");
    BatchRecorder compress;
    compress.start(params(ImgOperation::GifCompression, ImgFormat::KeepSource),
                   BatchRecorder::records({gif}));
    QVERIFY(compress.waitForEnd(30000));
    QCOMPARE(compress.doneReports().first().value, 0);
    useFakeTool("gifsicle", "/usr/bin/gifsicle \"$@\"\necho 'gifsicle: warning: palette' >&2\n");
    BatchRecorder lower;
    lower.start(params(ImgOperation::GifCompression, ImgFormat::KeepSource), BatchRecorder::records({gif}));
    QVERIFY(lower.waitForEnd(30000));
    QCOMPARE(lower.doneReports().first().value, 1);
    QVERIFY(QFileInfo(lower.doneReports().first().path).size() > 0);
}

void TestImgThread::sameBaseNamesNeverShareAnOutput()
{
    QStringList sources;
    for (int i = 0; i < 6; ++i) {
        QDir().mkpath(m_work.filePath(QString::number(i)));
        sources << m_work.filePath(QStringLiteral("%1/a.jpg").arg(i));
        QVERIFY(Fixtures::makePicture(sources.last(), "xc:red", QStringLiteral("%1x10").arg(10 + i)));
    }
    BatchRecorder batch;
    batch.start(params(ImgOperation::Conversion, ImgFormat::Png), BatchRecorder::records(sources));
    QVERIFY(batch.waitForEnd(60000));
    QSet<QString> outputs;
    QSet<QString> sizes;
    for (const BatchRecorder::Report& report : batch.doneReports()) {
        if (report.row < 0)
            continue;
        QCOMPARE(report.value, 1);
        outputs << report.path;
        sizes << Fixtures::identify(report.path);
    }
    QCOMPARE(outputs.size(), 6);
    QCOMPARE(sizes.size(), 6); // every output holds its own source
    QVERIFY(outputs.contains(m_out + "/a.png"));
    const QRegularExpression stamped(QRegularExpression::escape(m_out) + "/a_\\d{8}\\d(_\\d+)?\\.png$");
    for (const QString& path : outputs)
        QVERIFY2(path == m_out + "/a.png" || stamped.match(path).hasMatch(), qPrintable(path));
}

void TestImgThread::aLeadingDashIsAFileName()
{
    const QString source = m_work.filePath("-resize.png");
    QVERIFY(Fixtures::makePicture(m_work.filePath("plain.png")));
    QVERIFY(QFile::rename(m_work.filePath("plain.png"), source));
    BatchRecorder batch;
    batch.start(params(ImgOperation::KeepFormat, ImgFormat::KeepSource), BatchRecorder::records({source}));
    QVERIFY(batch.waitForEnd(30000));
    QCOMPARE(batch.doneReports().first().value, 1);
    QCOMPARE(batch.doneReports().first().path, m_out + "/-resize.png");
    QCOMPARE(Fixtures::identify(m_out + "/-resize.png"), QStringLiteral("64x48 PNG"));
}

void TestImgThread::multiFrameResultsLandInTheirSubFolder()
{
    const QString tiff = m_work.filePath("pages.tiff");
    QVERIFY(Fixtures::runTool("convert", {"-size", "40x30", "xc:red", "xc:blue", "xc:green", tiff}));
    const QString gif = m_work.filePath("anim.gif");
    QVERIFY(Fixtures::runTool("convert", {"-size", "20x20", "xc:red", "xc:blue", gif}));
    BatchRecorder batch;
    batch.start(params(ImgOperation::Conversion, ImgFormat::Png), BatchRecorder::records({tiff, gif, gif}));
    QVERIFY(batch.waitForEnd(60000));
    QList<BatchRecorder::Report> done = batch.doneReports();
    QCOMPARE(done.size(), 4);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(done.at(i).value == 1, qPrintable(done.at(i).path));
    // Every page of the TIFF is a picture of its own.
    for (int page = 0; page < 3; ++page)
        QCOMPARE(Fixtures::identify(m_out + QStringLiteral("/pages/pages-%1.png").arg(page + 1)),
                 QStringLiteral("40x30 PNG"));
    // The animation keeps its frames, numbered from 1, in a folder of its own each time.
    QVERIFY(QFile::exists(m_out + "/anim/anim-1.png"));
    QVERIFY(QFile::exists(m_out + "/anim/anim-2.png"));
    QVERIFY(!QFile::exists(m_out + "/anim/anim-0.png"));
    QVERIFY(!QFile::exists(m_out + "/anim/anim.png"));
    const QStringList folders = QDir(m_out).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(folders.size(), 3);
}

void TestImgThread::concurrentBatchesKeepTheirTemporaryFiles()
{
    const QString raw = m_work.filePath("camera.raw");
    QVERIFY(QFile::copy(Fixtures::dataFile("RAW_KODAK_C330_FORMAT_NONE_YRGB.raw"), raw));
    // A slow pre-converter: the first batch to end must not take the other's JPEG away.
    useFakeTool(
        "decoder/ConverterToJpg/ConvertToJpg",
        QStringLiteral("%1 \"$@\" || exit 1\nd=$(cat %2 2>/dev/null || echo 0)\ntouch %3\nsleep \"$d\"\n")
            .arg(QStringLiteral(APP_BINARY_DIR "/decoder/ConverterToJpg/ConvertToJpg"),
                 m_work.filePath("delay"), m_work.filePath("delay-read")));
    QFile delay(m_work.filePath("delay"));
    QVERIFY(delay.open(QIODevice::WriteOnly));
    delay.write("1.5");
    delay.close();
    BatchRecorder slow;
    slow.start(params(ImgOperation::Conversion, ImgFormat::Png), BatchRecorder::records({raw}));
    // The slow one has taken its delay before the quick one starts without any.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_work.filePath("delay-read")), 30000);
    QFile::remove(m_work.filePath("delay"));
    BatchRecorder quick;
    quick.start(params(ImgOperation::Conversion, ImgFormat::Jpg), BatchRecorder::records({raw}));
    QVERIFY(quick.waitForEnd(60000));
    QVERIFY(slow.waitForEnd(60000));
    QCOMPARE(quick.doneReports().first().value, 1);
    QCOMPARE(slow.doneReports().first().value, 1);
    QCOMPARE(Fixtures::identify(m_out + "/camera.png"), QStringLiteral("1216x912 PNG"));
    QCOMPARE(Fixtures::identify(m_out + "/camera.jpg"), QStringLiteral("1216x912 JPEG"));
    QCOMPARE(QDir(AppPaths::tempRoot()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestImgThread::aHangingJobHoldsUpOnlyItsOwnBatch()
{
    const QString hang = m_work.filePath("hang.png");
    const QString fine = m_work.filePath("fine.png");
    QVERIFY(Fixtures::makePicture(hang));
    QVERIFY(Fixtures::makePicture(fine));
    const QString release = m_work.filePath("release");
    useFakeTool("magick",
                QStringLiteral("case \"$1\" in *hang*) while [ ! -e %1 ]; do sleep 0.1; done;; esac\n"
                               "exec %2 \"$@\"\n")
                    .arg(release, realConvert()));
    BatchRecorder stuck;
    stuck.start(params(ImgOperation::Conversion, ImgFormat::Jpg), BatchRecorder::records({hang}));
    BatchRecorder other;
    other.start(params(ImgOperation::Conversion, ImgFormat::Jpg), BatchRecorder::records({fine}));
    QVERIFY(other.waitForEnd(30000));
    QCOMPARE(other.doneReports().first().value, 1);
    QVERIFY(!stuck.ended());
    QFile marker(release);
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    QVERIFY(stuck.waitForEnd(30000));
    QCOMPARE(stuck.doneReports().first().value, 1);
}

void TestImgThread::destroyingARunnerMidBatchStopsItsTools()
{
    // What happens when the window closes during a batch: the page deletes its runner.
    QVERIFY(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0);
    const QString source = m_work.filePath("long.png");
    QVERIFY(Fixtures::makePicture(source));
    const QString marker = m_work.filePath("ran");
    useFakeTool("magick", QStringLiteral("echo x >> %1\nexec sleep 60\n").arg(marker));
    QStringList sources;
    for (int i = 0; i < 14; ++i)
        sources << source;
    auto* runner = new ImgThread(params(ImgOperation::Conversion, ImgFormat::Jpg),
                                 new QList<ImgJobRecord>(BatchRecorder::records(sources)), nullptr);
    QSignalSpy progress(runner, &ImgThread::notifyParentProgress);
    runner->start();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(marker).size() >= 20, 20000); // ten tools running
    QElapsedTimer timer;
    timer.start();
    delete runner;
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    // Deleting the runner waited for its jobs: the four records that had not started never ran,
    // and no tool is left. A tool orphaned by the runner would come back to this test, its
    // subreaper, rather than hide under init.
    QCOMPARE(QFileInfo(marker).size(), qint64(20));
    const QStringList left =
        Processes::stillRunning(Processes::descendantsOf(QCoreApplication::applicationPid()));
    QVERIFY2(left.isEmpty(), qPrintable("a tool outlived its batch: " + left.join(", ")));
}

QImage TestImgThread::shown(const QString& path)
{
    const QString upright =
        m_work.filePath(QStringLiteral("shown%1.png").arg(QDateTime::currentMSecsSinceEpoch()));
    if (!Fixtures::runTool("convert", {path, "-auto-orient", upright}))
        return QImage();
    return QImage(upright);
}

BatchRecorder::Report TestImgThread::runOne(const ImgJobParams& params, const QString& source)
{
    BatchRecorder batch;
    batch.start(params, BatchRecorder::records({source}));
    if (!batch.waitForEnd(60000) || batch.doneReports().isEmpty())
        return {true, -1, -1, QString()};
    return batch.doneReports().first();
}

namespace {
// Which quarter of a picture holds the red mark: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
int redQuarter(const QImage& image)
{
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int x = (quarter % 2 ? 3 : 1) * image.width() / 4;
        const int y = (quarter / 2 ? 3 : 1) * image.height() / 4;
        const QRgb p = image.pixel(x, y);
        if (qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90)
            return quarter;
    }
    return -1;
}
} // namespace

void TestImgThread::picturesComeOutAsAViewerShowsThem_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("rotate");
    QTest::addColumn<bool>("flop");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("quarter");
    const int conversion = int(ImgOperation::Conversion);
    const int keep = int(ImgOperation::KeepFormat);
    // Every source shows an 8x6 picture with its top-left quarter red; the stored pixels differ.
    for (int orientation = 1; orientation <= 8; ++orientation)
        QTest::addRow("orientation %d to BMP", orientation)
            << orientation << conversion << int(ImgFormat::Bmp) << -1 << -1 << QString() << false
            << QSize(8, 6) << 0;
    QTest::newRow("turned 90, width preset: the shown width")
        << 6 << conversion << int(ImgFormat::Png) << 4 << -1 << QString() << false << QSize(4, 3) << 0;
    QTest::newRow("turned 270, both sizes")
        << 8 << conversion << int(ImgFormat::Gif) << 16 << 8 << QString() << false << QSize(16, 8) << 0;
    QTest::newRow("width 0: the height and the ratio decide")
        << 6 << conversion << int(ImgFormat::Jpg) << 0 << 3 << QString() << false << QSize(4, 3) << 0;
    QTest::newRow("width and height 0: no resize")
        << 5 << conversion << int(ImgFormat::Png) << 0 << 0 << QString() << false << QSize(8, 6) << 0;
    QTest::newRow("turned 90, mirrored left-right")
        << 6 << keep << int(ImgFormat::KeepSource) << -1 << -1 << QString() << true << QSize(8, 6) << 1;
    QTest::newRow("turned 180, rotated 90")
        << 3 << keep << int(ImgFormat::KeepSource) << -1 << -1 << "90" << false << QSize(6, 8) << 1;
    QTest::newRow("mirrored and turned, rotated -90")
        << 7 << keep << int(ImgFormat::KeepSource) << -1 << -1 << "-90" << false << QSize(6, 8) << 2;
}

void TestImgThread::picturesComeOutAsAViewerShowsThem()
{
    QFETCH(int, orientation);
    QFETCH(int, operation);
    QFETCH(int, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, rotate);
    QFETCH(bool, flop);
    QFETCH(QSize, size);
    QFETCH(int, quarter);
    // The stored pixels are the shown picture turned back; exiftool writes the tag, since
    // ImageMagick 6's -orient writes none.
    const QStringList undo[] = {{},
                                {},
                                {"-flop"},
                                {"-rotate", "180"},
                                {"-flip"},
                                {"-transpose"},
                                {"-rotate", "-90"},
                                {"-transverse"},
                                {"-rotate", "90"}};
    const QString source = m_work.filePath(QStringLiteral("turned%1.jpg").arg(orientation));
    QStringList args{"-size", "8x6", "xc:white", "-fill", "red", "-draw", "rectangle 0,0 3,2"};
    args << undo[orientation] << "-quality"
         << "100" << source;
    QVERIFY(Fixtures::runTool("convert", args));
    QVERIFY(Fixtures::runTool("exiftool", {"-q", "-overwrite_original", "-Model=TestCam",
                                           QStringLiteral("-Orientation#=%1").arg(orientation), source}));
    ImgJobParams p = params(ImgOperation(operation), ImgFormat(format));
    p.width = width;
    p.height = height;
    p.rotate = rotate;
    p.flop = flop;
    const BatchRecorder::Report report = runOne(p, source);
    QCOMPARE(report.value, 1);
    const QImage image = shown(report.path);
    QCOMPARE(image.size(), size);
    QCOMPARE(redQuarter(image), quarter);
    // Written upright: a viewer that honours the tag must not turn it again.
    QString tag;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%[orientation]", report.path}, &tag));
    QVERIFY2(tag == "TopLeft" || tag == "Undefined", qPrintable(tag));
    if (report.path.endsWith(".jpg")) {
        QString model;
        QVERIFY(Fixtures::runTool("exiftool", {"-s3", "-Model", report.path}, &model));
        QCOMPARE(model.trimmed(), QStringLiteral("TestCam"));
    }
}

void TestImgThread::animationFramesAreWholeFrames()
{
    // Optimised: frames 2 and 3 hold only a 4x4 patch each, red at the top left, then blue at the bottom
    // right.
    const QString gif = m_work.filePath("opt.gif");
    QVERIFY(Fixtures::runTool("convert", {"-size",
                                          "12x8",
                                          "xc:white",
                                          "(",
                                          "+clone",
                                          "-fill",
                                          "red",
                                          "-draw",
                                          "rectangle 0,0 3,3",
                                          ")",
                                          "(",
                                          "+clone",
                                          "-fill",
                                          "blue",
                                          "-draw",
                                          "rectangle 8,4 11,7",
                                          ")",
                                          "-layers",
                                          "optimize",
                                          gif}));
    QString frames;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%wx%h ", gif}, &frames));
    QCOMPARE(frames.trimmed(), QStringLiteral("12x8 4x4 4x4"));

    const BatchRecorder::Report pictures = runOne(params(ImgOperation::Conversion, ImgFormat::Png), gif);
    QCOMPARE(pictures.value, 1);
    for (int frame = 0; frame < 3; ++frame)
        QCOMPARE(QImage(m_out + QStringLiteral("/opt/opt-%1.png").arg(frame + 1)).size(), QSize(12, 8));
    const QImage last(m_out + "/opt/opt-3.png");
    QCOMPARE(QColor(last.pixel(1, 1)), QColor(Qt::red));
    QCOMPARE(QColor(last.pixel(10, 6)), QColor(Qt::blue));
    QCOMPARE(QColor(last.pixel(10, 1)), QColor(Qt::white));

    ImgJobParams half = params(ImgOperation::Conversion, ImgFormat::Gif);
    half.width = 6;
    const BatchRecorder::Report resized = runOne(half, gif);
    QCOMPARE(resized.value, 1);
    // Every frame inside the new canvas; played back, the last shows both marks.
    QString geometry;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%g ", resized.path}, &geometry));
    for (const QString& page : geometry.split(' ', Qt::SkipEmptyParts))
        QVERIFY2(page.startsWith("6x4+"), qPrintable(geometry));
    const QString played = m_work.filePath("played.png");
    QVERIFY(Fixtures::runTool("convert", {resized.path, "-coalesce", "+adjoin", played}));
    const QImage end(m_work.filePath("played-2.png"));
    QCOMPARE(end.size(), QSize(6, 4));
    QVERIFY(qRed(end.pixel(0, 0)) > 180 && qBlue(end.pixel(0, 0)) < 90);
    QVERIFY(qBlue(end.pixel(5, 3)) > 180 && qRed(end.pixel(5, 3)) < 90);
}

void TestImgThread::iconsAndPagesKeepEveryPicture()
{
    const QString ico = m_work.filePath("app.ico");
    QVERIFY(Fixtures::runTool("convert", {"-size", "16x16", "xc:red", "-size", "32x32", "xc:blue", ico}));
    const QString tiff = m_work.filePath("scan.tif");
    QVERIFY(Fixtures::runTool("convert", {"-size", "10x8", "xc:red", "xc:blue", "xc:lime", tiff}));
    // Twice: the second batch must not write over the first one's pictures.
    for (int run = 0; run < 2; ++run) {
        const BatchRecorder::Report icons = runOne(params(ImgOperation::Conversion, ImgFormat::Png), ico);
        QCOMPARE(icons.value, 1);
        const QString folder = QFileInfo(icons.path).path();
        QCOMPARE(folder == m_out + "/app", run == 0);
        QCOMPARE(Fixtures::identify(folder + "/app-1.png"), QStringLiteral("16x16 PNG"));
        QCOMPARE(Fixtures::identify(folder + "/app-2.png"), QStringLiteral("32x32 PNG"));
    }
    // Not an animation of icons: a GIF target gets a picture per icon too.
    const BatchRecorder::Report gifs = runOne(params(ImgOperation::Conversion, ImgFormat::Gif), ico);
    QCOMPARE(gifs.value, 1);
    QCOMPARE(QDir(QFileInfo(gifs.path).path()).entryList(QDir::Files).size(), 2);
    QStringList loose = QDir(m_out).entryList(QDir::Files);
    QVERIFY2(loose.isEmpty(), qPrintable(loose.join(' ')));
    // A TIFF target keeps the pages together in one file.
    const BatchRecorder::Report pages = runOne(params(ImgOperation::Conversion, ImgFormat::Tiff), tiff);
    QCOMPARE(pages.value, 1);
    QCOMPARE(pages.path, m_out + "/scan/scan.tiff");
    QString count;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%wx%h\n", pages.path}, &count));
    QCOMPARE(count.trimmed().split('\n'), QStringList({"10x8", "10x8", "10x8"}));
    QString colours;
    QVERIFY(Fixtures::runTool("convert", {pages.path, "-format", "%[pixel:p{2,2}] ", "info:"}, &colours));
    QCOMPARE(colours.trimmed(), QStringLiteral("srgb(255,0,0) srgb(0,0,255) srgb(0,255,0)"));
}

void TestImgThread::heicKeepsItsColourProfile_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("exif");
    const int firstDot = int(ImgOperation::FirstDotConversion);
    QTest::newRow("JPG") << firstDot << int(ImgFormat::Jpg) << true;
    QTest::newRow("PNG") << firstDot << int(ImgFormat::Png) << true;
    QTest::newRow("WEBP") << firstDot << int(ImgFormat::Webp) << true;
    // ImageMagick 6 writes no EXIF into a TIFF; the profile it does write.
    QTest::newRow("TIF, format page") << int(ImgOperation::Conversion) << int(ImgFormat::Tif) << false;
}

void TestImgThread::heicKeepsItsColourProfile()
{
    QFETCH(int, operation);
    QFETCH(int, format);
    QFETCH(bool, exif);
    const QString heic = m_work.filePath("iphone.heic");
    QVERIFY(Fixtures::runTool(QStringLiteral(APP_BINARY_DIR "/make_phone_heic"), {heic, "6", "p3"}));
    const BatchRecorder::Report report = runOne(params(ImgOperation(operation), ImgFormat(format)), heic);
    QCOMPARE(report.value, 1);
    QString description;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%[icc:description]", report.path}, &description));
    QCOMPARE(description, QStringLiteral("Display P3"));
    QString profile;
    QVERIFY(Fixtures::runTool("exiftool", {"-s3", "-ProfileDescription", "-Model", report.path}, &profile));
    QCOMPARE(profile.trimmed().split('\n').size(), exif ? 2 : 1);
    // Assigned, not converted: the pixels are those libheif decodes, upright (red on top).
    const QImage image = shown(report.path);
    QCOMPARE(image.size(), QSize(32, 64));
    const QRgb top = image.pixel(16, 8);
    QVERIFY2(qAbs(qRed(top) - 230) < 8 && qBlue(top) < 40, qPrintable(QString::number(top, 16)));
    const QRgb bottom = image.pixel(16, 56);
    QVERIFY2(qAbs(qBlue(bottom) - 230) < 8 && qRed(bottom) < 40, qPrintable(QString::number(bottom, 16)));
}

void TestImgThread::aFailedMultiFrameJobLeavesNoFolder()
{
    QStringList sources;
    for (const char* name : {"bad.tif", "bad.psd", "bad.ico", "bad.gif"}) {
        sources << m_work.filePath(QLatin1String(name));
        QFile file(sources.last());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("II*\0 not really a picture");
    }
    BatchRecorder batch;
    batch.start(params(ImgOperation::Conversion, ImgFormat::Png), BatchRecorder::records(sources));
    QVERIFY(batch.waitForEnd(60000));
    for (const BatchRecorder::Report& report : batch.doneReports()) {
        if (report.row >= 0)
            QVERIFY2(report.value == 0, qPrintable(report.path));
    }
    const QStringList left = QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
}

QTEST_GUILESS_MAIN(TestImgThread)
#include "tst_imgthread.moc"

#include "batchrecorder.h"

#include "imaging/imgbatchrunner.h"
#include "platform/apppaths.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

// PNG, JPEG and GIF compression with the real pngquant, ImageMagick and gifsicle.
class TestImgCompress : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void photosComeOutSmaller_data();
    void photosComeOutSmaller();
    void aSilentPngquantFailureHasAReason();
    void anAnimatedPngIsNotFlattened_data();
    void anAnimatedPngIsNotFlattened();
    void gifsStayAnimatedWithFewerColours_data();
    void gifsStayAnimatedWithFewerColours();

private:
    ImgJobParams params(ImgOperation operation, int level) const;
    // The done report of a one-file batch and the reason the runner gave with it.
    QPair<bool, QString> runWithReason(const ImgJobParams& params, const QString& source, QString* path);
    static QString facts(const QString& path, const QString& format);

    QTemporaryDir m_work;
    QTemporaryDir m_app;
    QString m_out;
};

void TestImgCompress::initTestCase()
{
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QVERIFY(m_work.isValid() && m_app.isValid());
    QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
    // A photo-like PNG that 256 colours cannot bring to quality 70: pngquant refuses it when 70
    // is its minimum. A JPEG of it at quality 95.
    QVERIFY(
        Fixtures::makePicture(m_work.filePath("photo.png"), "plasma:fractal", "400x300", {"-blur", "0x1"}));
    QVERIFY(Fixtures::runTool(
        "convert", {m_work.filePath("photo.png"), "-quality", "95", m_work.filePath("photo.jpg")}));
    QVERIFY(Fixtures::runTool("convert",
                              {"-size", "120x80", "-delay", "20", "plasma:red-blue", "plasma:green-yellow",
                               "plasma:white-black", "-loop", "0", m_work.filePath("anim.gif")}));
    // An animated PNG of 20 frames, by ffmpeg's APNG writer.
    QVERIFY(Fixtures::runTool("ffmpeg",
                              {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=120x90:rate=10", "-frames:v",
                               "20", "-plays", "0", "-f", "apng", m_work.filePath("spin.png")}));
}

void TestImgCompress::init()
{
    AppPaths::setAppDirForTesting(m_app.path());
    m_out = m_work.filePath(QStringLiteral("out%1").arg(QDateTime::currentMSecsSinceEpoch()));
    QVERIFY(QDir().mkpath(m_out));
}

void TestImgCompress::cleanup()
{
    AppPaths::setAppDirForTesting(QString());
}

ImgJobParams TestImgCompress::params(ImgOperation operation, int level) const
{
    ImgJobParams p;
    p.operation = operation;
    p.format = ImgFormat::KeepSource;
    p.level = level;
    p.outputDir = m_out;
    return p;
}

QString TestImgCompress::facts(const QString& path, const QString& format)
{
    QString out;
    if (!Fixtures::runTool("identify", {"-format", format, path}, &out))
        return QString();
    return out.trimmed();
}

QPair<bool, QString> TestImgCompress::runWithReason(const ImgJobParams& params, const QString& source,
                                                    QString* path)
{
    ImgBatchRunner runner(params, BatchRecorder::records({source}), nullptr);
    QSignalSpy done(&runner, &BatchRunner::rowDone);
    QSignalSpy end(&runner, &BatchRunner::batchDone);
    runner.start();
    if (!end.wait(60000) || done.size() != 1)
        return {false, QStringLiteral("the batch did not end")};
    if (path)
        *path = done.first().at(1).toString();
    return {done.first().at(2).toBool(), qvariant_cast<JobFailure>(done.first().at(3)).detail};
}

void TestImgCompress::photosComeOutSmaller_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    QTest::newRow("PNG at 70") << "photo.png" << 70 << -1 << "400x300 PNG";
    QTest::newRow("PNG at 90") << "photo.png" << 90 << -1 << "400x300 PNG";
    QTest::newRow("PNG at 10") << "photo.png" << 10 << -1 << "400x300 PNG";
    QTest::newRow("PNG resized first") << "photo.png" << 70 << 200 << "200x150 PNG";
    QTest::newRow("JPG at 70") << "photo.jpg" << 70 << -1 << "400x300 JPEG";
    QTest::newRow("JPG at 10, resized") << "photo.jpg" << 10 << 200 << "200x150 JPEG";
}

void TestImgCompress::photosComeOutSmaller()
{
    QFETCH(QString, name);
    QFETCH(int, level);
    QFETCH(int, width);
    QFETCH(QString, result);
    const QString source = m_work.filePath(name);
    ImgJobParams p = params(ImgOperation::Compression, level);
    p.width = width;
    QString output;
    const QPair<bool, QString> done = runWithReason(p, source, &output);
    QVERIFY2(done.first, qPrintable(done.second));
    QCOMPARE(output, m_out + "/" + name);
    QCOMPARE(Fixtures::identify(output), result);
    QVERIFY2(
        QFileInfo(output).size() < QFileInfo(source).size() * 3 / 4,
        qPrintable(QStringLiteral("%1 -> %2").arg(QFileInfo(source).size()).arg(QFileInfo(output).size())));
    if (name.endsWith("png")) // quantised: a palette of at most 256 colours
        QVERIFY(facts(output, "%k").toInt() <= 256);
    // Nothing of the work is left beside the result.
    QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList{name});
}

void TestImgCompress::aSilentPngquantFailureHasAReason()
{
    Fixtures::writeScript(m_app.filePath("pngquant.2.12.3"), "exit 99\n");
    QString output;
    const QPair<bool, QString> done =
        runWithReason(params(ImgOperation::Compression, 70), m_work.filePath("photo.png"), &output);
    QFile::remove(m_app.filePath("pngquant.2.12.3"));
    QVERIFY(
        QFile::link(QStringLiteral(APP_BINARY_DIR "/pngquant.2.12.3"), m_app.filePath("pngquant.2.12.3")));
    QVERIFY(!done.first);
    QCOMPARE(done.second, QStringLiteral("pngquant: the picture cannot keep the quality asked"));
    QVERIFY(!QFileInfo::exists(output));
}

void TestImgCompress::anAnimatedPngIsNotFlattened_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("pngquant alone") << -1;
    QTest::newRow("resized by ImageMagick first") << 60;
}

void TestImgCompress::anAnimatedPngIsNotFlattened()
{
    QFETCH(int, width);
    ImgJobParams p = params(ImgOperation::Compression, 70);
    p.width = width;
    QString output;
    const QPair<bool, QString> done = runWithReason(p, m_work.filePath("spin.png"), &output);
    // Either tool would give one still frame and exit 0.
    QVERIFY(!done.first);
    QCOMPARE(
        done.second,
        QStringLiteral("an animated PNG (20 frames) is not compressed: only its first frame would be kept"));
    QVERIFY(QDir(m_out).entryList(QDir::Files).isEmpty());
    // A still PNG of the same batch settings goes through.
    QVERIFY(runWithReason(p, m_work.filePath("photo.png"), &output).first);
}

void TestImgCompress::gifsStayAnimatedWithFewerColours_data()
{
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("size");
    QTest::newRow("50 colours, 300x200 exactly") << 50 << 300 << 200 << "300x200";
    QTest::newRow("14 colours, squeezed to 200x200") << 14 << 200 << 200 << "200x200";
    QTest::newRow("width 300 alone never enlarges") << 64 << 300 << -1 << "120x80";
    QTest::newRow("width 60 alone keeps the ratio") << 32 << 60 << -1 << "60x40";
    QTest::newRow("height 40 alone") << 32 << -1 << 40 << "60x40";
    QTest::newRow("original size") << 50 << -1 << -1 << "120x80";
}

void TestImgCompress::gifsStayAnimatedWithFewerColours()
{
    QFETCH(int, colours);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, size);
    ImgJobParams p = params(ImgOperation::GifCompression, colours);
    p.width = width;
    p.height = height;
    QString output;
    const QPair<bool, QString> done = runWithReason(p, m_work.filePath("anim.gif"), &output);
    QVERIFY2(done.first, qPrintable(done.second));
    QCOMPARE(output, m_out + "/anim.gif");
    // Still three frames with their delay, every one the asked size on the asked canvas.
    QCOMPARE(facts(output, "%W:%H:%T "),
             QStringLiteral("%1:%2:20 %1:%2:20 %1:%2:20").arg(size.section('x', 0, 0), size.section('x', 1)));
    // Played back, no more colours than the level allows over all frames.
    QString played;
    QVERIFY(
        Fixtures::runTool("convert", {output, "-coalesce", "-append", "-format", "%k", "info:"}, &played));
    QVERIFY2(played.trimmed().toInt() <= colours, qPrintable(played));
    if (size.section('x', 0, 0).toInt() * size.section('x', 1).toInt() <= 120 * 80)
        QVERIFY(QFileInfo(output).size() < QFileInfo(m_work.filePath("anim.gif")).size());
}

QTEST_GUILESS_MAIN(TestImgCompress)
#include "tst_imgcompress.moc"

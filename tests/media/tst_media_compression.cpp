#include "mediafixtures.h"
#include "runrecorder.h"

#include "media/mediarecipes.h"
#include "media/mymediainfo.h"
#include "platform/apppaths.h"
#include "support/fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kRunWaitMs = 300000;

using MediaFixtures::ffmpeg;

// What a player shows of the picture, and the picture stream's own rate.
struct Picture
{
    QSize shown;
    qint64 bitRate = 0; // bit/s
    bool decodes = false;
};

Picture picture(const QString& path)
{
    Picture p;
    QString json;
    if (!Fixtures::runTool("ffprobe",
                           {"-v", "error", "-select_streams", "v:0", "-show_streams", "-of", "json", path},
                           &json))
        return p;
    const QJsonObject s =
        QJsonDocument::fromJson(json.toUtf8()).object().value("streams").toArray().at(0).toObject();
    QSize size(s.value("width").toInt(), s.value("height").toInt());
    // A phone's rotation is a side datum of the stream; players turn the picture by it.
    int rotation = s.value("tags").toObject().value("rotate").toString().toInt();
    for (const QJsonValue& side : s.value("side_data_list").toArray())
        rotation = qMax(rotation, qAbs(side.toObject().value("rotation").toInt()));
    if (rotation % 180 == 90)
        size.transpose();
    p.shown = size;
    p.bitRate = s.value("bit_rate").toString().toLongLong();
    QString errors;
    p.decodes =
        Fixtures::runTool("ffmpeg", {"-nostdin", "-v", "error", "-i", path, "-f", "null", "-"}, &errors) &&
        errors.trimmed().isEmpty();
    return p;
}
} // namespace

// Compression on clips as people have them: with and without sound, 16:9, 4:3 and a phone's
// portrait, high and low rates, mostly sound. Custom rates and frame boxes reach the output, the
// row's estimate comes true, and a target size is met.
class TestMediaCompression : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_app.isValid() && m_in.isValid());
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        AppPaths::setAppDirForTesting(m_app.path());
        // 16:9 with motion and sound, at a high rate, 6.4 s.
        QVERIFY(
            ffmpeg({"-f",          "lavfi",   "-i",       "testsrc2=size=640x360:rate=30:duration=6.4",
                    "-f",          "lavfi",   "-i",       "sine=frequency=330:duration=6.4:sample_rate=48000",
                    "-c:v",        "libx264", "-preset",  "ultrafast",
                    "-b:v",        "3000k",   "-pix_fmt", "yuv420p",
                    "-c:a",        "aac",     "-b:a",     "128k",
                    in("wide.mp4")}));
        // 4:3 AVI without sound, a fractal that keeps changing, 5.3 s.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "mandelbrot=size=480x360:rate=25", "-t", "5.3", "-c:v", "mpeg4",
                        "-b:v", "2500k", in("square.avi")}));
        // A phone clip: stored 640x360 and turned a quarter, so shown 360x640; mono sound, its
        // shooting date and place. The turn is set on a stream copy, where ffmpeg keeps it.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=30:duration=4.7", "-f", "lavfi",
                        "-i", "sine=duration=4.7:sample_rate=44100", "-c:v", "libx264", "-b:v", "2000k",
                        "-pix_fmt", "yuv420p", "-c:a", "aac", "-ac", "1", in("upright.mp4")}));
        QVERIFY(ffmpeg({"-i", in("upright.mp4"), "-c", "copy", "-metadata:s:v:0", "rotate=90", "-metadata",
                        "creation_time=2021-05-03T10:20:30.000000Z", "-metadata",
                        "location=+48.8577+002.2950/", in("phone.mp4")}));
        // Mostly sound: a small low-rate picture under 320 kbit/s of stereo, in MP4.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=15:duration=7.1", "-f", "lavfi",
                        "-i", "sine=frequency=500:duration=7.1:sample_rate=48000", "-ac", "2", "-c:v",
                        "libx264", "-b:v", "150k", "-c:a", "aac", "-b:a", "320k", in("talk.mp4")}));
        QCOMPARE(picture(in("phone.mp4")).shown, QSize(360, 640));
        // A real phone's recording: 1080p at 13 Mbit/s, a variable frame rate, its place and date.
        QVERIFY(QFile::copy(Fixtures::dataFile("VID_20191220_170832.mp4"), in("android.mp4")));
        // A recording cut off before its index was written (a phone whose battery died): MP4
        // keeps its length in that index, so nothing can tell how long the picture is.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=3.3", "-c:v", "libx264",
                        "-pix_fmt", "yuv420p", in("whole.mp4")}));
        QFile whole(in("whole.mp4"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile cut(in("cut.mp4"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(whole.size() * 3 / 5));
    }

    void init()
    {
        m_out = std::make_unique<QTemporaryDir>();
        QVERIFY(m_out->isValid());
    }

    void customRateAndBox_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("bitRate");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("16:9 kept, low rate") << "wide.mp4" << 200 << QSize() << QSize(640, 360);
        QTest::newRow("16:9 into 320x240") << "wide.mp4" << 512 << QSize(320, 240) << QSize(320, 180);
        QTest::newRow("never enlarged") << "wide.mp4" << 768 << QSize(1280, 720) << QSize(640, 360);
        QTest::newRow("4:3 into 480x320, no sound")
            << "square.avi" << 384 << QSize(480, 320) << QSize(426, 320);
        QTest::newRow("4:3 high rate") << "square.avi" << 1600 << QSize(240, 160) << QSize(212, 160);
        QTest::newRow("portrait in a landscape box")
            << "phone.mp4" << 256 << QSize(320, 240) << QSize(180, 320);
        QTest::newRow("portrait in a portrait box")
            << "phone.mp4" << 512 << QSize(750, 1334) << QSize(360, 640);
        QTest::newRow("mostly sound") << "talk.mp4" << 120 << QSize(240, 160) << QSize(212, 160);
        QTest::newRow("real phone 1080p into 640x480")
            << "android.mp4" << 512 << QSize(640, 480) << QSize(640, 360);
        QTest::newRow("real phone 1080p, rate only") << "android.mp4" << 2000 << QSize() << QSize(1920, 1080);
    }
    void customRateAndBox()
    {
        QFETCH(QString, source);
        QFETCH(int, bitRate);
        QFETCH(QSize, box);
        QFETCH(QSize, shown);
        MyMediaInfo info;
        info.probe(in(source));
        MediaJob job = compressionJob(source, bitRate);
        job.fitBox = box;
        RunRecorder rec;
        run({job}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString output = rec.ofKind("done").at(0).text;
        const Picture out = picture(output);
        QVERIFY(out.decodes);
        QCOMPARE(out.shown, shown);
        // The picture's own rate: within 15 % of the chosen one (the encoder may stay under).
        QVERIFY2(out.bitRate <= bitRate * 1150, qPrintable(QString::number(out.bitRate)));
        // The row's estimate before the start comes true.
        // A phone's picture stream ends before its sound, so the picture's own rate over its own
        // length can exceed the file's: the sound's rate is then taken as the header gives it.
        const int rest = info.totalBitRate() - info.videoBitRate();
        const qint64 estimate = MediaRecipes::compressedSize(info.videoDuration(), bitRate,
                                                             rest > 0 ? rest : info.audioBitRate());
        const qint64 size = QFileInfo(output).size();
        QVERIFY2(size <= estimate * 115 / 100,
                 qPrintable(QStringLiteral("%1 bytes against an estimate of %2").arg(size).arg(estimate)));
    }

    void targetSize_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<double>("megabytes");
        QTest::newRow("16:9 with sound") << "wide.mp4" << 0.8;
        QTest::newRow("16:9 tight") << "wide.mp4" << 0.25;
        QTest::newRow("4:3 without sound") << "square.avi" << 0.5;
        QTest::newRow("phone") << "phone.mp4" << 0.4;
        QTest::newRow("mostly sound") << "talk.mp4" << 0.25;
        QTest::newRow("real phone") << "android.mp4" << 1.0;
        QTest::newRow("real phone tight") << "android.mp4" << 0.3;
    }
    void targetSize()
    {
        QFETCH(QString, source);
        QFETCH(double, megabytes);
        MyMediaInfo info;
        info.probe(in(source));
        MediaJob job = compressionJob(source, info.videoBitRate());
        job.targetBytes = qint64(megabytes * 1048576);
        RunRecorder rec;
        run({job}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString output = rec.ofKind("done").at(0).text;
        const qint64 size = QFileInfo(output).size();
        const QString figures = QStringLiteral("%1 bytes for %2").arg(size).arg(job.targetBytes);
        QVERIFY2(size <= job.targetBytes, qPrintable(figures));
        QVERIFY2(size >= job.targetBytes * 97 / 100, qPrintable(figures));
        QVERIFY(picture(output).decodes);
        QCOMPARE(rec.progressFor("c").last(), 100);
    }

    void targetBelowTheSoundIsRefused()
    {
        // talk.mp4 holds about 172 KB of sound: 150 KB cannot be met by any picture.
        MediaJob job = compressionJob("talk.mp4", 100);
        job.targetBytes = 150 * 1024;
        RunRecorder rec;
        QElapsedTimer clock;
        clock.start();
        run({job}, rec);
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QVERIFY2(rec.ofKind("failed").at(0).text.contains("声音"),
                 qPrintable(rec.ofKind("failed").at(0).text));
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
        // Refused after reading the sound, not after an encode.
        QVERIFY(clock.elapsed() < 5000);
    }

    void unknownLengthIsRefused()
    {
        MediaJob job = compressionJob("cut.mp4", 500);
        QCOMPARE(job.timeLen, qint64(0));
        job.targetBytes = 100 * 1024;
        RunRecorder rec;
        run({job}, rec);
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QVERIFY2(rec.ofKind("failed").at(0).text.contains("时长"),
                 qPrintable(rec.ofKind("failed").at(0).text));
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

private:
    QString in(const QString& name) const { return m_in.filePath(name); }

    MediaJob compressionJob(const QString& source, int bitRate) const
    {
        MyMediaInfo info;
        info.probe(in(source));
        MediaJob job;
        job.operation = Compression;
        job.oriFilePath = in(source);
        job.objectName = "c";
        job.timeLen = info.videoDuration();
        job.bitRate = bitRate;
        return job;
    }

    void run(const MediaJobList& jobs, RunRecorder& rec)
    {
        VideoThread thread(Compression, jobs, m_out->path());
        rec.attach(thread);
        thread.start();
        QVERIFY(thread.wait(kRunWaitMs));
    }

    QTemporaryDir m_app;
    QTemporaryDir m_in;
    std::unique_ptr<QTemporaryDir> m_out;
};

QTEST_GUILESS_MAIN(TestMediaCompression)
#include "tst_media_compression.moc"

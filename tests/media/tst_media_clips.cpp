#include "mediafixtures.h"
#include "runrecorder.h"

#include "platform/apppaths.h"
#include "support/fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kRunWaitMs = 180000;

using MediaFixtures::ffmpeg;

// What a player reads: each stream's type and length, and the container's tags.
struct Facts
{
    QStringList types;
    double videoSeconds = 0;
    double audioSeconds = 0;
    double formatSeconds = 0;
    QString videoCodec;
    QSize size;
    QString sar;
    QJsonObject tags;
    bool decodes = false;
};

Facts facts(const QString& path)
{
    Facts f;
    QString json;
    if (!Fixtures::runTool("ffprobe", {"-v", "error", "-show_streams", "-show_format", "-of", "json", path},
                           &json))
        return f;
    const QJsonObject root = QJsonDocument::fromJson(json.toUtf8()).object();
    for (const QJsonValue& value : root.value("streams").toArray()) {
        const QJsonObject s = value.toObject();
        const QString type = s.value("codec_type").toString();
        f.types << type;
        const double seconds = s.value("duration").toString().toDouble();
        if (type == "video") {
            f.videoSeconds = seconds;
            f.videoCodec = s.value("codec_name").toString();
            f.size = QSize(s.value("width").toInt(), s.value("height").toInt());
            f.sar = s.value("sample_aspect_ratio").toString();
        } else if (type == "audio") {
            f.audioSeconds = seconds;
        }
    }
    f.formatSeconds = root.value("format").toObject().value("duration").toString().toDouble();
    f.tags = root.value("format").toObject().value("tags").toObject();
    // A full decode: every packet read back without an error.
    QString errors;
    f.decodes =
        Fixtures::runTool("ffmpeg", {"-nostdin", "-v", "error", "-i", path, "-f", "null", "-"}, &errors) &&
        errors.trimmed().isEmpty();
    return f;
}

QImage frameAt(const QString& video, double seconds, const QString& dir)
{
    const QString png = dir + "/frame.png";
    QFile::remove(png);
    if (!ffmpeg({"-ss", QString::number(seconds), "-i", video, "-frames:v", "1", png}))
        return {};
    return QImage(png);
}

bool isBlack(QRgb c)
{
    return qRed(c) < 24 && qGreen(c) < 24 && qBlue(c) < 24;
}

bool isWhite(QRgb c)
{
    return qRed(c) > 220 && qGreen(c) > 220 && qBlue(c) > 220;
}
} // namespace

// The runner on clips as people have them: without sound, 4:3 and anamorphic, odd lengths, no
// duration header, a timestamp jump, a phone's shooting date. Outputs are read back by ffprobe
// and decoded in full.
class TestMediaClips : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_app.isValid() && m_in.isValid());
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        AppPaths::setAppDirForTesting(m_app.path());
        // White pictures, so that the join's black padding is told apart from the picture.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "color=white:size=320x180:rate=25:duration=1", "-f", "lavfi",
                        "-i", "sine=duration=1:sample_rate=48000", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                        "-c:a", "aac", in("wide.mp4")}));
        // A 4:3 AVI without sound, odd height.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "color=white:size=128x93:rate=25:duration=1", "-c:v", "mpeg4",
                        in("silent.avi")}));
        // 72x48 stored, SAR 32:27: shown 16:9, as a DV or DVD clip is.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "color=white:size=72x48:rate=25:duration=1", "-f", "lavfi", "-i",
                        "sine=duration=1", "-vf", "setsar=32/27", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                        "-c:a", "aac", in("anamorphic.mov")}));
        // A phone clip of 1.6 s with its shooting date and place.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=180x320:rate=30:duration=1.6", "-f", "lavfi",
                        "-i", "sine=duration=1.6", "-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac",
                        "-metadata", "creation_time=2021-05-03T10:20:30.000000Z", "-metadata",
                        "location=+48.8577+002.2950/", in("phone.mp4")}));
        // Matroska written to a pipe has no duration in its header.
        QVERIFY(Fixtures::runTool("sh", {"-c", "ffmpeg -hide_banner -nostdin -loglevel error -f lavfi -i "
                                               "testsrc2=size=160x90:rate=25:duration=2.2 -c:v libx264 -f "
                                               "matroska - > '" +
                                                   in("noduration.mkv") + "'"}));
        // MPEG-PS whose second half jumps ten hours ahead: the header claims 36,000 s.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=25:duration=1", "-c:v", "mpeg1video",
                        "-f", "mpeg", in("part1.mpg")}));
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=25:duration=1", "-c:v", "mpeg1video",
                        "-output_ts_offset", "36000", "-f", "mpeg", in("part2.mpg")}));
        QFile jump(in("jump.mpg"));
        QVERIFY(jump.open(QIODevice::WriteOnly));
        for (const QString& part : {in("part1.mpg"), in("part2.mpg")}) {
            QFile file(part);
            QVERIFY(file.open(QIODevice::ReadOnly));
            jump.write(file.readAll());
        }
        jump.close();
        // WebM and Ogg video, which cannot hold H.264.
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=25:duration=1", "-f", "lavfi", "-i",
                        "sine=duration=1", "-c:v", "libvpx", "-c:a", "libvorbis", in("clip.webm")}));
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=25:duration=1", "-f", "lavfi", "-i",
                        "sine=duration=1", "-c:v", "libtheora", "-c:a", "libvorbis", in("clip.ogv")}));
    }
    void init()
    {
        m_out.reset(new QTemporaryDir);
        QVERIFY(m_out->isValid());
        AppPaths::setAppDirForTesting(m_app.path());
    }
    void cleanup()
    {
        QCOMPARE(QDir(m_app.filePath("temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        AppPaths::setAppDirForTesting(QString());
    }

    void joinOfSoundlessAndOtherShapes()
    {
        const MediaRecordList jobs{joinJob("wide.mp4", "j0"), joinJob("silent.avi", "j1"),
                                   joinJob("anamorphic.mov", "j2")};
        RunRecorder rec;
        run(Concatenation, jobs, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString joined = rec.ofKind("done").value(0).text;
        QCOMPARE(QFileInfo(joined).fileName(), QString("wide_拼接.mp4"));
        const Facts f = facts(joined);
        QVERIFY(f.decodes);
        QCOMPARE(f.types, QStringList({"video", "audio"}));
        QCOMPARE(f.size, QSize(640, 360));
        QVERIFY2(qAbs(f.videoSeconds - 3.0) < 0.15, qPrintable(QString::number(f.videoSeconds)));
        // Sound to the end: silence where the AVI had none.
        QVERIFY2(qAbs(f.audioSeconds - f.videoSeconds) < 0.15, qPrintable(QString::number(f.audioSeconds)));

        // The 4:3 clip sits inside the frame at its own shape, black to either side.
        const QImage square = frameAt(joined, 1.5, m_out->path());
        QCOMPARE(square.size(), QSize(640, 360));
        QVERIFY(isBlack(square.pixel(10, 180)) && isBlack(square.pixel(629, 180)));
        QVERIFY(isWhite(square.pixel(320, 180)) && isWhite(square.pixel(320, 5)));
        // 128x93 fitted to a height of 360 is 496 wide: it ends near x = 72 and 568.
        QVERIFY(isWhite(square.pixel(80, 180)) && isBlack(square.pixel(64, 180)));
        // The anamorphic clip is 16:9 once its pixels are square: it fills the frame.
        const QImage wide = frameAt(joined, 2.5, m_out->path());
        QVERIFY(isWhite(wide.pixel(10, 180)) && isWhite(wide.pixel(629, 180)));
    }

    void failedJoinMarksTheBrokenClip()
    {
        QFile broken(in("broken.mp4"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("no video in here");
        broken.close();
        RunRecorder rec;
        run(Concatenation, {joinJob("wide.mp4", "j0"), joinJob("broken.mp4", "j1")}, rec);
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QCOMPARE(rec.ofKind("failed").first().objectName, QString("j1"));
        QVERIFY(rec.ofKind("failed").first().text.startsWith("broken.mp4: "));
        QCOMPARE(rec.ofKind("done").value(0).objectName, QString("j1"));
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void segmentsKeepTheirMilliseconds_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("source");
        QTest::addColumn<MediaRecord>("keys");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("within");
        const MediaRecord slice{
            {"format", "0"}, {"resolution", "0"}, {"oriVideoCodec", "1"}, {"timeLenStr", "1600"}};
        QTest::newRow("whole 1.6 s clip sliced") << int(Slicing) << "phone.mp4" << slice << 1.6 << 0.04;
        QTest::newRow("whole 1.6 s clip to GIF")
            << int(VideoToGif) << "phone.mp4" << MediaRecord{{"timeLenStr", "1600"}} << 1.6 << 0.07;
        MediaRecord piece = slice;
        piece.insert("beginTimeStr", "300");
        piece.insert("timeLenStr", "567");
        QTest::newRow("0.3 s + 0.567 s") << int(Slicing) << "phone.mp4" << piece << 0.567 << 0.04;
        QTest::newRow("GIF of 0.3 s + 0.567 s") << int(VideoToGif) << "phone.mp4" << piece << 0.567 << 0.07;
        // The library knew no length: the packets tell 2.2 s.
        MediaRecord unknown = slice;
        unknown.insert("timeLenStr", "0");
        QTest::newRow("no duration header") << int(Slicing) << "noduration.mkv" << unknown << 2.2 << 0.05;
    }
    void segmentsKeepTheirMilliseconds()
    {
        QFETCH(int, mode);
        QFETCH(QString, source);
        QFETCH(MediaRecord, keys);
        QFETCH(double, seconds);
        QFETCH(double, within);
        RunRecorder rec;
        run(mode, {job(source, "s", keys)}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const Facts f = facts(rec.ofKind("done").value(0).text);
        QVERIFY(f.decodes);
        const double length = f.videoSeconds > 0 ? f.videoSeconds : f.formatSeconds;
        QVERIFY2(qAbs(length - seconds) <= within, qPrintable(QString::number(length)));
        QCOMPARE(rec.progressFor("s").last(), 100);
    }

    void damagedTimestampsCannotRunAway()
    {
        // The header says ten hours; the packets hold two seconds.
        QElapsedTimer timer;
        timer.start();
        RunRecorder rec;
        run(FormatConversion,
            {job(
                "jump.mpg", "d",
                {{"format", "0"}, {"resolution", "0"}, {"oriVideoCodec", "50"}, {"timeLenStr", "36000340"}})},
            rec);
        const QString output = rec.ofKind("done").value(0).text;
        if (rec.ofKind("failed").isEmpty()) {
            const Facts f = facts(output);
            QVERIFY(f.decodes);
            // Capped at the real length + 10 % + 1 s.
            QVERIFY2(f.formatSeconds <= 3.2, qPrintable(QString::number(f.formatSeconds)));
        } else {
            QVERIFY2(rec.ofKind("failed").first().text.contains("damaged"),
                     qPrintable(rec.ofKind("failed").first().text));
            QVERIFY(!QFile::exists(output));
        }
        QVERIFY2(timer.elapsed() < 60000, qPrintable(QString::number(timer.elapsed())));
    }

    void runawayOutputFailsWithItsReason()
    {
        // A packet read that says 1 s for a clip that plays 3 s, as a damaged header can: the job
        // is cut at 1 s + 10 % + 1 s, and reaching that cap fails it instead of passing it off.
        const QString tool = m_app.filePath("decoder/common/ffmpeg");
        QFile::remove(tool);
        QVERIFY(Fixtures::writeScript(tool,
                                      "case \"$*\" in *'-f null -'*) echo 'frame=25 time=00:00:01.00' >&2; "
                                      "exit 0 ;; esac\nexec /usr/bin/ffmpeg \"$@\"\n"));
        MediaFixtures::Clip three;
        three.seconds = 3;
        QVERIFY(MediaFixtures::make(in("three.mp4"), three));
        RunRecorder rec;
        run(FormatConversion,
            {job("three.mp4", "r", {{"format", "2"}, {"resolution", "5"}, {"oriVideoCodec", "1"}})}, rec);
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QVERIFY2(rec.ofKind("failed").first().text.contains("damaged"),
                 qPrintable(rec.ofKind("failed").first().text));
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void sparseFramesAreNotRepeated_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("frames");
        // Two frames half a second apart in a stream whose nominal rate is 1000 fps.
        QTest::newRow("to MP4") << 0 << 2;
        QTest::newRow("to MKV") << 2 << 2;
    }
    void sparseFramesAreNotRepeated()
    {
        QFETCH(int, format);
        QFETCH(int, frames);
        if (!QFile::exists(in("sparse.wmv")))
            QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=2:duration=1", "-c:v", "wmv2",
                            in("sparse.wmv")}));
        RunRecorder rec;
        run(FormatConversion,
            {job("sparse.wmv", "w",
                 {{"format", QString::number(format)}, {"resolution", "0"}, {"oriVideoCodec", "50"}})},
            rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        QString count;
        QVERIFY(
            Fixtures::runTool("ffprobe",
                              {"-v", "error", "-count_frames", "-select_streams", "v", "-show_entries",
                               "stream=nb_read_frames", "-of", "csv=p=0", rec.ofKind("done").value(0).text},
                              &count));
        QCOMPARE(count.trimmed().toInt(), frames);
    }

    // A constant-rate target takes the source's real rate when that is slower, so no frame is
    // repeated to fill the time.
    void slowSourcesKeepTheirRate_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<int>("maxFrames");
        QTest::newRow("GIF of a 2-frame clip") << int(VideoToGif) << QStringList{"sparse.wmv"} << 3;
        QTest::newRow("join of 2 fps and 5 fps clips")
            << int(Concatenation) << QStringList{"sparse.wmv", "slow.mp4"} << 11;
    }
    void slowSourcesKeepTheirRate()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, sources);
        QFETCH(int, maxFrames);
        if (!QFile::exists(in("sparse.wmv")))
            QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=2:duration=1", "-c:v", "wmv2",
                            in("sparse.wmv")}));
        if (!QFile::exists(in("slow.mp4")))
            QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x90:rate=5:duration=1", "-c:v", "libx264",
                            "-pix_fmt", "yuv420p", in("slow.mp4")}));
        MediaRecordList jobs;
        for (int i = 0; i < sources.size(); ++i)
            jobs << (mode == Concatenation ? joinJob(sources.at(i), QString("r%1").arg(i))
                                           : job(sources.at(i), QString("r%1").arg(i), {}));
        RunRecorder rec;
        run(mode, jobs, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString output = rec.ofKind("done").value(0).text;
        QVERIFY(facts(output).decodes);
        QString count;
        QVERIFY(Fixtures::runTool("ffprobe",
                                  {"-v", "error", "-count_frames", "-select_streams", "v", "-show_entries",
                                   "stream=nb_read_frames", "-of", "csv=p=0", output},
                                  &count));
        // At 15 fps the GIF held 15 frames, at 25 fps the join 50.
        QVERIFY2(count.trimmed().toInt() > 0 && count.trimmed().toInt() <= maxFrames, qPrintable(count));
    }

    void shootingDateSurvives_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<MediaRecord>("keys");
        QTest::newRow("conversion") << int(FormatConversion)
                                    << MediaRecord{
                                           {"format", "1"}, {"resolution", "5"}, {"oriVideoCodec", "1"}};
        QTest::newRow("compression") << int(Compression) << MediaRecord{{"bitRateStr", "100"}};
        QTest::newRow("slicing") << int(Slicing)
                                 << MediaRecord{{"format", "0"},
                                                {"resolution", "0"},
                                                {"oriVideoCodec", "1"},
                                                {"beginTimeStr", "500"},
                                                {"timeLenStr", "500"}};
        QTest::newRow("join") << int(Concatenation)
                              << MediaRecord{{"format", "0"}, {"resolution", "5"}, {"oriVideoCodec", "1"}};
    }
    void shootingDateSurvives()
    {
        QFETCH(int, mode);
        QFETCH(MediaRecord, keys);
        MediaRecordList jobs{job("phone.mp4", "p", keys)};
        if (mode == Concatenation)
            jobs << job("wide.mp4", "q", keys);
        RunRecorder rec;
        run(mode, jobs, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const Facts f = facts(rec.ofKind("done").value(0).text);
        QVERIFY(f.decodes);
        QVERIFY2(f.tags.value("creation_time").toString().startsWith("2021-05-03T10:20:30"),
                 qPrintable(QJsonDocument(f.tags).toJson()));
    }

    void webmAndOggCompressToMp4_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("webm") << "clip.webm";
        QTest::newRow("ogv") << "clip.ogv";
    }
    void webmAndOggCompressToMp4()
    {
        QFETCH(QString, source);
        RunRecorder rec;
        run(Compression, {job(source, "c", {{"bitRateStr", "100"}})}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString output = rec.ofKind("done").value(0).text;
        QCOMPARE(QFileInfo(output).fileName(), QFileInfo(source).completeBaseName() + ".mp4");
        const Facts f = facts(output);
        QVERIFY(f.decodes);
        QCOMPARE(f.types, QStringList({"video", "audio"}));
        QCOMPARE(f.videoCodec, QString("h264"));
    }

private:
    QString in(const QString& name) const { return m_in.filePath(name); }

    MediaRecord job(const QString& source, const QString& name, MediaRecord keys) const
    {
        keys.insert("oriFilePath", in(source));
        keys.insert("objectName", name);
        if (!keys.contains("timeLenStr"))
            keys.insert("timeLenStr", "1000");
        return keys;
    }

    MediaRecord joinJob(const QString& source, const QString& name) const
    {
        return job(source, name, {{"format", "0"}, {"resolution", "5"}, {"oriVideoCodec", "1"}});
    }

    void run(int mode, const MediaRecordList& jobs, RunRecorder& rec)
    {
        VideoThread thread(mode, jobs, m_out->path());
        rec.attach(thread);
        thread.start();
        QVERIFY(thread.wait(kRunWaitMs));
    }

    QTemporaryDir m_app;
    QTemporaryDir m_in;
    std::unique_ptr<QTemporaryDir> m_out;
};

QTEST_GUILESS_MAIN(TestMediaClips)
#include "tst_media_clips.moc"

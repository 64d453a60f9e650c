#include "mediafixtures.h"
#include "runrecorder.h"

#include "platform/apppaths.h"
#include "support/fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {
constexpr int kRunWaitMs = 120000;

MediaRecord job(const QString& source, const QString& name, QMap<QString, QString> more)
{
    more.insert("oriFilePath", source);
    more.insert("objectName", name);
    if (!more.contains("timeLenStr"))
        more.insert("timeLenStr", "1000");
    return more;
}

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

// The runner end to end with the real ffmpeg; fake tools only where a failure is injected.
class TestMediaRunner : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_app.isValid() && m_in.isValid());
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        AppPaths::setAppDirForTesting(m_app.path());
        QVERIFY(MediaFixtures::make(in("a.mp4"), {}));
        QVERIFY(MediaFixtures::make(in("b.mp4"), {}));
        QVERIFY(MediaFixtures::makeMp3(in("sound.mp3")));
        MediaFixtures::Clip flash;
        flash.videoCodec = "flv";
        flash.audioCodec = "libmp3lame";
        flash.sampleRate = 44100;
        QVERIFY(MediaFixtures::make(in("c.flv"), flash));
        MediaFixtures::Clip vp8;
        vp8.videoCodec = "libvpx";
        vp8.audioCodec = "libvorbis";
        QVERIFY(MediaFixtures::make(in("v.webm"), vp8));
        for (const QString& cover : {QString("cover.flac"), QString("cover.m4a")})
            QVERIFY(makeWithCover(in(cover)));
        MediaFixtures::Clip ps;
        ps.seconds = 3;
        ps.videoCodec = "mpeg1video";
        ps.audioCodec.clear();
        ps.extra = QStringList{"-bf", "2", "-g", "15", "-f", "mpeg"};
        QVERIFY(MediaFixtures::make(in("ps.mpg"), ps));
        QVERIFY(wrapInQlv(in("a.mp4"), in("a.qlv")));
        QVERIFY(wrapInQlv(in("c.flv"), in("c.qlv")));
        QFile text(in("fake.mp4"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a video, only words\n");
    }
    void init()
    {
        m_out.reset(new QTemporaryDir);
        QVERIFY(m_out->isValid());
        AppPaths::setAppDirForTesting(m_app.path());
    }
    void cleanup()
    {
        // Every run removes its own temporary folder, whatever happened.
        QCOMPARE(QDir(m_app.filePath("temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        AppPaths::setAppDirForTesting(QString());
    }

    void threeJobsNamedAfterTheirSources()
    {
        const MediaRecordList jobs{
            job(in("a.mp4"), "row0",
                {{"format", "2"}, {"resolution", "0"}, {"oriVideoCodec", "1"}, {"mediaLocalTypeStr", "0"}}),
            job(in("b.mp4"), "row1",
                {{"format", "0"}, {"resolution", "5"}, {"oriVideoCodec", "1"}, {"mediaLocalTypeStr", "0"}}),
            job(in("a.mp4"), "row2",
                {{"format", "51"}, {"audioQualityStr", "4"}, {"mediaLocalTypeStr", "1"}})};
        RunRecorder rec;
        run(FormatConversion, jobs, rec);

        QCOMPARE(rec.ofKind("failed").size(), 0);
        const QList<RunRecorder::Event> done = rec.ofKind("done");
        QCOMPARE(done.size(), 3);
        const QStringList names{"a.mkv", "b.mp4", "a.wav"};
        for (int i = 0; i < 3; ++i) {
            const QString name = QString("row%1").arg(i);
            QCOMPARE(done.at(i).objectName, name);
            QCOMPARE(done.at(i).text, QDir(m_out->path()).absoluteFilePath(names.at(i)));
            // The row's last two reports: 100, then done.
            const QList<RunRecorder::Event> own = rec.eventsFor(name);
            QVERIFY(own.size() >= 2);
            QCOMPARE(own.at(own.size() - 2).kind, QString("progress"));
            QCOMPARE(own.at(own.size() - 2).progress, 100);
            QCOMPARE(own.last().kind, QString("done"));
            QVERIFY(MediaFixtures::probe(done.at(i).text).ok);
        }
        QCOMPARE(MediaFixtures::probe(done.at(1).text).size, QSize(640, 360));
        QCOMPARE(MediaFixtures::probe(done.at(2).text).streamTypes, QStringList{"audio"});
        // Output is parsed on the thread that owns the process.
        for (const RunRecorder::Event& e : rec.events())
            QVERIFY(e.onRunnerThread);
    }

    void concatenationJoinsAndCleansUp()
    {
        const MediaRecordList jobs{concatJob("a.mp4", "first"), concatJob("b.mp4", "second")};
        RunRecorder rec;
        run(Concatenation, jobs, rec);
        const QList<RunRecorder::Event> done = rec.ofKind("done");
        QCOMPARE(done.size(), 1);
        QCOMPARE(done.first().objectName, QString("first"));
        QCOMPARE(QFileInfo(done.first().text).fileName(), QString("a_拼接.mp4"));
        QCOMPARE(rec.ofKind("failed").size(), 0);
        const MediaFixtures::Probe joined = MediaFixtures::probe(done.first().text);
        QCOMPARE(joined.size, QSize(640, 360));
        QVERIFY2(joined.duration > 1.8 && joined.duration < 2.3,
                 qPrintable(QString::number(joined.duration)));
        // The joining step must not push the bar past 100, and it never goes back.
        int last = 0;
        for (const RunRecorder::Event& e : rec.ofKind("progress")) {
            QVERIFY2(e.progress >= last && e.progress <= 100, qPrintable(QString::number(e.progress)));
            last = e.progress;
        }
        QCOMPARE(last, 100);
    }

    void mixedSourcesJoinAndPlayToTheEnd()
    {
        // Three codecs, three sizes, one piece without sound; each 2 s long, probed at 1 s.
        MediaFixtures::Clip hevc;
        hevc.seconds = 2;
        hevc.size = QSize(192, 108);
        hevc.videoCodec = "libx265";
        hevc.audioCodec.clear();
        hevc.extra = QStringList{"-x265-params", "log-level=error"};
        QVERIFY(MediaFixtures::make(in("mixed1.mkv"), hevc));
        MediaFixtures::Clip flash;
        flash.seconds = 2;
        flash.size = QSize(176, 144);
        flash.videoCodec = "flv";
        flash.audioCodec = "libmp3lame";
        flash.sampleRate = 44100;
        QVERIFY(MediaFixtures::make(in("mixed2.flv"), flash));
        MediaFixtures::Clip h264;
        h264.seconds = 2;
        QVERIFY(MediaFixtures::make(in("mixed0.mp4"), h264));
        MediaRecordList jobs;
        const QStringList codecs{"1", "2", "15"};
        const QStringList files{"mixed0.mp4", "mixed1.mkv", "mixed2.flv"};
        for (int i = 0; i < 3; ++i)
            jobs << job(in(files.at(i)), QString("m%1").arg(i),
                        {{"format", "2"}, {"resolution", "5"}, {"oriVideoCodec", codecs.at(i)}});
        RunRecorder rec;
        run(Concatenation, jobs, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString joined = rec.ofKind("done").value(0).text;
        QString durations;
        QVERIFY(Fixtures::runTool(
            "ffprobe",
            {"-v", "error", "-show_entries", "stream=codec_type,duration", "-of", "csv=p=0", joined},
            &durations));
        QString decodeErrors;
        QVERIFY(Fixtures::runTool("ffmpeg", {"-nostdin", "-v", "error", "-i", joined, "-f", "null", "-"},
                                  &decodeErrors));
        // The null muxer's notes on audio timestamps overlapping by a frame at each seam are no
        // decode errors; anything else is.
        QStringList errors = decodeErrors.split('\n', Qt::SkipEmptyParts);
        errors.erase(std::remove_if(errors.begin(), errors.end(),
                                    [](const QString& line) {
                                        return line.startsWith("[null @") ||
                                               line.contains("Last message repeated");
                                    }),
                     errors.end());
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join("\n")));
        const MediaFixtures::Probe probe = MediaFixtures::probe(joined);
        QVERIFY2(probe.duration > 5.8 && probe.duration < 6.4, qPrintable(QString::number(probe.duration)));
        QVERIFY2(probe.videoPackets >= 145, qPrintable(QString::number(probe.videoPackets)));
        QCOMPARE(probe.streamTypes, QStringList({"video", "audio"}));
        int last = 0;
        for (const RunRecorder::Event& e : rec.ofKind("progress")) {
            QVERIFY2(e.progress >= last, qPrintable(QString("%1 after %2").arg(e.progress).arg(last)));
            last = e.progress;
        }
        QCOMPARE(last, 100);
    }

    void failedPieceFailsTheConcatenation()
    {
        const MediaRecordList jobs{concatJob("a.mp4", "first"), concatJob("gone.mp4", "second"),
                                   concatJob("b.mp4", "third")};
        RunRecorder rec;
        run(Concatenation, jobs, rec);
        QCOMPARE(rec.ofKind("failed").size(), 1);
        // The row of the clip that broke the join carries the failure.
        QCOMPARE(rec.ofKind("failed").first().objectName, QString("second"));
        QVERIFY2(rec.ofKind("failed").first().text.startsWith("gone.mp4: "),
                 qPrintable(rec.ofKind("failed").first().text));
        QCOMPARE(rec.ofKind("done").size(), 1);
        // The third file is not transcoded for a join that cannot happen.
        QVERIFY(rec.eventsFor("third").isEmpty());
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void slicingAndCompression_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<MediaRecord>("keys");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("codec");
        QTest::newRow("slice with an odd crop")
            << int(Slicing) << MediaRecord{{"beginTimeStr", "0"}, {"format", "0"},   {"resolution", "0"},
                                           {"cutXStr", "10"},     {"cutYStr", "10"}, {"cutWidthStr", "81"},
                                           {"cutHeightStr", "45"}}
            << QSize(80, 44) << "/a.mp4"
            << "h264";
        QTest::newRow("slice to a size")
            << int(Slicing)
            << MediaRecord{{"beginTimeStr", "0"}, {"format", "2"}, {"resolution", "3"}, {"cutXStr", "-1"}}
            << QSize(320, 240) << "/a.mkv"
            << "mpeg4";
        QTest::newRow("compression") << int(Compression) << MediaRecord{{"bitRateStr", "200"}}
                                     << QSize(160, 90) << "/a.mp4"
                                     << "h264";
    }
    void slicingAndCompression()
    {
        QFETCH(int, mode);
        QFETCH(MediaRecord, keys);
        QFETCH(QSize, size);
        QFETCH(QString, suffix);
        QFETCH(QString, codec);
        RunRecorder rec;
        run(mode, {job(in("a.mp4"), "s", keys)}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const QString output = rec.ofKind("done").value(0).text;
        QVERIFY2(output.endsWith(suffix), qPrintable(output));
        const MediaFixtures::Probe probe = MediaFixtures::probe(output);
        QCOMPARE(probe.videoCodec, codec);
        QCOMPARE(probe.size, size);
    }

    void longJoinStaysWithinTheScale()
    {
        // The joining run's clock starts again from zero over the whole length; make it read
        // 200 s, past the 100 s the scale keeps for it, before the real ffmpeg takes over.
        QVERIFY(replaceFfmpeg("case \"$*\" in *concat:*) echo 'frame=9 fps=9 size=1kB time=00:03:20.00 "
                              "bitrate=1 speed=1x' >&2 ;; esac\nexec /usr/bin/ffmpeg \"$@\"\n"));
        RunRecorder rec;
        run(Concatenation, {concatJob("a.mp4", "first"), concatJob("b.mp4", "second")}, rec);
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        QCOMPARE(rec.ofKind("failed").size(), 0);
        const QList<RunRecorder::Event> progress = rec.ofKind("progress");
        QVERIFY(progress.size() >= 2);
        for (const RunRecorder::Event& e : progress)
            QVERIFY2(e.progress >= 0 && e.progress <= 100, qPrintable(QString::number(e.progress)));
        QCOMPARE(progress.last().progress, 100);
    }

    void twoConcatenationsAtOnceKeepApart()
    {
        VideoThread one(Concatenation, {concatJob("a.mp4", "x0"), concatJob("b.mp4", "x1")}, m_out->path());
        VideoThread two(Concatenation, {concatJob("b.mp4", "y0"), concatJob("a.mp4", "y1")}, m_out->path());
        RunRecorder recOne, recTwo;
        recOne.attach(one);
        recTwo.attach(two);
        one.start();
        two.start();
        QVERIFY(one.wait(kRunWaitMs) && two.wait(kRunWaitMs));
        QCOMPARE(recOne.ofKind("failed").size() + recTwo.ofKind("failed").size(), 0);
        const QString a = recOne.ofKind("done").value(0).text;
        const QString b = recTwo.ofKind("done").value(0).text;
        QVERIFY(a != b);
        for (const QString& path : {a, b})
            QVERIFY(MediaFixtures::probe(path).duration > 1.8);
    }

    void gifAtAnEvenWidth()
    {
        RunRecorder rec;
        run(VideoToGif,
            {job(in("a.mp4"), "g",
                 {{"beginTimeStr", "0"}, {"scaleWidthStr", "81"}, {"scaleHeightStr", "46"}})},
            rec);
        QCOMPARE(rec.ofKind("failed").size(), 0);
        const QString path = rec.ofKind("done").value(0).text;
        QVERIFY(path.endsWith("/a.gif"));
        const MediaFixtures::Probe gif = MediaFixtures::probe(path);
        QCOMPARE(gif.formatName, QString("gif"));
        QCOMPARE(gif.size.width(), 82);
    }

    void qlvSources_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("mode");
        QTest::addColumn<MediaRecord>("keys");
        QTest::addColumn<QStringList>("streams");
        QTest::newRow("MP4 inside, copied to MP4") << "a.qlv" << int(FormatConversion)
                                                   << MediaRecord{{"format", "0"},
                                                                  {"resolution", "0"},
                                                                  {"oriVideoCodec", "1"},
                                                                  {"mediaLocalTypeStr", "0"}}
                                                   << QStringList{"video", "audio"};
        QTest::newRow("FLV inside, to MKV") << "c.qlv" << int(FormatConversion)
                                            << MediaRecord{{"format", "2"},
                                                           {"resolution", "3"},
                                                           {"oriVideoCodec", "50"},
                                                           {"mediaLocalTypeStr", "0"}}
                                            << QStringList{"video", "audio"};
        QTest::newRow("sound of a QLV")
            << "c.qlv" << int(AudioExtraction) << MediaRecord{{"format", "50"}, {"audioQualityStr", "2"}}
            << QStringList{"audio"};
    }
    void qlvSources()
    {
        QFETCH(QString, source);
        QFETCH(int, mode);
        QFETCH(MediaRecord, keys);
        QFETCH(QStringList, streams);
        RunRecorder rec;
        run(mode, {job(in(source), "q", keys)}, rec);
        QCOMPARE(rec.ofKind("failed").size(), 0);
        const MediaFixtures::Probe out = MediaFixtures::probe(rec.ofKind("done").value(0).text);
        QCOMPARE(out.streamTypes, streams);
        QVERIFY(QFile::exists(in(source)));
    }

    void unreadableQlvFailsWithTheHelpersWord()
    {
        QFile garbage(in("garbage.qlv"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(5000, 'z'));
        garbage.close();
        RunRecorder rec;
        run(FormatConversion,
            {job(in("garbage.qlv"), "q", {{"format", "0"}, {"resolution", "0"}, {"mediaLocalTypeStr", "0"}})},
            rec);
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QVERIFY2(rec.ofKind("failed").first().text.startsWith("Qlv2mp4: no MP4"),
                 qPrintable(rec.ofKind("failed").first().text));
        QCOMPARE(rec.ofKind("done").size(), 1);
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void missingFfmpegFailsEveryJobAtOnce()
    {
        QVERIFY(QFile::remove(m_app.filePath("decoder/common/ffmpeg")));
        const MediaRecordList jobs{job(in("sound.mp3"), "r0", {{"format", "51"}, {"audioQualityStr", "4"}}),
                                   job(in("sound.mp3"), "r1", {{"format", "50"}, {"audioQualityStr", "1"}}),
                                   job(in("sound.mp3"), "r2", {{"format", "55"}, {"audioQualityStr", "4"}})};
        RunRecorder rec;
        run(AudioConversion, jobs, rec, 20000);
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        QCOMPARE(rec.ofKind("failed").size(), 3);
        for (const RunRecorder::Event& e : rec.ofKind("failed"))
            QVERIFY2(e.text.startsWith("could not start"), qPrintable(e.text));
        QCOMPARE(rec.ofKind("done").size(), 3);
        for (const char* name : {"r0", "r1", "r2"})
            QCOMPARE(rec.progressFor(name), QList<int>{100});
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void failuresAreReportedWithTheLastLine_data()
    {
        QTest::addColumn<QString>("fakeTool");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<FailureKind>("kind");
        QTest::newRow("source missing") << ""
                                        << "gone.mp3"
                                        << "No such file or directory" << FailureKind::SourceMissing;
        QTest::newRow("exit code")
            << "echo 'frame=1 fps=1 time=00:00:01.00 x'\necho 'boom: bad thing' >&2\nexit 3\n"
            << "sound.mp3"
            << "boom: bad thing" << FailureKind::ToolFailed;
        QTest::newRow("generic last line")
            << "echo 'Unknown encoder xyz'\necho 'Conversion failed!'\nexit 1\n"
            << "sound.mp3"
            << "Unknown encoder xyz" << FailureKind::Unsupported;
        QTest::newRow("disk full") << "echo 'frame=1 fps=1 time=00:00:01.00 x'\n"
                                      "echo 'av_interleaved_write_frame(): No space left on device'\n"
                                      "echo 'Conversion failed!'\nexit 1\n"
                                   << "sound.mp3"
                                   << "No space left on device" << FailureKind::DiskFull;
        QTest::newRow("crash") << "kill -SEGV $$\n"
                               << "sound.mp3"
                               << "crashed" << FailureKind::ToolCrashed;
        QTest::newRow("exit 0, nothing written") << "exit 0\n"
                                                 << "sound.mp3"
                                                 << "no output was written" << FailureKind::ToolFailed;
    }
    void failuresAreReportedWithTheLastLine()
    {
        QFETCH(QString, fakeTool);
        QFETCH(QString, source);
        QFETCH(QString, reason);
        QFETCH(FailureKind, kind);
        if (!fakeTool.isEmpty())
            QVERIFY(replaceFfmpeg(fakeTool));
        RunRecorder rec;
        run(AudioConversion, {job(in(source), "r", {{"format", "50"}, {"audioQualityStr", "2"}})}, rec);
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        const QList<RunRecorder::Event> events = rec.events();
        QVERIFY(events.size() >= 3);
        QCOMPARE(events.at(events.size() - 3).kind, QString("failed"));
        QVERIFY2(events.at(events.size() - 3).text.contains(reason),
                 qPrintable(events.at(events.size() - 3).text));
        QCOMPARE(events.at(events.size() - 3).failureKind, kind);
        QCOMPARE(events.at(events.size() - 2).progress, 100);
        QCOMPARE(events.last().kind, QString("done"));
        // What the run claimed and could not fill is gone again.
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void emptyOrRefusedResultsFailWithTheCause_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("source");
        QTest::addColumn<MediaRecord>("keys");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<FailureKind>("kind");
        QTest::newRow("slice past the end") << int(Slicing) << "a.mp4"
                                            << MediaRecord{{"beginTimeStr", "10000"},
                                                           {"timeLenStr", "1000"},
                                                           {"format", "0"},
                                                           {"resolution", "0"},
                                                           {"cutXStr", "-1"}}
                                            << "no picture was written" << FailureKind::NoContent;
        QTest::newRow("compression without a bit rate")
            << int(Compression) << "a.mp4" << MediaRecord{{"bitRateStr", "0"}} << "no video bit rate"
            << FailureKind::FactsUnknown;
        QTest::newRow("MP4 has no tag for the codec")
            << int(FormatConversion) << "c.flv"
            << MediaRecord{{"format", "0"},
                           {"resolution", "0"},
                           {"oriVideoCodec", "12"},
                           {"mediaLocalTypeStr", "0"}}
            << "Could not find tag for codec" << FailureKind::Unsupported;
        QTest::newRow("text named .mp4") << int(FormatConversion) << "fake.mp4"
                                         << MediaRecord{{"format", "0"},
                                                        {"resolution", "0"},
                                                        {"oriVideoCodec", "1"},
                                                        {"mediaLocalTypeStr", "0"}}
                                         << "Invalid data found" << FailureKind::SourceUnreadable;
        QTest::newRow("sound asked of a silent clip")
            << int(FormatConversion) << "ps.mpg"
            << MediaRecord{{"format", "51"}, {"audioQualityStr", "4"}, {"mediaLocalTypeStr", "1"}}
            << "does not contain any stream" << FailureKind::NoContent;
    }
    void emptyOrRefusedResultsFailWithTheCause()
    {
        QFETCH(int, mode);
        QFETCH(QString, source);
        QFETCH(MediaRecord, keys);
        QFETCH(QString, reason);
        QFETCH(FailureKind, kind);
        RunRecorder rec;
        run(mode, {job(in(source), "r", keys)}, rec);
        const QList<RunRecorder::Event> events = rec.events();
        QVERIFY(events.size() >= 3);
        QCOMPARE(events.at(events.size() - 3).kind, QString("failed"));
        QVERIFY2(events.at(events.size() - 3).text.contains(reason),
                 qPrintable(events.at(events.size() - 3).text));
        QCOMPARE(events.at(events.size() - 3).failureKind, kind);
        QCOMPARE(events.at(events.size() - 2).progress, 100);
        QCOMPARE(events.last().kind, QString("done"));
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void outputFolderAndToolFailuresHaveTheirKind()
    {
        const MediaRecord audio{{"format", "50"}, {"audioQualityStr", "2"}};
        if (Fixtures::setFolderReadOnly(m_out->path(), true)) {
            RunRecorder rec;
            run(AudioConversion, {job(in("sound.mp3"), "r", audio)}, rec);
            Fixtures::setFolderReadOnly(m_out->path(), false);
            QCOMPARE(rec.ofKind("failed").size(), 1);
            QCOMPARE(rec.ofKind("failed").first().failureKind, FailureKind::OutputNotWritable);
        } else {
            qWarning("this file system cannot make a folder read-only");
        }
        QFile::remove(m_app.filePath("decoder/common/ffmpeg"));
        RunRecorder rec;
        run(AudioConversion, {job(in("sound.mp3"), "r", audio)}, rec);
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QCOMPARE(rec.ofKind("failed").first().failureKind, FailureKind::ToolMissing);
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
    }

    void audioTargetsCarryOnlySound_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("format");
        QTest::newRow("FLAC with cover to OGG") << "cover.flac"
                                                << "59";
        QTest::newRow("M4A with cover to OGG") << "cover.m4a"
                                               << "59";
        QTest::newRow("M4A with cover to M4A") << "cover.m4a"
                                               << "52";
    }
    void audioTargetsCarryOnlySound()
    {
        QFETCH(QString, source);
        QFETCH(QString, format);
        RunRecorder rec;
        run(AudioConversion, {job(in(source), "r", {{"format", format}, {"audioQualityStr", "2"}})}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const MediaFixtures::Probe out = MediaFixtures::probe(rec.ofKind("done").value(0).text);
        QCOMPARE(out.streamTypes, QStringList{"audio"});
        QVERIFY(out.duration > 0.9);
    }

    void slicesAreExact_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<MediaRecord>("keys");
        QTest::newRow("MPEG-PS slice") << int(Slicing)
                                       << MediaRecord{{"beginTimeStr", "1000"},
                                                      {"timeLenStr", "1000"},
                                                      {"format", "0"},
                                                      {"resolution", "0"},
                                                      {"cutXStr", "-1"}};
        QTest::newRow("MPEG-PS GIF") << int(VideoToGif)
                                     << MediaRecord{{"beginTimeStr", "1000"},
                                                    {"timeLenStr", "1000"},
                                                    {"scaleWidthStr", "-1"}};
    }
    void slicesAreExact()
    {
        QFETCH(int, mode);
        QFETCH(MediaRecord, keys);
        RunRecorder rec;
        run(mode, {job(in("ps.mpg"), "s", keys)}, rec);
        QVERIFY2(rec.ofKind("failed").isEmpty(), qPrintable(rec.ofKind("failed").value(0).text));
        const MediaFixtures::Probe out = MediaFixtures::probe(rec.ofKind("done").value(0).text);
        // Before the length moved behind the input, this piece ran 1.2 s.
        QVERIFY2(qAbs(out.duration - 1.0) < 0.08, qPrintable(QString::number(out.duration)));
        QVERIFY(out.videoPackets > 0);
    }

    void refusedOverwriteFailsInsteadOfWaiting()
    {
        // An ffmpeg that would be asked whether to overwrite: it must read no answer and give up.
        QVERIFY(replaceFfmpeg("for a in \"$@\"; do shift; [ \"$a\" = -y ] || set -- \"$@\" \"$a\"; done\n"
                              "exec /usr/bin/ffmpeg \"$@\"\n"));
        RunRecorder rec;
        run(VideoToGif, {job(in("a.mp4"), "g", {{"beginTimeStr", "0"}, {"scaleWidthStr", "-1"}})}, rec,
            60000);
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QVERIFY2(rec.ofKind("failed").first().text.contains("Not overwriting"),
                 qPrintable(rec.ofKind("failed").first().text));
        QCOMPARE(rec.ofKind("done").size(), 1);
    }

    void existingFilesAreNeverOverwritten()
    {
        // The source's own name, and the stamped names this run would fall back on for the next
        // few seconds, plus a dangling link.
        const QDateTime now = QDateTime::currentDateTime();
        QStringList taken{m_out->filePath("sound.mp3")};
        for (int s = -1; s < 6; ++s)
            taken << m_out->filePath("sound_" + now.addSecs(s).toString("ddhhmmss") + "0.mp3");
        for (const QString& path : taken) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep");
        }
        QVERIFY(QFile::link(m_out->filePath("nowhere/x"),
                            m_out->filePath("sound_" + now.toString("ddhhmmss") + "0_2.mp3")));
        RunRecorder rec;
        run(AudioConversion, {job(in("sound.mp3"), "r", {{"format", "50"}, {"audioQualityStr", "2"}})}, rec);
        QCOMPARE(rec.ofKind("failed").size(), 0);
        const QString output = rec.ofKind("done").value(0).text;
        QVERIFY2(!taken.contains(output), qPrintable(output));
        QVERIFY2(QRegularExpression("/sound_\\d{8}0_\\d\\.mp3$").match(output).hasMatch(),
                 qPrintable(output));
        QVERIFY(MediaFixtures::probe(output).ok);
        for (const QString& path : taken)
            QCOMPARE(readAll(path), QString("keep"));
    }

    void outputsAreNamedAfterTheirSources()
    {
        // A name with a space and CJK; the second run finds it taken and takes a stamped one.
        QVERIFY(QFile::copy(in("a.mp4"), in("会议 录像.mp4")));
        const MediaRecord conversion =
            job(in("会议 录像.mp4"), "r", {{"format", "0"}, {"resolution", "0"}, {"oriVideoCodec", "1"}});
        RunRecorder first, second;
        run(FormatConversion, {conversion}, first);
        run(FormatConversion, {conversion}, second);
        const QString one = first.ofKind("done").value(0).text;
        const QString two = second.ofKind("done").value(0).text;
        QCOMPARE(one, QDir(m_out->path()).absoluteFilePath("会议 录像.mp4"));
        QVERIFY2(QRegularExpression("/会议 录像_\\d{8}0\\.mp4$").match(two).hasMatch(), qPrintable(two));
        QVERIFY(MediaFixtures::probe(one).ok && MediaFixtures::probe(two).ok);
    }

    void durationWithoutScale_data()
    {
        QTest::addColumn<QString>("timeLen");
        QTest::newRow("under a second") << "500";
        QTest::newRow("unknown") << "";
        QTest::newRow("negative") << "-2000";
    }
    void durationWithoutScale()
    {
        QFETCH(QString, timeLen);
        RunRecorder rec;
        run(AudioConversion,
            {job(in("sound.mp3"), "r",
                 {{"format", "50"}, {"audioQualityStr", "2"}, {"timeLenStr", timeLen}})},
            rec);
        QCOMPARE(rec.ofKind("failed").size(), 0);
        QCOMPARE(rec.progressFor("r"), QList<int>{100});
        QCOMPARE(rec.ofKind("done").size(), 1);
    }

    void destroyedMidRunStopsAtOnce_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("conversion") << int(FormatConversion);
        QTest::newRow("concatenation") << int(Concatenation);
    }
    void destroyedMidRunStopsAtOnce()
    {
        QFETCH(int, mode);
        // A tiny source blown up to 4K: minutes of real encoding, begun in a moment.
        MediaFixtures::Clip longClip;
        longClip.seconds = 60;
        longClip.audioCodec.clear();
        QVERIFY(MediaFixtures::make(in("long.mp4"), longClip));
        const MediaRecord big = job(in("long.mp4"), "big",
                                    {{"format", "0"},
                                     {"resolution", "19"},
                                     {"oriVideoCodec", "1"},
                                     {"mediaLocalTypeStr", "0"},
                                     {"timeLenStr", "60000"}});
        auto* thread = new VideoThread(mode, {big, big}, m_out->path());
        RunRecorder rec;
        rec.attach(*thread);
        thread->start();
        QTRY_VERIFY_WITH_TIMEOUT(!rec.ofKind("progress").isEmpty(), 30000);
        QElapsedTimer timer;
        timer.start();
        delete thread;
        QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(ffmpegChildren(), 0);
        QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList());
        // The job that was running says so; the second one never starts.
        QCOMPARE(rec.ofKind("failed").size(), 1);
        QCOMPARE(rec.ofKind("failed").first().text, QString("stopped"));
        QCOMPARE(rec.ofKind("done").size(), 1);
        QFile::remove(in("long.mp4"));
    }

    void unknownModeRunsNothing()
    {
        RunRecorder rec;
        run(7, {job(in("sound.mp3"), "r", {{"format", "50"}})}, rec);
        QVERIFY(rec.events().isEmpty());
    }

private:
    QString in(const QString& name) const { return m_in.filePath(name); }

    MediaRecord concatJob(const QString& source, const QString& name) const
    {
        return job(in(source), name, {{"format", "0"}, {"resolution", "5"}, {"oriVideoCodec", "1"}});
    }

    void run(int mode, const MediaRecordList& jobs, RunRecorder& rec, int waitMs = kRunWaitMs)
    {
        VideoThread thread(mode, jobs, m_out->path());
        rec.attach(thread);
        QSignalSpy finished(&thread, &QThread::finished);
        thread.start();
        QVERIFY(thread.wait(waitMs));
        QVERIFY(finished.count() == 1 || finished.wait(1000));
    }

    bool replaceFfmpeg(const QString& body)
    {
        const QString tool = m_app.filePath("decoder/common/ffmpeg");
        QFile::remove(tool);
        return Fixtures::writeScript(tool, body);
    }

    // Processes started by this test whose program is ffmpeg.
    static int ffmpegChildren()
    {
        int count = 0;
        const QString self = QString::number(QCoreApplication::applicationPid());
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile stat("/proc/" + pid + "/stat");
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QString line = QString::fromUtf8(stat.readAll());
            const QStringList fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.value(1) == self && line.contains("(ffmpeg)") && fields.value(0) != "Z")
                ++count;
        }
        return count;
    }

    static bool makeWithCover(const QString& path)
    {
        const bool m4a = path.endsWith(".m4a");
        return Fixtures::runTool("ffmpeg", {"-hide_banner",
                                            "-nostdin",
                                            "-loglevel",
                                            "error",
                                            "-y",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "sine=duration=1",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "color=red:size=64x64:duration=0.04",
                                            "-map",
                                            "0:a",
                                            "-map",
                                            "1:v",
                                            "-frames:v",
                                            "1",
                                            "-c:a",
                                            m4a ? "aac" : "flac",
                                            "-c:v",
                                            m4a ? "mjpeg" : "png",
                                            "-disposition:v",
                                            "attached_pic",
                                            path});
    }

    static bool wrapInQlv(const QString& media, const QString& qlv)
    {
        QFile source(media);
        QFile target(qlv);
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
            return false;
        // A vendor header: a magic, a length and filler that holds none of the stream signatures.
        QByteArray header("QLVF\x00\x00\x0b\xb8", 8);
        for (int i = 0; i < 3000; ++i)
            header.append(char((i * 7) % 64 + 128));
        target.write(header);
        target.write(source.readAll());
        return true;
    }

    QTemporaryDir m_app;
    QTemporaryDir m_in;
    QScopedPointer<QTemporaryDir> m_out;
};

QTEST_GUILESS_MAIN(TestMediaRunner)
#include "tst_media_runner.moc"

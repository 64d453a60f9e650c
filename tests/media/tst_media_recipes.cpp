#include "media/mediarecipes.h"

#include <QtTest>

Q_DECLARE_METATYPE(MediaJob)

namespace {
const QString kPrefix = "/out/a";
const QString kSource = "/in/a.mp4";
const QString kEven = "scale=trunc(iw/2)*2:trunc(ih/2)*2";
const QStringList kMeta{"-map_metadata", "0"};

MediaJob videoJob(int format, int resolution, int sourceCodec)
{
    return MediaJob::fromRecord({{"oriFilePath", kSource},
                                 {"objectName", "row"},
                                 {"format", QString::number(format)},
                                 {"resolution", QString::number(resolution)},
                                 {"oriVideoCodec", QString::number(sourceCodec)},
                                 {"mediaLocalTypeStr", "0"}},
                                FormatConversion);
}

QStringList head()
{
    return {"-hide_banner", "-y", "-i", kSource, "-preset", "ultrafast"};
}

// The output a test hands in: the recipe writes exactly there.
QString out(const MediaJob& job)
{
    return kPrefix + "." + MediaRecipes::outputSuffix(job);
}
} // namespace

// Every argument list is checked whole: order matters to ffmpeg (options before the output).
class TestMediaRecipes : public QObject
{
    Q_OBJECT
private slots:
    void targetCodec_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("codec");
        QTest::newRow("H.264 to MOV keeps it") << 1 << 1 << 1;
        QTest::newRow("H.265 to MOV gets Xvid") << 2 << 1 << 3;
        QTest::newRow("missing source codec to 3GP is 0 itself") << 0 << 9 << 0;
        QTest::newRow("unknown codec to MP4") << 50 << 0 << 1;
        QTest::newRow("VP8 to WEBM") << 13 << 8 << 13;
    }
    void targetCodec()
    {
        QFETCH(int, source);
        QFETCH(int, format);
        QFETCH(int, codec);
        QCOMPARE(MediaRecipes::targetCodec(source, format), codec);
    }

    void videoTarget_data()
    {
        QTest::addColumn<MediaJob>("job");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::newRow("MP4 same as source, H.264: copy")
            << videoJob(0, 0, 1) << head() + QStringList{"-c", "copy", "-map_metadata", "0", kPrefix + ".mp4"}
            << kPrefix + ".mp4";
        QTest::newRow("AVI same as source re-encodes, no size")
            << videoJob(3, 0, 1) << head() + QStringList{"-vcodec",       "libx264", "-vf",           kEven,
                                                         "-map_metadata", "0",       kPrefix + ".avi"}
            << kPrefix + ".avi";
        QTest::newRow("H.265 to MOV 720P")
            << videoJob(1, 15, 2)
            << head() + QStringList{"-vcodec", "libxvid",       "-s", "1280x720",      "-fps_mode",
                                    "vfr",     "-map_metadata", "0",  kPrefix + ".mov"}
            << kPrefix + ".mov";
        QTest::newRow("same codec with a size")
            << videoJob(0, 16, 1)
            << head() + QStringList{"-vcodec", "libx264",       "-s", "1920x1080",     "-fps_mode",
                                    "vfr",     "-map_metadata", "0",  kPrefix + ".mp4"}
            << kPrefix + ".mp4";
        QTest::newRow("H.264 to WEBM")
            << videoJob(8, 0, 1) << head() + QStringList{"-vcodec",       "libvpx",    "-vf",
                                                         kEven,           "-fps_mode", "vfr",
                                                         "-map_metadata", "0",         kPrefix + ".webm"}
            << kPrefix + ".webm";
        QTest::newRow("VP8 to WEBM copies")
            << videoJob(8, 0, 13)
            << head() + QStringList{"-c", "copy", "-map_metadata", "0", kPrefix + ".webm"}
            << kPrefix + ".webm";
        QTest::newRow("VP8 to WEBM 480P")
            << videoJob(8, 7, 13)
            << head() + QStringList{"-vcodec", "libvpx",        "-s", "720x480",        "-fps_mode",
                                    "vfr",     "-map_metadata", "0",  kPrefix + ".webm"}
            << kPrefix + ".webm";
        QTest::newRow("H.265 kept in MP4, portrait size")
            << videoJob(0, 9, 2)
            << head() + QStringList{"-vcodec", "libx265",       "-s", "750x1334",      "-fps_mode",
                                    "vfr",     "-map_metadata", "0",  kPrefix + ".mp4"}
            << kPrefix + ".mp4";
        QTest::newRow("3GP sound is AAC")
            << videoJob(9, 1, 1)
            << head() + QStringList{"-vcodec",       "h263",    "-s",  "176x144",       "-fps_mode",
                                    "vfr",           "-acodec", "aac", "-map_metadata", "0",
                                    kPrefix + ".3gp"}
            << kPrefix + ".3gp";
        QTest::newRow("SWF sound at 44.1 kHz")
            << videoJob(12, 5, 1)
            << head() + QStringList{"-vcodec", "flv",           "-s", "640x360",       "-ar",
                                    "44100",   "-map_metadata", "0",  kPrefix + ".swf"}
            << kPrefix + ".swf";
    }
    void videoTarget()
    {
        QFETCH(MediaJob, job);
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        const MediaCommand c = MediaRecipes::videoTarget(job, out(job), kSource);
        QCOMPARE(c.arguments, arguments);
        QCOMPARE(c.outputPath, output);
    }

    void inputIsReplaceableAndAbsolute()
    {
        const MediaCommand c = MediaRecipes::videoTarget(videoJob(0, 0, 1), "/o.mp4", "/tmp/run/temp0.mp4");
        QCOMPARE(c.arguments.at(3), QString("/tmp/run/temp0.mp4"));
        MediaJob dashed = videoJob(0, 0, 1);
        dashed.oriFilePath = "-i.mp4";
        const QString input = MediaRecipes::compression(dashed, "/o.mp4").arguments.at(3);
        QVERIFY(input.startsWith('/'));
        QVERIFY(input.endsWith("/-i.mp4"));
    }

    void audio_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("conversion 128k")
            << 6 << 2 << 50 << QStringList{"-y",  "-i", kSource, "-vn",   "-b:a",          "128k",
                                           "-ac", "2",  "-ar",   "44100", kPrefix + ".mp3"};
        QTest::newRow("conversion lossless 256k")
            << 6 << 4 << 55 << QStringList{"-y",  "-i", kSource, "-vn",   "-b:a",           "256k",
                                           "-ac", "2",  "-ar",   "44100", kPrefix + ".flac"};
        QTest::newRow("extraction drops the picture")
            << 5 << 1 << 52 << QStringList{"-y",  "-i", kSource, "-vn",   "-b:a",          "96k",
                                           "-ac", "2",  "-ar",   "44100", kPrefix + ".m4a"};
    }
    void audio()
    {
        QFETCH(int, mode);
        QFETCH(int, quality);
        QFETCH(int, format);
        QFETCH(QStringList, arguments);
        const MediaJob job = MediaJob::fromRecord({{"oriFilePath", kSource},
                                                   {"format", QString::number(format)},
                                                   {"audioQualityStr", QString::number(quality)}},
                                                  MediaOperation(mode));
        const MediaCommand c = mode == 6 ? MediaRecipes::audioConversion(job, out(job))
                                         : MediaRecipes::audioExtraction(job, out(job), kSource);
        QCOMPARE(c.arguments, arguments);
        QCOMPARE(c.outputPath, arguments.last());
    }

    void compression_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("mkv keeps its container") << "/in/clip.mkv"
                                                 << "copy"
                                                 << "mkv";
        QTest::newRow("suffix case kept") << "/in/clip.MOV"
                                          << "copy"
                                          << "MOV";
        // WebM takes only VP8/VP9/AV1, Ogg no H.264 at all: both become MP4 with AAC.
        QTest::newRow("webm becomes mp4") << "/in/clip.webm"
                                          << "aac"
                                          << "mp4";
        QTest::newRow("ogv becomes mp4") << "/in/clip.OGV"
                                         << "aac"
                                         << "mp4";
    }
    void compression()
    {
        QFETCH(QString, source);
        QFETCH(QString, sound);
        QFETCH(QString, suffix);
        const MediaJob job =
            MediaJob::fromRecord({{"oriFilePath", source}, {"bitRateStr", "800"}}, Compression);
        QCOMPARE(MediaRecipes::outputSuffix(job), suffix);
        QCOMPARE(MediaRecipes::outputBase(job), QString("clip"));
        const MediaCommand c = MediaRecipes::compression(job, "/out/clip." + suffix);
        QCOMPARE(c.arguments, (QStringList{"-hide_banner",
                                           "-y",
                                           "-i",
                                           source,
                                           "-vcodec",
                                           "libx264",
                                           "-preset",
                                           "ultrafast",
                                           "-c:a",
                                           sound,
                                           "-b:v",
                                           "800k",
                                           "-maxrate",
                                           "800k",
                                           "-bufsize",
                                           "800k",
                                           "-vf",
                                           kEven,
                                           "-fps_mode",
                                           "vfr",
                                           "-map_metadata",
                                           "0",
                                           "/out/clip." + suffix}));
    }

    void compressionFitsTheBox()
    {
        MediaJob job =
            MediaJob::fromRecord({{"oriFilePath", "/in/a.mp4"}, {"bitRateStr", "500"}}, Compression);
        job.fitBox = QSize(1280, 720);
        const QStringList arguments = MediaRecipes::compression(job, "/out/a.mp4").arguments;
        const QString filter = arguments.at(arguments.indexOf("-vf") + 1);
        // Either way round the box reads the same; commas are escaped for the filter graph.
        QCOMPARE(filter, MediaRecipes::fitFilter(QSize(720, 1280)));
        QVERIFY(filter.contains("if(gte(iw\\,ih)\\,1280\\,720)"));
        QVERIFY(!filter.contains(QRegularExpression("[^\\\\],")));
    }

    void videoRateFor_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<qint64>("durationMs");
        QTest::addColumn<qint64>("rate");
        QTest::newRow("10 MB over 80 s") << qint64(10000000) << qint64(80000) << qint64(1000);
        QTest::newRow("odd length") << qint64(1000000) << qint64(3333) << qint64(2400);
        QTest::newRow("nothing left") << qint64(0) << qint64(1000) << qint64(0);
        QTest::newRow("sound over budget") << qint64(-5) << qint64(1000) << qint64(0);
        QTest::newRow("length unknown") << qint64(1000000) << qint64(0) << qint64(0);
    }
    void videoRateFor()
    {
        QFETCH(qint64, budget);
        QFETCH(qint64, durationMs);
        QFETCH(qint64, rate);
        QCOMPARE(MediaRecipes::videoRateFor(budget, durationMs), rate);
    }

    void slicing_data()
    {
        QTest::addColumn<MediaRecord>("record");
        QTest::addColumn<QStringList>("arguments");
        const MediaRecord base{{"oriFilePath", kSource}, {"beginTimeStr", "65432"}, {"timeLenStr", "1567"},
                               {"format", "0"},          {"resolution", "0"},       {"cutXStr", "10"},
                               {"cutYStr", "20"},        {"cutWidthStr", "640"},    {"cutHeightStr", "360"}};
        // Milliseconds reach ffmpeg: a 1.6 s phone clip must not become 1 s.
        const QStringList start{"-hide_banner", "-y",    "-ss", "65.432", "-accurate_seek",
                                "-i",           kSource, "-t",  "1.567"};
        const QStringList encode{"-preset", "ultrafast", "-vcodec", "libx264"};
        const QStringList end{"-fps_mode", "vfr", "-map_metadata", "0", "/out/a.mp4"};
        QTest::newRow("crop, to the millisecond")
            << base << start + QStringList{"-vf", "crop=640:360:10:20"} + encode + end;
        MediaRecord odd = base;
        odd["cutWidthStr"] = "641";
        odd["cutHeightStr"] = "361";
        QTest::newRow("odd crop rounds down")
            << odd << start + QStringList{"-vf", "crop=640:360:10:20"} + encode + end;
        MediaRecord noCrop = base;
        noCrop["cutXStr"] = "-1";
        QTest::newRow("no crop when x is -1") << noCrop << start + QStringList{"-vf", kEven} + encode + end;
        noCrop["resolution"] = "5";
        QTest::newRow("no crop, a size") << noCrop << start + encode + QStringList{"-s", "640x360"} + end;
        MediaRecord threeGp = noCrop;
        threeGp["format"] = "9";
        threeGp["resolution"] = "1";
        QTest::newRow("3GP without a source codec gets H.263")
            << threeGp << start + QStringList{"-preset",       "ultrafast", "-vcodec",   "h263",    "-s",
                                              "176x144",       "-fps_mode", "vfr",       "-acodec", "aac",
                                              "-map_metadata", "0",         "/out/a.mp4"};
        MediaRecord whole = noCrop;
        whole.remove("beginTimeStr");
        QTest::newRow("whole clip: no seek, no cut")
            << whole
            << QStringList{"-hide_banner", "-y", "-i", kSource} + encode + QStringList{"-s", "640x360"} + end;
    }
    void slicing()
    {
        QFETCH(MediaRecord, record);
        QFETCH(QStringList, arguments);
        QCOMPARE(MediaRecipes::slicing(MediaJob::fromRecord(record, Slicing), "/out/a.mp4").arguments,
                 arguments);
    }

    void gif_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("filter");
        QTest::newRow("odd width made even") << "481"
                                             << "fps=15:start_time=0,scale=482:-1";
        QTest::newRow("even width") << "320"
                                    << "fps=15:start_time=0,scale=320:-1";
        QTest::newRow("source size") << "-1"
                                     << "fps=15:start_time=0";
    }
    void gif()
    {
        QFETCH(QString, width);
        QFETCH(QString, filter);
        const MediaJob job = MediaJob::fromRecord({{"oriFilePath", kSource},
                                                   {"beginTimeStr", "1999"},
                                                   {"timeLenStr", "2500"},
                                                   {"scaleWidthStr", width}},
                                                  VideoToGif);
        QCOMPARE(MediaRecipes::outputSuffix(job), QString("gif"));
        const MediaCommand c = MediaRecipes::gif(job, "/out/a.gif");
        QCOMPARE(c.arguments, QStringList({"-y", "-ss", "1.999", "-accurate_seek", "-i", kSource, "-t",
                                           "2.500", "-vf", filter, "/out/a.gif"}));
    }

    void constantRate_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<double>("source");
        QTest::addColumn<QString>("rate");
        QTest::newRow("unknown source") << 15 << 0.0 << "15";
        QTest::newRow("faster source") << 15 << 29.97 << "15";
        QTest::newRow("as fast") << 25 << 25.0 << "25";
        QTest::newRow("slower source") << 15 << 2.5 << "2.5";
        QTest::newRow("whole rate") << 25 << 10.0 << "10";
        QTest::newRow("hundredths") << 25 << 23.976 << "23.98";
        QTest::newRow("very slow, never 0") << 15 << 0.001 << "0.01";
    }
    void constantRate()
    {
        QFETCH(int, limit);
        QFETCH(double, source);
        QFETCH(QString, rate);
        QCOMPARE(MediaRecipes::constantRate(limit, source), rate);
    }

    void gifAndJoinTakeASlowerSourceRate()
    {
        const MediaJob gifJob = MediaJob::fromRecord({{"oriFilePath", kSource}}, VideoToGif);
        QVERIFY(MediaRecipes::gif(gifJob, "/out/a.gif", 4).arguments.contains("fps=4:start_time=0"));
        const MediaJob a =
            MediaJob::fromRecord({{"oriFilePath", kSource}, {"resolution", "5"}}, Concatenation);
        const QStringList piece = MediaRecipes::concatPiece(a, a, "/t/0.ts", false, 12.5).arguments;
        QCOMPARE(piece.value(piece.indexOf("-r") + 1), QString("12.5"));
    }

    void secondsAndCap_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cap");
        QTest::newRow("zero") << qint64(0) << "0.000"
                              << "1.000";
        QTest::newRow("phone clip") << qint64(1600) << "1.600"
                                    << "2.760";
        QTest::newRow("odd length") << qint64(5570) << "5.570"
                                    << "7.127";
        QTest::newRow("an hour") << qint64(3600000) << "3600.000"
                                 << "3961.000";
        QTest::newRow("negative is zero") << qint64(-5) << "0.000"
                                          << "1.000";
    }
    void secondsAndCap()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QFETCH(QString, cap);
        QCOMPARE(MediaRecipes::seconds(ms), text);
        QCOMPARE(MediaRecipes::seconds(MediaRecipes::lengthCap(qMax<qint64>(0, ms))), cap);
    }

    void recordsRoundTrip()
    {
        MediaJob job;
        job.operation = Slicing;
        job.oriFilePath = "/in/会议 录像.mp4";
        job.objectName = "T_0";
        job.beginTime = 1234;
        job.timeLen = 567;
        job.wholeClip = false;
        job.format = CombEnum::MKV;
        job.resolution = 15;
        job.oriVideoCodec = 2;
        job.cut = QRect(2, 4, 100, 50);
        job.scale = QSize(160, 90);
        const MediaJob back = MediaJob::fromRecord(job.toRecord(), Slicing);
        QCOMPARE(back.toRecord(), job.toRecord());
        QCOMPARE(back.cut, job.cut);
        QCOMPARE(back.scale, job.scale);
        QVERIFY(!back.wholeClip);
        // Nothing given: the whole clip, no crop, no scale, the unknown codec.
        const MediaJob bare = MediaJob::fromRecord({}, FormatConversion);
        QVERIFY(bare.wholeClip && bare.cut.isNull() && !bare.scale.isValid());
        QCOMPARE(bare.oriVideoCodec, CombEnum::kUnknownCodec);
        QCOMPARE(MediaRecipes::outputBase(job), QString("会议 录像"));
        job.operation = Concatenation;
        QCOMPARE(MediaRecipes::outputBase(job), QString("会议 录像_拼接"));
    }

    void concatenation()
    {
        MediaJob a = videoJob(0, 16, 1);
        MediaJob b = videoJob(0, 16, 2);
        b.oriFilePath = "/in/b.mkv";
        const QStringList pieces{MediaRecipes::piecePath("/t/run", 0), MediaRecipes::piecePath("/t/run", 1)};
        QCOMPARE(pieces, QStringList({"/t/run/0.ts", "/t/run/1.ts"}));
        const QString fit = "scale=trunc(iw*sar/2)*2:ih,setsar=1,"
                            "scale=1920:1080:force_original_aspect_ratio=decrease:force_divisible_by=2,"
                            "pad=1920:1080:(ow-iw)/2:(oh-ih)/2:black,setsar=1";
        const QStringList uniform{"-vf",     fit,     "-preset",  "ultrafast", "-vcodec", "libx264",
                                  "-acodec", "aac",   "-pix_fmt", "yuv420p",   "-r",      "25",
                                  "-ar",     "48000", "-ac",      "2"};
        QCOMPARE(MediaRecipes::concatPiece(a, a, pieces.at(0)).arguments,
                 QStringList({"-hide_banner", "-y", "-i", kSource}) + uniform + QStringList{"/t/run/0.ts"});
        // The second source is H.265, which MP4 could keep: it still gets the first piece's codec.
        QCOMPARE(MediaRecipes::concatPiece(b, a, pieces.at(1), true).arguments,
                 QStringList({"-hide_banner", "-y", "-i", "/in/b.mkv", "-f", "lavfi", "-i",
                              "anullsrc=r=48000:cl=stereo", "-map", "0:v:0", "-map", "1:a:0", "-shortest"}) +
                     uniform + QStringList{"/t/run/1.ts"});
        const MediaCommand join = MediaRecipes::concatJoin(pieces, a, "/out/a_拼接.mp4");
        QCOMPARE(join.arguments,
                 QStringList({"-y", "-i", "concat:/t/run/0.ts|/t/run/1.ts", "-i", kSource, "-map", "0",
                              "-map_metadata", "1", "-c", "copy", "/out/a_拼接.mp4"}));
        // Without a target size the join takes the first clip's, made even.
        MediaJob same = videoJob(0, 0, 1);
        same.film = QSize(641, 465);
        QCOMPARE(MediaRecipes::joinFrame(same), QSize(640, 464));
    }

    void qlvNames()
    {
        const QDateTime at(QDate(2026, 3, 9), QTime(14, 30, 5, 120));
        const QStringList names = MediaRecipes::qlvNames(3, "/t/run", at);
        QCOMPARE(names, QStringList({"/t/run/temp3.mp4", "/t/run/temp13.mp4", "/t/run/09143005SSS"}));
        QCOMPARE(MediaRecipes::qlvArguments("/in/x.qlv", names), QStringList{"/in/x.qlv"} + names);
    }
};

QTEST_APPLESS_MAIN(TestMediaRecipes)
#include "tst_media_recipes.moc"

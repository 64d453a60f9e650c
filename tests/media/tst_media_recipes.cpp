#include "media/mediarecipes.h"

#include <QtTest>

namespace {
const QString kPrefix = "/out/09143005_";
const QString kSource = "/in/a.mp4";
const QString kEven = "scale=trunc(iw/2)*2:trunc(ih/2)*2";

MediaJob videoJob(int format, int resolution, int sourceCodec)
{
    return {{"oriFilePath", kSource},
            {"objectName", "row"},
            {"format", QString::number(format)},
            {"resolution", QString::number(resolution)},
            {"oriVideoCodec", QString::number(sourceCodec)},
            {"mediaLocalTypeStr", "0"}};
}

QStringList head()
{
    return {"-hide_banner", "-y", "-i", kSource, "-preset", "ultrafast"};
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
            << videoJob(0, 0, 1) << head() + QStringList{"-c", "copy", kPrefix + "2.mp4"}
            << kPrefix + "2.mp4";
        QTest::newRow("AVI same as source re-encodes, no size")
            << videoJob(3, 0, 1)
            << head() + QStringList{"-vcodec", "libx264", "-vf", kEven, kPrefix + "2.avi"}
            << kPrefix + "2.avi";
        QTest::newRow("H.265 to MOV 720P")
            << videoJob(1, 15, 2)
            << head() + QStringList{"-vcodec", "libxvid", "-s", "1280x720", kPrefix + "2.mov"}
            << kPrefix + "2.mov";
        QTest::newRow("same codec with a size")
            << videoJob(0, 16, 1)
            << head() + QStringList{"-vcodec", "libx264", "-s", "1920x1080", kPrefix + "2.mp4"}
            << kPrefix + "2.mp4";
        QTest::newRow("H.264 to WEBM")
            << videoJob(8, 0, 1)
            << head() + QStringList{"-vcodec", "libvpx", "-vf", kEven, kPrefix + "2.webm"}
            << kPrefix + "2.webm";
        QTest::newRow("VP8 to WEBM copies")
            << videoJob(8, 0, 13) << head() + QStringList{"-c", "copy", kPrefix + "2.webm"}
            << kPrefix + "2.webm";
        QTest::newRow("VP8 to WEBM 480P")
            << videoJob(8, 7, 13)
            << head() + QStringList{"-vcodec", "libvpx", "-s", "720x480", kPrefix + "2.webm"}
            << kPrefix + "2.webm";
        QTest::newRow("H.265 kept in MP4, portrait size")
            << videoJob(0, 9, 2)
            << head() + QStringList{"-vcodec", "libx265", "-s", "750x1334", kPrefix + "2.mp4"}
            << kPrefix + "2.mp4";
        QTest::newRow("3GP sound is AAC")
            << videoJob(9, 1, 1)
            << head() + QStringList{"-vcodec", "h263", "-s", "176x144", "-acodec", "aac", kPrefix + "2.3gp"}
            << kPrefix + "2.3gp";
        QTest::newRow("SWF sound at 44.1 kHz")
            << videoJob(12, 5, 1)
            << head() + QStringList{"-vcodec", "flv", "-s", "640x360", "-ar", "44100", kPrefix + "2.swf"}
            << kPrefix + "2.swf";
    }
    void videoTarget()
    {
        QFETCH(MediaJob, job);
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        const MediaCommand c = MediaRecipes::videoTarget(job, 2, kPrefix, kSource);
        QCOMPARE(c.arguments, arguments);
        QCOMPARE(c.outputPath, output);
    }

    void inputIsReplaceableAndAbsolute()
    {
        const MediaCommand c = MediaRecipes::videoTarget(videoJob(0, 0, 1), 0, kPrefix, "/tmp/run/temp0.mp4");
        QCOMPARE(c.arguments.at(3), QString("/tmp/run/temp0.mp4"));
        MediaJob dashed = videoJob(0, 0, 1);
        dashed["oriFilePath"] = "-i.mp4";
        const QString input = MediaRecipes::compression(dashed, 0, kPrefix).arguments.at(3);
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
            << 6 << 2 << 50 << QStringList{"-y",  "-i", kSource, "-vn",   "-b:a",           "128k",
                                           "-ac", "2",  "-ar",   "44100", kPrefix + "1.mp3"};
        QTest::newRow("conversion lossless 256k")
            << 6 << 4 << 55
            << QStringList{"-y",  "-i",    kSource,           "-vn", "-b:a", "256k", "-ac", "2",
                           "-ar", "44100", kPrefix + "1.flac"};
        QTest::newRow("extraction drops the picture")
            << 5 << 1 << 52 << QStringList{"-y",  "-i", kSource, "-vn",   "-b:a",           "96k",
                                           "-ac", "2",  "-ar",   "44100", kPrefix + "1.m4a"};
    }
    void audio()
    {
        QFETCH(int, mode);
        QFETCH(int, quality);
        QFETCH(int, format);
        QFETCH(QStringList, arguments);
        const MediaJob job{{"oriFilePath", kSource},
                           {"format", QString::number(format)},
                           {"audioQualityStr", QString::number(quality)}};
        const MediaCommand c = mode == 6 ? MediaRecipes::audioConversion(job, 1, kPrefix)
                                         : MediaRecipes::audioExtraction(job, 1, kPrefix, kSource);
        QCOMPARE(c.arguments, arguments);
        QCOMPARE(c.outputPath, arguments.last());
    }

    void compression_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("output");
        QTest::newRow("mkv") << "/in/clip.mkv" << kPrefix + "0.mkv";
        QTest::newRow("suffix case kept") << "/in/clip.MOV" << kPrefix + "0.MOV";
    }
    void compression()
    {
        QFETCH(QString, source);
        QFETCH(QString, output);
        const MediaJob job{{"oriFilePath", source}, {"bitRateStr", "800"}};
        const MediaCommand c = MediaRecipes::compression(job, 0, kPrefix);
        QCOMPARE(c.arguments,
                 (QStringList{"-hide_banner", "-y", "-i", source, "-vcodec", "libx264", "-preset",
                              "ultrafast", "-c:a", "copy", "-b:v", "800k", "-vf", kEven, output}));
        QCOMPARE(c.outputPath, output);
    }

    void slicing_data()
    {
        QTest::addColumn<MediaJob>("job");
        QTest::addColumn<QStringList>("arguments");
        const MediaJob base{{"oriFilePath", kSource}, {"beginTimeStr", "65400"}, {"timeLenStr", "30000"},
                            {"format", "0"},          {"resolution", "0"},       {"cutXStr", "10"},
                            {"cutYStr", "20"},        {"cutWidthStr", "640"},    {"cutHeightStr", "360"}};
        const QStringList start{"-hide_banner", "-y",    "-ss", "65", "-accurate_seek",
                                "-i",           kSource, "-t",  "30"};
        const QStringList encode{"-preset", "ultrafast", "-vcodec", "libx264"};
        QTest::newRow("crop, seconds cut off")
            << base
            << start + QStringList{"-vf", "crop=640:360:10:20"} + encode + QStringList{kPrefix + "4.mp4"};
        MediaJob odd = base;
        odd["cutWidthStr"] = "641";
        odd["cutHeightStr"] = "361";
        QTest::newRow("odd crop rounds down")
            << odd
            << start + QStringList{"-vf", "crop=640:360:10:20"} + encode + QStringList{kPrefix + "4.mp4"};
        MediaJob noCrop = base;
        noCrop["cutXStr"] = "-1";
        QTest::newRow("no crop when x is -1")
            << noCrop << start + QStringList{"-vf", kEven} + encode + QStringList{kPrefix + "4.mp4"};
        noCrop["resolution"] = "5";
        QTest::newRow("no crop, a size")
            << noCrop << start + encode + QStringList{"-s", "640x360", kPrefix + "4.mp4"};
        MediaJob threeGp = noCrop;
        threeGp["format"] = "9";
        threeGp["resolution"] = "1";
        QTest::newRow("3GP without a source codec gets H.263")
            << threeGp << start + QStringList{"-preset", "ultrafast", "-vcodec", "h263",           "-s",
                                              "176x144", "-acodec",   "aac",     kPrefix + "4.3gp"};
    }
    void slicing()
    {
        QFETCH(MediaJob, job);
        QFETCH(QStringList, arguments);
        QCOMPARE(MediaRecipes::slicing(job, 4, kPrefix).arguments, arguments);
    }

    void gif_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QStringList>("filter");
        QTest::newRow("odd width made even") << "481" << QStringList{"-vf", "scale=482:-1"};
        QTest::newRow("even width") << "320" << QStringList{"-vf", "scale=320:-1"};
        QTest::newRow("source size") << "-1" << QStringList();
    }
    void gif()
    {
        QFETCH(QString, width);
        QFETCH(QStringList, filter);
        const MediaJob job{{"oriFilePath", kSource},
                           {"beginTimeStr", "1999"},
                           {"timeLenStr", "2500"},
                           {"scaleWidthStr", width}};
        const MediaCommand c = MediaRecipes::gif(job, 0, kPrefix);
        QCOMPARE(c.arguments, QStringList({"-y", "-ss", "1", "-i", kSource, "-t", "2"}) + filter +
                                  QStringList({"-r", "15", "-fps_mode", "cfr", kPrefix + "0.gif"}));
        QCOMPARE(c.outputPath, kPrefix + "0.gif");
    }

    void concatenation()
    {
        MediaJob a = videoJob(0, 16, 1);
        MediaJob b = videoJob(0, 16, 2);
        b["oriFilePath"] = "/in/b.mkv";
        const QStringList pieces{MediaRecipes::piecePath("/t/run", 0), MediaRecipes::piecePath("/t/run", 1)};
        QCOMPARE(pieces, QStringList({"/t/run/0.ts", "/t/run/1.ts"}));
        const QStringList uniform{"-pix_fmt", "yuv420p", "-r", "25", "-ar", "48000", "-ac", "2"};
        QCOMPARE(MediaRecipes::concatPiece(a, a, pieces.at(0)).arguments,
                 QStringList({"-hide_banner", "-y", "-i", kSource, "-preset", "ultrafast", "-vcodec",
                              "libx264", "-acodec", "aac", "-s", "1920x1080"}) +
                     uniform + QStringList{"/t/run/0.ts"});
        // The second source is H.265, which MP4 could keep: it still gets the first piece's codec.
        QCOMPARE(MediaRecipes::concatPiece(b, a, pieces.at(1), true).arguments,
                 QStringList({"-hide_banner", "-y",      "-i",        "/in/b.mkv",
                              "-f",           "lavfi",   "-i",        "anullsrc=r=48000:cl=stereo",
                              "-map",         "0:v:0",   "-map",      "1:a:0",
                              "-shortest",    "-preset", "ultrafast", "-vcodec",
                              "libx264",      "-acodec", "aac",       "-s",
                              "1920x1080"}) +
                     uniform + QStringList{"/t/run/1.ts"});
        const MediaCommand join = MediaRecipes::concatJoin(pieces, 0, kPrefix);
        QCOMPARE(join.arguments, QStringList({"-y", "-i", "concat:/t/run/0.ts|/t/run/1.ts", "-c", "copy",
                                              kPrefix + "合并视频.mp4"}));
        QCOMPARE(join.outputPath, kPrefix + "合并视频.mp4");
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

#include "media/ffmpeglog.h"

#include <QtTest>

namespace {
// Tails of real runs of Debian's ffmpeg 5.1 with "-loglevel level+info", shortened.
const char kWebmRefuses[] =
    "[libx264 @ 0x5631257dfc80] [info] profile Constrained Baseline, level 1.1, 4:2:0, 8-bit\n"
    "[webm @ 0x5631257d9340] [error] Only VP8 or VP9 or AV1 video and Vorbis or Opus audio and WebVTT "
    "subtitles are supported for WebM.\n"
    "[error] Could not write header for output file #0 (incorrect codec parameters ?): Invalid argument\n"
    "[error] Error initializing output stream 0:0 -- \n"
    "[libopus @ 0x5631257d9fc0] [warning] 1 frames left in the queue on closing\n"
    "[error] Conversion failed!\n";
const char kNoTag[] =
    "[mp4 @ 0x55d0] [error] Could not find tag for codec msmpeg4v3 in stream #0, codec not currently "
    "supported in container\n"
    "[error] Could not write header for output file #0 (incorrect codec parameters ?): Invalid argument\n"
    "[info] video:0kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: unknown\n"
    "[libx264 @ 0x556449328b00] [info] final ratefactor: 39.44\n"
    "[aac @ 0x55a5a1589fc0] [info] Qavg: nan\n"
    "[error] Conversion failed!\n";
const char kNoEncoder[] =
    "[fatal] Automatic encoder selection failed for output stream #0:1. Default encoder "
    "for format 3gp (codec amr_nb) is probably disabled.\n"
    "[fatal] Error selecting an encoder for stream 0:1\n";

const char kOutputs[] = "[info] Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.mp4':\n"
                        "[info]   Stream #0:0[0x1](und): Video: h264 (avc1 / 0x31637661), 160x90\n"
                        "[info]   Stream #0:1[0x2](und): Audio: aac (LC), 44100 Hz, mono\n"
                        "[info] Stream mapping:\n"
                        "[info]   Stream #0:0 -> #0:0 (h264 (native) -> h264 (libx264))\n"
                        "[info] Output #0, mp4, to 'past.mp4':\n";
} // namespace

// ffmpeg's console read back: why it failed, and whether what it wrote holds anything.
class TestFfmpegLog : public QObject
{
    Q_OBJECT
private slots:
    void failureReason_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("reason");
        QTest::newRow("muxer refuses, encoder warns after")
            << QByteArray(kWebmRefuses)
            << "Only VP8 or VP9 or AV1 video and Vorbis or Opus "
               "audio and WebVTT subtitles are supported for WebM.";
        QTest::newRow("encoder statistics after the error")
            << QByteArray(kNoTag)
            << "Could not find tag for codec msmpeg4v3 in stream #0, codec not currently supported in "
               "container";
        QTest::newRow("fatal, then its generic follow-up") << QByteArray(kNoEncoder)
                                                           << "Automatic encoder selection failed for output "
                                                              "stream #0:1. Default encoder for format 3gp "
                                                              "(codec amr_nb) is probably disabled.";
        QTest::newRow("untagged tool")
            << QByteArray("working\nQlv2mp4: no MP4 inside\n") << "Qlv2mp4: no MP4 inside";
        QTest::newRow("untagged, generic last")
            << QByteArray("Unknown encoder xyz\nConversion failed!\n") << "Unknown encoder xyz";
        QTest::newRow("only generic lines")
            << QByteArray("[error] Conversion failed!\n") << "Conversion failed!";
        QTest::newRow("nothing") << QByteArray() << QString();
    }
    void failureReason()
    {
        QFETCH(QByteArray, log);
        QFETCH(QString, reason);
        FfmpegLog whole;
        whole.add(log);
        whole.finish();
        QCOMPARE(whole.failureReason(), reason);
        // The same text in small pieces, split inside lines.
        FfmpegLog pieces;
        for (int i = 0; i < log.size(); i += 7)
            pieces.add(log.mid(i, 7));
        pieces.finish();
        QCOMPARE(pieces.failureReason(), reason);
    }

    void emptyOutput_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("reason");
        const QByteArray withVideo = QByteArray(kOutputs) +
                                     "[info]   Stream #0:0(und): Video: h264, 160x90\n" +
                                     "[info]   Stream #0:1(und): Audio: aac (LC), 44100 Hz\n";
        QTest::newRow("seek past the end")
            << withVideo + "[info] frame=    0 fps=0.0 q=0.0 Lsize=       0kB time=00:00:00.00 bitrate=N/A\r"
                           "[info] video:0kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB\n"
            << "no picture was written (frame=0)";
        QTest::newRow("picture but no sound")
            << withVideo + "[info] frame=   25 fps=0.0 q=-1.0 Lsize=      46kB time=00:00:01.02 bitrate=1\r"
                           "[info] video:40kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB\n"
            << "no sound was written (audio: 0 bytes)";
        // A second of silence is a few hundred bytes: the summary's "audio:0kB" is rounded down.
        const QByteArray silence =
            withVideo +
            "[info] frame=   25 fps=0.0 q=-1.0 Lsize=      46kB time=00:00:01.02 bitrate=1\r"
            "[info] video:40kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB\n"
            "[verbose]   Output stream #0:0 (video): 25 frames encoded; 25 packets muxed (40960 bytes); \n";
        QTest::newRow("short silence is sound")
            << silence + "[verbose]   Output stream #0:1 (audio): 47 frames encoded (48128 samples); "
                         "48 packets muxed (305 bytes); \n"
            << QString();
        QTest::newRow("muxed counts say no sound")
            << silence +
                   "[verbose]   Output stream #0:1 (audio): 0 frames encoded; 0 packets muxed (0 bytes); \n"
            << "no sound was written (audio: 0 bytes)";
        QTest::newRow("a good run")
            << withVideo + "[info] frame=   25 fps=0.0 q=-1.0 Lsize=      46kB time=00:00:01.02 bitrate=1\r"
                           "[info] video:40kB audio:5kB subtitle:0kB other streams:0kB global headers:0kB\n"
            << QString();
        QTest::newRow("sound only, no frame counter")
            << QByteArray(kOutputs) +
                   "[info]   Stream #0:0: Audio: vorbis, 44100 Hz\n"
                   "[info] size=      12kB time=00:00:03.01 bitrate=  33.3kbits/s speed=45x\r"
                   "[info] video:0kB audio:8kB subtitle:0kB other streams:0kB\n"
            << QString();
        QTest::newRow("no statistics at all") << QByteArray("done\n") << QString();
    }
    void emptyOutput()
    {
        QFETCH(QByteArray, log);
        QFETCH(QString, reason);
        FfmpegLog parsed;
        parsed.add(log);
        parsed.finish();
        QCOMPARE(parsed.emptyOutputReason(), reason);
    }

    void streamsAndClock()
    {
        FfmpegLog parsed;
        parsed.add(QByteArray(kOutputs) +
                   "[info]   Stream #0:0(und): Video: h264, 160x90\n"
                   "[info] frame=   50 fps=0.0 q=-1.0 size=  46kB time=00:01:02.50 bit");
        parsed.add("rate=1\r");
        QCOMPARE(parsed.inputStreams(), QStringList({"video", "audio"}));
        QCOMPARE(parsed.outputStreams(), QStringList({"video"}));
        QCOMPARE(parsed.lastFrame(), qint64(50));
        QCOMPARE(parsed.lastTimeSeconds(), qint64(62));
        QCOMPARE(parsed.lastTimeMs(), qint64(62500));
        // Hours past nine digits are no clock ffmpeg keeps; the last real one stands.
        parsed.add(
            "[info] frame=   51 fps=0.0 q=-1.0 size=  46kB time=99999999999999999:00:00.00 bitrate=1\r");
        QCOMPARE(parsed.lastFrame(), qint64(51));
        QCOMPARE(parsed.lastTimeSeconds(), qint64(62));
    }
};

QTEST_APPLESS_MAIN(TestFfmpegLog)
#include "tst_media_ffmpeglog.moc"

#include "media/progressparser.h"

#include <QtTest>

namespace {
QByteArray withNul(const char* before, const char* after)
{
    return QByteArray(before) + QByteArray(1, '\0') + QByteArray(after);
}
} // namespace

// The parser turns whatever ffmpeg prints into the rows' percentages.
class TestProgressParser : public QObject
{
    Q_OBJECT
private slots:
    void chunks_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("isProgress");
        QTest::addColumn<qint64>("elapsed");
        const int any = ProgressParser::FrameOrSize;
        const int frameOnly = ProgressParser::FrameOnly;
        QTest::newRow("video status line")
            << QByteArray("frame=  100 fps= 25 q=28.0 size=    1024kB time=00:01:10.52 bitrate= 118.9kbits/s "
                          "speed=1.01x\r")
            << any << true << qint64(70);
        QTest::newRow("audio only size form")
            << QByteArray("size=      47kB time=00:00:03.00 bitrate= 128.3kbits/s speed=61.2x\r") << any
            << true << qint64(3);
        QTest::newRow("audio form is no frame form")
            << QByteArray("size=      47kB time=00:00:03.00 bitrate= 128.3kbits/s") << frameOnly << false
            << qint64(0);
        QTest::newRow("time N/A") << QByteArray(
                                         "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A\r")
                                  << any << true << qint64(0);
        QTest::newRow("time at the end")
            << QByteArray("frame=1 fps=2 time=01:02:03.45") << any << true << qint64(3723);
        QTest::newRow("only the first time counts")
            << QByteArray("frame=1 fps=1 time=00:00:01.00 x\rframe=2 fps=1 time=00:00:59.00 x\r") << any
            << true << qint64(1);
        QTest::newRow("negative start time")
            << QByteArray("frame=1 fps=1 time=-00:00:00.04 bitrate=N/A") << any << true << qint64(0);
        QTest::newRow("malformed time")
            << QByteArray("frame=1 fps=1 time=1:2:3 x") << any << true << qint64(0);
        QTest::newRow("one part garbled")
            << QByteArray("frame=1 fps=1 time=00:xx:09.00 x") << any << true << qint64(9);
        QTest::newRow("no time") << QByteArray("frame=1 fps=1 q=2 size=4kB bitrate=3") << any << false
                                 << qint64(0);
        QTest::newRow("size without bitrate")
            << QByteArray("size=4kB time=00:00:09.00") << any << false << qint64(0);
        QTest::newRow("banner") << QByteArray("Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.mp4':\n  Duration: "
                                              "00:00:01.00, start: 0.000000, bitrate: 900 kb/s\n")
                                << any << false << qint64(0);
        QTest::newRow("empty") << QByteArray() << any << false << qint64(0);
        QTest::newRow("NUL ends the chunk")
            << withNul("Stream mapping:", "frame=1 fps=1 time=00:00:09.00 x") << any << false << qint64(0);
        QTest::newRow("NUL after the time")
            << withNul("frame=1 fps=1 time=00:00:07", ".00 time=00:00:59.00") << any << true << qint64(7);
        QTest::newRow("Latin-1 bytes")
            << QByteArray("\xff\xfe frame=1 fps=1 time=00:00:02.00 \xe9") << any << true << qint64(2);
    }
    void chunks()
    {
        QFETCH(QByteArray, chunk);
        QFETCH(int, form);
        QFETCH(bool, isProgress);
        QFETCH(qint64, elapsed);
        const ProgressSample sample =
            ProgressParser::parse(ProgressParser::chunkText(chunk), ProgressParser::Form(form));
        QCOMPARE(sample.isProgress, isProgress);
        QCOMPARE(sample.elapsedSeconds(), elapsed);
    }

    void percent_data()
    {
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<qint64>("timeLen");
        QTest::addColumn<int>("percent");
        QTest::newRow("70 of 200") << qint64(70) << qint64(200) << 35;
        // Concatenation of 60 s and 90 s: scale 250, the second file at 30 s is 60 + 30.
        QTest::newRow("second piece") << qint64(90) << qint64(250) << 36;
        QTest::newRow("truncates") << qint64(1) << qint64(3) << 33;
        QTest::newRow("end") << qint64(200) << qint64(200) << 100;
        QTest::newRow("past the end is 100") << qint64(230) << qint64(200) << 100;
        QTest::newRow("below zero is 0") << qint64(-5) << qint64(200) << 0;
        QTest::newRow("piece under a second: no scale") << qint64(3) << qint64(0) << -1;
        QTest::newRow("negative duration: no scale") << qint64(3) << qint64(-2) << -1;
    }
    void percent()
    {
        QFETCH(qint64, elapsed);
        QFETCH(qint64, timeLen);
        QFETCH(int, percent);
        QCOMPARE(ProgressParser::percent(elapsed, timeLen), percent);
    }

    void timeTextIsKept()
    {
        const ProgressSample s = ProgressParser::parse("frame=1 fps=1 time=00:00:02.50 bitrate=1");
        QCOMPARE(s.timeText, QString("00:00:02.50"));
    }
};

QTEST_APPLESS_MAIN(TestProgressParser)
#include "tst_media_parser.moc"

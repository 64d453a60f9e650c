#include "media/progressparser.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

namespace {
const QList<QByteArray> kSeeds{
    "frame=  100 fps= 25 q=28.0 size=    1024kB time=00:01:10.52 bitrate= 118.9kbits/s speed=1.01x\r",
    "size=      47kB time=00:00:03.00 bitrate= 128.3kbits/s speed=61.2x\r",
    "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A speed=N/A\r",
    "[mp4 @ 0x5581] Starting second pass: moving the moov atom to the beginning of the file\n",
    "time=time=time= frame=fps=size=bitrate="};

QByteArray mutate(QRandomGenerator& rng, QByteArray bytes)
{
    const int edits = rng.bounded(1, 8);
    for (int i = 0; i < edits; ++i) {
        const int at = bytes.isEmpty() ? 0 : rng.bounded(bytes.size());
        switch (rng.bounded(5)) {
        case 0:
            bytes.insert(at, char(rng.bounded(256)));
            break;
        case 1:
            bytes.remove(at, rng.bounded(1, 6));
            break;
        case 2:
            if (!bytes.isEmpty())
                bytes[at] = char(rng.bounded(256));
            break;
        case 3:
            bytes.insert(at, kSeeds.at(rng.bounded(kSeeds.size())).left(rng.bounded(1, 40)));
            break;
        default:
            bytes = bytes.left(at);
        }
    }
    return bytes;
}

QByteArray randomBytes(QRandomGenerator& rng)
{
    QByteArray bytes(rng.bounded(0, 300), '\0');
    for (char& c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}
} // namespace

// A bounded random run over the parser, short enough for every CI run; MEDIA_FUZZ_SECONDS
// and MEDIA_FUZZ_SEED make a longer or a repeated run.
class TestParserFuzz : public QObject
{
    Q_OBJECT
private slots:
    void randomChunks()
    {
        const double seconds = qEnvironmentVariableIsSet("MEDIA_FUZZ_SECONDS")
                                   ? qEnvironmentVariable("MEDIA_FUZZ_SECONDS").toDouble()
                                   : 3.0;
        const quint32 seed = qEnvironmentVariableIsSet("MEDIA_FUZZ_SEED")
                                 ? qEnvironmentVariable("MEDIA_FUZZ_SEED").toUInt()
                                 : QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator rng(seed);
        QElapsedTimer timer;
        timer.start();
        qint64 runs = 0;
        while (timer.elapsed() < seconds * 1000) {
            const QByteArray bytes =
                rng.bounded(4) == 0 ? randomBytes(rng) : mutate(rng, kSeeds.at(rng.bounded(kSeeds.size())));
            check(bytes, qint64(rng.bounded(-2, 40000)));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable("failing chunk (hex): " + bytes.toHex()));
            ++runs;
        }
        qInfo("%lld chunks", runs);
    }

private:
    static void check(const QByteArray& bytes, qint64 timeLen)
    {
        const QString text = ProgressParser::chunkText(bytes);
        QVERIFY(!text.contains(QChar(0)));
        QVERIFY(text.size() <= bytes.size());
        for (auto form : {ProgressParser::FrameOrSize, ProgressParser::FrameOnly}) {
            const ProgressSample s = ProgressParser::parse(text, form);
            if (!s.isProgress) {
                QCOMPARE(s.elapsedSeconds(), qint64(0));
                continue;
            }
            QVERIFY(text.contains("time="));
            for (int part : {s.hours, s.minutes, s.seconds})
                QVERIFY(part >= -9 && part <= 99);
            const int p = ProgressParser::percent(s.elapsedSeconds(), timeLen);
            QVERIFY(timeLen > 0 ? (p >= 0 && p <= 100) : p == -1);
        }
        // Nothing after the first NUL may change the answer.
        const int nul = bytes.indexOf('\0');
        if (nul >= 0) {
            const QByteArray tail = bytes.left(nul + 1) + "frame=1 fps=1 time=11:11:11.00 x";
            QCOMPARE(ProgressParser::chunkText(tail), text);
        }
    }
};

QTEST_APPLESS_MAIN(TestParserFuzz)
#include "tst_media_parserfuzz.moc"

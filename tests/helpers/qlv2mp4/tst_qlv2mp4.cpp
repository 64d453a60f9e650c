#include "media/mediafixtures.h"
#include "qlvscanner.h"

#include "platform/toollauncher.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kHelper = QStringLiteral("decoder/qlv/Qlv2mp4");

// Filler that holds none of the stream signatures, like a player's cache header.
QByteArray junk(int size)
{
    QByteArray bytes("QLVF", 4);
    while (bytes.size() < size)
        bytes.append(char((bytes.size() * 13) % 61 + 130));
    return bytes.left(size);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

// The QLV helper: finds the stream behind the vendor header and leaves an MP4, or says why not.
class TestQlv2mp4 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(MediaFixtures::make(path("plain.mp4"), {}));
        MediaFixtures::Clip fast;
        fast.extra = QStringList{"-movflags", "+faststart"};
        QVERIFY(MediaFixtures::make(path("fast.mp4"), fast));
        MediaFixtures::Clip flash;
        flash.videoCodec = "flv";
        flash.audioCodec = "libmp3lame";
        flash.sampleRate = 44100;
        QVERIFY(MediaFixtures::make(path("sorenson.flv"), flash));
        MediaFixtures::Clip avcFlv;
        avcFlv.sampleRate = 44100;
        QVERIFY(MediaFixtures::make(path("avc.flv"), avcFlv));
        QVERIFY(MediaFixtures::make(path("stream.ts"), {}));
    }

    void scannerFindsTheStart_data()
    {
        QTest::addColumn<QString>("media");
        QTest::addColumn<int>("headerSize");
        QTest::addColumn<int>("kind");
        QTest::newRow("MP4 at once") << "plain.mp4" << 0 << int(QlvScanner::Mp4);
        QTest::newRow("MP4 behind a header") << "plain.mp4" << 4096 << int(QlvScanner::Mp4);
        QTest::newRow("MP4 across the read boundary")
            << "plain.mp4" << 1024 * 1024 - 6 << int(QlvScanner::Mp4);
        QTest::newRow("FLV behind a header") << "sorenson.flv" << 777 << int(QlvScanner::Flv);
        QTest::newRow("FLV across the read boundary") << "avc.flv" << 1024 * 1024 - 2 << int(QlvScanner::Flv);
        QTest::newRow("MPEG-TS behind a header") << "stream.ts" << 1234 << int(QlvScanner::MpegTs);
        QTest::newRow("MPEG-TS across the read boundary")
            << "stream.ts" << 1024 * 1024 - 400 << int(QlvScanner::MpegTs);
    }
    void scannerFindsTheStart()
    {
        QFETCH(QString, media);
        QFETCH(int, headerSize);
        QFETCH(int, kind);
        QByteArray bytes = junk(headerSize) + fileBytes(path(media));
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const QlvScanner::Found found = QlvScanner::find(buffer);
        QCOMPARE(int(found.kind), kind);
        QCOMPARE(found.offset, qint64(headerSize));
    }

    void scannerIgnoresLookalikes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ftyp with no sane size") << junk(100) +
                                                       QByteArray("\xff\xff\xff\xff"
                                                                  "ftypisom",
                                                                  12) +
                                                       junk(900);
        QTest::newRow("FLV with a wrong header size")
            << junk(100) + QByteArray("FLV\x01\x05\x00\x00\x00\x10", 9) + QByteArray(4, '\0') + junk(900);
        QTest::newRow("a few sync bytes") << junk(10) + QByteArray(3 * 188, '\x47') + junk(50);
        QTest::newRow("empty") << QByteArray();
    }
    void scannerIgnoresLookalikes()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(int(QlvScanner::find(buffer).kind), int(QlvScanner::None));
    }

    void unwrapsToMp4_data()
    {
        QTest::addColumn<QString>("media");
        QTest::addColumn<int>("headerSize");
        QTest::newRow("MP4, index at the end") << "plain.mp4" << 3000;
        QTest::newRow("MP4, index first") << "fast.mp4" << 3000;
        QTest::newRow("FLV with H.264 and AAC") << "avc.flv" << 512;
        QTest::newRow("FLV with Sorenson video, re-encoded") << "sorenson.flv" << 512;
        QTest::newRow("MPEG-TS") << "stream.ts" << 5000;
        QTest::newRow("no header at all") << "plain.mp4" << 0;
    }
    void unwrapsToMp4()
    {
        QFETCH(QString, media);
        QFETCH(int, headerSize);
        const QString source = path("-source.qlv");
        QVERIFY(writeBytes(source, junk(headerSize) + fileBytes(path(media))));
        const QStringList names{path("temp0.mp4"), path("temp10.mp4"), path("10120000SSS")};
        const ToolResult r = ToolLauncher::run(kHelper, QStringList{source} + names);
        QVERIFY2(r.exitedCleanly(), r.standardError.constData());
        const MediaFixtures::Probe probe = MediaFixtures::probe(names.at(0));
        QVERIFY(probe.formatName.contains("mp4"));
        QCOMPARE(probe.streamTypes, QStringList({"video", "audio"}));
        QCOMPARE(probe.size, QSize(160, 90));
        QVERIFY(qAbs(probe.duration - 1.0) < 0.2);
        QVERIFY(!QFile::exists(names.at(1)));
        QVERIFY(QFile::remove(names.at(0)));
    }

    void failsCleanly_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("no stream") << junk(200000) << "no MP4, FLV or MPEG-TS stream";
        QTest::newRow("broken stream") << junk(300) + fileBytes(path("plain.mp4")).left(200) << "Qlv2mp4: ";
        QTest::newRow("missing source") << QByteArray() << "cannot read";
    }
    void failsCleanly()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString source = path("bad.qlv");
        QFile::remove(source);
        if (!content.isEmpty())
            QVERIFY(writeBytes(source, content));
        // A stale file at the first name must not pass for a result.
        QVERIFY(writeBytes(path("out.mp4"), "stale"));
        const ToolResult r = ToolLauncher::run(kHelper, {source, path("out.mp4"), path("s2"), path("s3")});
        QVERIFY(r.started && r.finished);
        QVERIFY(r.exitCode != 0);
        const QByteArray err = r.standardError.trimmed();
        QVERIFY2(err.startsWith("Qlv2mp4: ") && !err.contains('\n'), err.constData());
        QVERIFY2(err.contains(message.toUtf8()), err.constData());
        QVERIFY(!QFile::exists(path("out.mp4")));
    }

    void usage()
    {
        const ToolResult r = ToolLauncher::run(kHelper, {path("a.qlv"), path("b.mp4")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.standardError.startsWith("usage: Qlv2mp4"));
    }

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestQlv2mp4)
#include "tst_qlv2mp4.moc"

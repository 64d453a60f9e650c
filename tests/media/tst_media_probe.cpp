#include "mediafixtures.h"

#include "media/mediainfolibrary.h"
#include "media/mymediainfo.h"

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <dlfcn.h>
#include <string>

namespace {
// Where the system keeps the real library, whatever the architecture's folder is called.
QString realLibraryFile()
{
    QLibrary library(QStringLiteral("libmediainfo.so.0"));
    Dl_info info{};
    const auto symbol = library.resolve("MediaInfo_New");
    if (!symbol || !dladdr(reinterpret_cast<void*>(symbol), &info))
        return QString();
    return QString::fromLocal8Bit(info.dli_fname);
}
} // namespace

// The probe against files made by ffmpeg, read by the real libmediainfo.
class TestMediaProbe : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        MediaFixtures::Clip fullHd;
        fullHd.size = QSize(1920, 1080);
        fullHd.seconds = 0.4;
        QVERIFY(MediaFixtures::make(path("h264.mp4"), fullHd));
        MediaFixtures::Clip hevc;
        hevc.videoCodec = "libx265";
        hevc.audioCodec.clear();
        hevc.extra = QStringList{"-x265-params", "log-level=error"};
        QVERIFY(MediaFixtures::make(path("hevc.mkv"), hevc));
        QVERIFY(MediaFixtures::makeMp3(path("sound.mp3"), 2));
        QFile exact(path("exact.bin"));
        QVERIFY(exact.open(QIODevice::WriteOnly));
        exact.write(QByteArray(1048576, 'x'));
    }
    void cleanup() { MediaInfoLibrary::setModuleNameForTesting(QString()); }

    void h264WithSound()
    {
        MyMediaInfo info;
        info.probe(path("h264.mp4"));
        QCOMPARE(info.width(), 1920);
        QCOMPARE(info.height(), 1080);
        QCOMPARE(info.videoCodec(), 1);
        QVERIFY(qAbs(info.videoDuration() - 400) <= 40);
        QVERIFY(info.audioDuration() > 0);
        QVERIFY(info.videoBitRate() > 0);
        QVERIFY(info.totalBitRate() > 0);
        QCOMPARE(info.videoDurationText(), QString("00:00:00"));
        QCOMPARE(info.fileName(), QString("h264.mp4"));
        QCOMPARE(info.suffix(), QString("mp4"));
        QCOMPARE(info.fileSize(), QFileInfo(path("h264.mp4")).size());
    }

    void hevcWithoutSound()
    {
        MyMediaInfo info;
        info.probe(path("hevc.mkv"));
        QCOMPARE(info.videoCodec(), 2);
        QCOMPARE(info.width(), 160);
        QCOMPARE(info.audioDuration(), qint64(0));
        QCOMPARE(info.audioBitRate(), 0);
        QCOMPARE(info.audioDurationText(), QString("00:00:00"));
    }

    void audioOnlyMp3()
    {
        MyMediaInfo info;
        info.probe(path("sound.mp3"));
        QCOMPARE(info.width(), 0);
        QCOMPARE(info.height(), 0);
        QCOMPARE(info.videoDuration(), qint64(0));
        QCOMPARE(info.videoDurationText(), QString("00:00:00"));
        QCOMPARE(info.videoCodec(), 50);
        QVERIFY(qAbs(info.audioDuration() - 2000) <= 60);
        QCOMPARE(info.audioDurationText(), QString("00:00:02"));
        // 128000 bit/s in units of 1024 bit/s, not 1000.
        QCOMPARE(info.audioBitRate(), 125);
    }

    // The probe reads container headers only, not frames: the facts of streams whose size or
    // length live in frames or in the stream's timestamps must still come out.
    void factsOfStreamContainers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("videoCodec");
        QTest::addColumn<QString>("audioCodec");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("milliseconds");
        QTest::newRow("MPEG-TS, H.264") << "t.ts"
                                        << "libx264"
                                        << "aac" << QStringList() << QSize(640, 360) << 6120;
        QTest::newRow("MPEG-PS, MPEG-2, 4:3") << "t.mpg"
                                              << "mpeg2video"
                                              << "mp2" << QStringList() << QSize(640, 480) << 7280;
        QTest::newRow("DVD VOB") << "t.vob"
                                 << "mpeg2video"
                                 << "ac3" << QStringList{"-f", "vob"} << QSize(352, 288) << 3000;
        QTest::newRow("FLV") << "t.flv"
                             << "flv1"
                             << "libmp3lame" << QStringList() << QSize(320, 240) << 4960;
        QTest::newRow("AVI, XviD, no sound") << "t.avi"
                                             << "mpeg4"
                                             << "" << QStringList{"-vtag", "XVID"} << QSize(320, 240) << 4960;
        QTest::newRow("portrait WMV") << "t.wmv"
                                      << "wmv2"
                                      << "wmav2" << QStringList() << QSize(240, 320) << 4960;
        QTest::newRow("VBR MP3") << "vbr.mp3"
                                 << ""
                                 << "libmp3lame" << QStringList{"-q:a", "4"} << QSize(0, 0) << 4960;
    }
    void factsOfStreamContainers()
    {
        QFETCH(QString, file);
        QFETCH(QString, videoCodec);
        QFETCH(QString, audioCodec);
        QFETCH(QStringList, extra);
        QFETCH(QSize, size);
        QFETCH(int, milliseconds);
        MediaFixtures::Clip clip;
        clip.size = size.isEmpty() ? clip.size : size;
        clip.seconds = milliseconds / 1000.0;
        clip.videoCodec = videoCodec;
        clip.audioCodec = audioCodec;
        clip.extra = extra;
        QVERIFY(MediaFixtures::make(path(file), clip));
        MyMediaInfo info;
        info.probe(path(file));
        QCOMPARE(QSize(info.width(), info.height()), size);
        const qint64 duration = videoCodec.isEmpty() ? info.audioDuration() : info.videoDuration();
        QVERIFY2(qAbs(duration - milliseconds) <= 120, qPrintable(QString::number(duration)));
        // (AAC in a transport stream states no bit rate, however far it is read.)
        if (!audioCodec.isEmpty())
            QVERIFY(info.audioDuration() > 0);
    }

    void nonAsciiPath()
    {
        const QString named = path("视频 样本.mp3");
        QVERIFY(QFile::copy(path("sound.mp3"), named));
        MyMediaInfo info;
        info.probe(named);
        QCOMPARE(info.fileName(), QString("视频 样本.mp3"));
        QVERIFY(info.audioDuration() > 0);
    }

    void nonUtf8Locale()
    {
        const QString named = path("视频 样本 C.mp3");
        QVERIFY(QFile::copy(path("sound.mp3"), named));
        // As under LC_ALL=C; Qt has chosen its file name codec already.
        const std::string before = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "C");
        MyMediaInfo info;
        info.probe(named);
        std::setlocale(LC_ALL, before.c_str());
        QVERIFY(qAbs(info.audioDuration() - 2000) <= 60);
        QCOMPARE(info.audioBitRate(), 125);
    }

    void codecsOfTodaysLibrary_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("encoder");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("codec");
        QTest::newRow("Sorenson Spark") << "spark.flv"
                                        << "flv" << QStringList() << 15;
        QTest::newRow("JPEG") << "mjpeg.avi"
                              << "mjpeg" << QStringList() << 6;
        QTest::newRow("MPEG-1") << "m1.mpg"
                                << "mpeg1video" << QStringList{"-f", "mpeg"} << 10;
        QTest::newRow("MPEG-2") << "m2.mpg"
                                << "mpeg2video" << QStringList{"-f", "vob"} << 11;
        QTest::newRow("MPEG-4 Part 2") << "m4.mp4"
                                       << "mpeg4" << QStringList() << 12;
        QTest::newRow("Microsoft MPEG-4 v3") << "ms.avi"
                                             << "msmpeg4" << QStringList() << 50;
    }
    void codecsOfTodaysLibrary()
    {
        QFETCH(QString, file);
        QFETCH(QString, encoder);
        QFETCH(QStringList, extra);
        QFETCH(int, codec);
        MediaFixtures::Clip clip;
        clip.videoCodec = encoder;
        clip.audioCodec.clear();
        clip.seconds = 0.2;
        clip.extra = extra;
        QVERIFY(MediaFixtures::make(path(file), clip));
        MyMediaInfo info;
        info.probe(path(file));
        QCOMPARE(info.videoCodec(), codec);
    }

    void videoBitRateWithoutStatistics()
    {
        // ffmpeg's Matroska keeps no per-stream bit rate: the library answers none for the picture.
        MediaFixtures::Clip clip;
        clip.seconds = 2;
        clip.extra = QStringList{"-b:a", "64k"};
        QVERIFY(MediaFixtures::make(path("nostats.mkv"), clip));
        MyMediaInfo info;
        info.probe(path("nostats.mkv"));
        const qint64 expected = QFileInfo(path("nostats.mkv")).size() * 8 / 2 / 1024 - info.audioBitRate();
        QVERIFY2(info.videoBitRate() > 0 && qAbs(info.videoBitRate() - expected) < expected / 5 + 8,
                 qPrintable(QString("%1 vs %2").arg(info.videoBitRate()).arg(expected)));
    }

    void sizeTexts()
    {
        MyMediaInfo info;
        info.probe(path("exact.bin"));
        QCOMPARE(info.fileSize(), qint64(1048576));
        QCOMPARE(info.fileSizeM(), QString("1.00M"));
        QCOMPARE(info.fileSizeG(), QString("0.00G"));
        QCOMPARE(info.suffix(), QString("bin"));
        QCOMPARE(info.videoCodec(), 50);
        QCOMPARE(MyMediaInfo::sizeText(374563553, 2, 'M'), QString("357.21M"));
        QCOMPARE(MyMediaInfo::sizeText(375809638, 3, 'G'), QString("0.35G"));
    }

    void missingFile()
    {
        MyMediaInfo info;
        info.probe(path("nothing.mp4"));
        QCOMPARE(info.fileSize(), qint64(0));
        QCOMPARE(info.width(), 0);
        QCOMPARE(info.videoCodec(), 50);
        QCOMPARE(info.fileSizeM(), QString("0.00M"));
    }

    void durationTexts_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "00:00:00";
        QTest::newRow("one two three") << qint64(3723999) << "01:02:03";
        QTest::newRow("just under 100 h") << qint64(359999999) << "99:59:59";
        QTest::newRow("100 h") << qint64(360000000) << "100:00:00";
        QTest::newRow("1000 h") << qint64(3600000000LL) << "1000:00:00";
    }
    void durationTexts()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(MyMediaInfo::durationText(ms), text);
    }

    void libraryUnavailable_data()
    {
        QTest::addColumn<QString>("module");
        QTest::newRow("absent") << "libmediainfo-absent.so.0";
        QTest::newRow("incomplete") << "libz.so.1";
    }
    void libraryUnavailable()
    {
        QFETCH(QString, module);
        MediaInfoLibrary::setModuleNameForTesting(module);
        QVERIFY(!MediaInfoLibrary::ensureLoaded());
        MyMediaInfo info;
        info.probe(path("h264.mp4"));
        QCOMPARE(info.width(), 0);
        QCOMPARE(info.height(), 0);
        QCOMPARE(info.videoDuration(), qint64(0));
        QCOMPARE(info.audioDuration(), qint64(0));
        QCOMPARE(info.totalBitRate(), 0);
        QCOMPARE(info.videoDurationText(), QString("00:00:00"));
        QCOMPARE(info.videoCodec(), 50);
        QCOMPARE(info.fileName(), QString("h264.mp4"));
        QCOMPARE(info.fileSize(), QFileInfo(path("h264.mp4")).size());
        QVERIFY(info.fileSizeM().endsWith('M'));
    }

    void failedLoadIsTriedAgain()
    {
        const QString module = path("lib/libmediainfo.so.0");
        MediaInfoLibrary::setModuleNameForTesting(module);
        MyMediaInfo before;
        before.probe(path("h264.mp4"));
        QCOMPARE(before.width(), 0);
        // The library turns up between two probes: the second one uses it.
        QVERIFY(QDir().mkpath(path("lib")));
        const QString real = realLibraryFile();
        QVERIFY(!real.isEmpty());
        QVERIFY(QFile::link(real, module));
        MyMediaInfo after;
        after.probe(path("h264.mp4"));
        QCOMPARE(after.width(), 1920);
    }

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestMediaProbe)
#include "tst_media_probe.moc"

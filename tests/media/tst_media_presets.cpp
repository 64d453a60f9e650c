#include "mediafixtures.h"
#include "runrecorder.h"

#include "media/combenum.h"
#include "platform/apppaths.h"
#include "support/fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QSize kSourceSize(1280, 720);
const QString kMp4Family = "mov,mp4,m4a,3gp,3g2,mj2";

struct VideoTarget
{
    QString container;
    QString codec; // what ffprobe calls the picture codec chosen for an H.264 source
};

const QHash<int, VideoTarget>& videoTargets()
{
    static const QHash<int, VideoTarget> targets{{CombEnum::MP4, {kMp4Family, "h264"}},
                                                 {CombEnum::MOV, {kMp4Family, "h264"}},
                                                 {CombEnum::MKV, {"matroska,webm", "h264"}},
                                                 {CombEnum::AVI, {"avi", "h264"}},
                                                 {CombEnum::WMV, {"asf", "wmv1"}},
                                                 {CombEnum::M4V, {kMp4Family, "h264"}},
                                                 {CombEnum::MPEG, {"mpeg", "mpeg1video"}},
                                                 {CombEnum::VOB, {"mpeg", "mpeg2video"}},
                                                 {CombEnum::WEBM, {"matroska,webm", "vp8"}},
                                                 {CombEnum::ThreeGP, {kMp4Family, "h263"}},
                                                 {CombEnum::FLV, {"flv", "h264"}},
                                                 {CombEnum::F4V, {kMp4Family, "h264"}},
                                                 {CombEnum::SWF, {"swf", "flv1"}}};
    return targets;
}

const QHash<int, QString>& audioContainers()
{
    static const QHash<int, QString> containers{{CombEnum::MP3, "mp3"},      {CombEnum::WAV, "wav"},
                                                {CombEnum::M4A, kMp4Family}, {CombEnum::WMA, "asf"},
                                                {CombEnum::AAC, "aac"},      {CombEnum::FLAC, "flac"},
                                                {CombEnum::AC3, "ac3"},      {CombEnum::OGG, "ogg"}};
    return containers;
}

// H.263 takes only the five frame sizes of its standard (128x96, 176x144, 352x288, 704x576,
// 1408x1152): of the 3GP presets only "3GP1" (176x144) can be encoded.
bool expectedToFail(const FmtPreset& preset)
{
    return preset.format == CombEnum::ThreeGP && preset.resolution != 1;
}
} // namespace

// Every preset of the chooser, applied for real: the file is what it promises, or the job says
// it failed. This is the slow test of the media suite; the clips are one second long.
class TestMediaPresets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_app.isValid() && m_in.isValid());
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        AppPaths::setAppDirForTesting(m_app.path());
        MediaFixtures::Clip typical;
        typical.size = kSourceSize;
        QVERIFY(MediaFixtures::make(in("typical.mp4"), typical));
        QVERIFY(MediaFixtures::makeMp3(in("song.mp3")));
        MediaFixtures::Clip odd;
        odd.size = QSize(161, 91);
        odd.videoCodec = "libvpx";
        odd.audioCodec = "libvorbis";
        QVERIFY(MediaFixtures::make(in("odd.webm"), odd));
    }
    void init()
    {
        m_out.reset(new QTemporaryDir);
        QVERIFY(m_out->isValid());
    }
    void cleanupTestCase() { AppPaths::setAppDirForTesting(QString()); }

    void videoPresets_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("resolution");
        QTest::addColumn<bool>("works");
        for (int format : CombEnum::videoPresetFormats()) {
            for (const FmtPreset& p : CombEnum::videoPresets(format, true))
                QTest::newRow(qPrintable(CombEnum::presetText(p)))
                    << format << p.resolution << !expectedToFail(p);
        }
    }
    void videoPresets()
    {
        QFETCH(int, format);
        QFETCH(int, resolution);
        QFETCH(bool, works);
        const MediaRecord job{{"oriFilePath", in("typical.mp4")},
                              {"objectName", "row"},
                              {"timeLenStr", "1000"},
                              {"format", QString::number(format)},
                              {"resolution", QString::number(resolution)},
                              {"oriVideoCodec", "1"},
                              {"mediaLocalTypeStr", "0"}};
        const QSize size = resolution == 0 ? kSourceSize : CombEnum::resolutionSize(resolution);
        checkRun(FormatConversion, job, works, videoTargets().value(format).container, {"video", "audio"},
                 videoTargets().value(format).codec, size);
    }

    void oddSourceSizeIsMadeEven_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("codec");
        QTest::newRow("MP4") << int(CombEnum::MP4) << "h264";
        QTest::newRow("WMV") << int(CombEnum::WMV) << "wmv1";
        QTest::newRow("MOV") << int(CombEnum::MOV) << "mpeg4";
    }
    void oddSourceSizeIsMadeEven()
    {
        QFETCH(int, format);
        QFETCH(QString, codec);
        const MediaRecord job{
            {"oriFilePath", in("odd.webm")},     {"objectName", "row"}, {"timeLenStr", "1000"},
            {"format", QString::number(format)}, {"resolution", "0"},   {"oriVideoCodec", "13"},
            {"mediaLocalTypeStr", "0"}};
        checkRun(FormatConversion, job, true, videoTargets().value(format).container, {"video", "audio"},
                 codec, QSize(160, 90));
    }

    void audioPresets_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("quality");
        for (int format : CombEnum::audioPresetFormats()) {
            const QList<FmtPreset> presets = CombEnum::audioPresets(format);
            for (const FmtPreset& p : presets)
                QTest::addRow("MP3 to %s", qPrintable(CombEnum::presetText(p)))
                    << int(AudioConversion) << "song.mp3" << format << p.audioQuality;
            QTest::addRow("video to %s", qPrintable(CombEnum::presetText(presets.first())))
                << int(FormatConversion) << "typical.mp4" << format << presets.first().audioQuality;
        }
    }
    void audioPresets()
    {
        QFETCH(int, mode);
        QFETCH(QString, source);
        QFETCH(int, format);
        QFETCH(int, quality);
        const MediaRecord job{{"oriFilePath", in(source)},
                              {"objectName", "row"},
                              {"timeLenStr", "1000"},
                              {"format", QString::number(format)},
                              {"audioQualityStr", QString::number(quality)},
                              {"mediaLocalTypeStr", "1"}};
        checkRun(mode, job, true, audioContainers().value(format), {"audio"}, QString(), QSize());
    }

private:
    void checkRun(int mode, const MediaRecord& job, bool works, const QString& container,
                  const QStringList& streams, const QString& codec, const QSize& size)
    {
        VideoThread thread(mode, {job}, m_out->path());
        RunRecorder rec;
        rec.attach(thread);
        thread.start();
        QVERIFY(thread.wait(120000));
        const QString output = rec.ofKind("done").value(0).text;
        const QList<RunRecorder::Event> failed = rec.ofKind("failed");
        if (!works) {
            QCOMPARE(failed.size(), 1);
            qInfo("fails as expected: %s", qPrintable(failed.first().text));
            QVERIFY(!QFile::exists(output));
            return;
        }
        QVERIFY2(failed.isEmpty(), qPrintable(failed.value(0).text));
        const MediaFixtures::Probe probe = MediaFixtures::probe(output);
        QCOMPARE(probe.formatName, container);
        // SWF writes its sound first; the order of streams is no promise.
        QStringList found = probe.streamTypes;
        found.sort();
        QStringList promised = streams;
        promised.sort();
        QCOMPARE(found, promised);
        QCOMPARE(probe.videoCodec, codec);
        if (size.isValid())
            QCOMPARE(probe.size, size);
        // About the source's second: 25 frames, or its length where the container keeps one.
        QVERIFY2(probe.duration > 0.7 || probe.videoPackets >= 18,
                 qPrintable(QString("%1 s, %2 frames").arg(probe.duration).arg(probe.videoPackets)));
    }

    QString in(const QString& name) const { return m_in.filePath(name); }

    QTemporaryDir m_app;
    QTemporaryDir m_in;
    QScopedPointer<QTemporaryDir> m_out;
};

QTEST_GUILESS_MAIN(TestMediaPresets)
#include "tst_media_presets.moc"

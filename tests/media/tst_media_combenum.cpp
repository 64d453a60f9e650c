#include "media/combenum.h"

#include <QtTest>

namespace {
QString describe(const QList<FmtPreset>& presets)
{
    QStringList parts;
    for (const FmtPreset& p : presets)
        parts << QString("%1:%2:%3").arg(p.label).arg(p.resolution).arg(p.audioQuality);
    return parts.join('|');
}
} // namespace

// The ids are written into job records by the pages and read back by the recipes: a shifted
// row in any table changes what file the user gets.
class TestCombEnum : public QObject
{
    Q_OBJECT
private slots:
    void formatNames_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        const QStringList video{"MP4", "MOV",  "MKV", "AVI", "WMV", "M4V", "MPEG",
                                "VOB", "WEBM", "3GP", "FLV", "F4V", "SWF"};
        for (int i = 0; i < video.size(); ++i)
            QTest::addRow("%d", i) << i << video.at(i);
        const QStringList audio{"MP3", "WAV", "M4A", "WMA", "AAC", "FLAC", "AC3", "M4R", "APE", "OGG"};
        for (int i = 0; i < audio.size(); ++i)
            QTest::addRow("%d", 50 + i) << 50 + i << audio.at(i);
        for (int id : {-1, 13, 49, 60, 100})
            QTest::addRow("%d unknown", id) << id << QString();
    }
    void formatNames()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QCOMPARE(CombEnum::formatName(id), name);
        QCOMPARE(CombEnum::isVideoFormat(id) || CombEnum::isAudioFormat(id), !name.isEmpty());
    }

    void icons()
    {
        QCOMPARE(CombEnum::listIcon(CombEnum::ThreeGP), QString(":/icons/icons/3gp.png"));
        QCOMPARE(CombEnum::presetIcon(CombEnum::WEBM), QString(":/icons/icons/webm_right.png"));
    }

    void todaysLibraryNames_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("codecId");
        QTest::addColumn<int>("codec");
        QTest::newRow("Sorenson Spark") << "Sorenson Spark"
                                        << ""
                                        << "" << 15;
        QTest::newRow("JPEG") << "JPEG"
                              << ""
                              << "" << 6;
        QTest::newRow("MPEG Video 1") << "MPEG Video"
                                      << "Version 1"
                                      << "" << 10;
        QTest::newRow("MPEG Video 2") << "MPEG Video"
                                      << "Version 2"
                                      << "" << 11;
        QTest::newRow("MPEG Video, no version") << "MPEG Video"
                                                << ""
                                                << "" << 50;
        QTest::newRow("MPEG-4 Visual") << "MPEG-4 Visual"
                                       << ""
                                       << "mp4v-20" << 12;
        QTest::newRow("Xvid in AVI") << "MPEG-4 Visual"
                                     << ""
                                     << "XVID" << 12;
        for (const char* id : {"MP42", "MP43", "DIV3", "div3"})
            QTest::addRow("Microsoft %s", id) << "MPEG-4 Visual"
                                              << "" << id << 50;
        QTest::newRow("old name still") << "AVC"
                                        << ""
                                        << "avc1" << 1;
        QTest::newRow("VP9 stays unknown") << "VP9"
                                           << ""
                                           << "" << 50;
    }
    void todaysLibraryNames()
    {
        QFETCH(QString, format);
        QFETCH(QString, version);
        QFETCH(QString, codecId);
        QFETCH(int, codec);
        QCOMPARE(CombEnum::codecIdOf(format, version, codecId), codec);
    }

    void resolutions_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QSize>("size");
        const QList<QSize> sizes{{176, 144},   {240, 160},   {320, 240},   {480, 320},  {640, 360},
                                 {640, 480},   {720, 480},   {768, 576},   {750, 1334}, {800, 400},
                                 {854, 480},   {960, 540},   {960, 640},   {1024, 600}, {1280, 720},
                                 {1920, 1080}, {2704, 1520}, {3840, 2160}, {4096, 2160}};
        for (int i = 0; i < sizes.size(); ++i)
            QTest::addRow("%d", i + 1) << i + 1 << sizes.at(i);
        for (int id : {0, -1, 20})
            QTest::addRow("%d none", id) << id << QSize(-1, -1);
    }
    void resolutions()
    {
        QFETCH(int, id);
        QFETCH(QSize, size);
        QCOMPARE(CombEnum::resolutionSize(id), size);
    }

    void codecRecognition_data()
    {
        QTest::addColumn<QString>("libraryName");
        QTest::addColumn<int>("codec");
        QTest::addColumn<QString>("encoder");
        QTest::newRow("lower case avc") << "avc" << 1 << "libx264";
        QTest::newRow("H.264") << "H.264" << 1 << "libx264";
        QTest::newRow("HEVC") << "HEVC" << 2 << "libx265";
        QTest::newRow("h.265") << "h.265" << 2 << "libx265";
        QTest::newRow("H.263") << "H.263" << 0 << "h263";
        QTest::newRow("xvid") << "xvid" << 3 << "libxvid";
        QTest::newRow("DivX") << "DivX" << 4 << "msmpeg4";
        QTest::newRow("MSMPEGV3") << "MSMPEGV3" << 5 << "msmpeg4";
        QTest::newRow("MJPEG") << "MJPEG" << 6 << "mjpeg";
        QTest::newRow("WMV1") << "WMV1" << 7 << "wmv1";
        QTest::newRow("WMV2") << "WMV2" << 8 << "wmv2";
        QTest::newRow("WMV3") << "WMV3" << 9 << "wmv3";
        QTest::newRow("MPEG-1") << "MPEG-1" << 10 << "mpeg1video";
        QTest::newRow("MPEG-2") << "MPEG-2" << 11 << "mpeg2video";
        QTest::newRow("MPEG-4") << "MPEG-4" << 12 << "mpeg4";
        QTest::newRow("VP8") << "VP8" << 13 << "libvpx";
        QTest::newRow("OGV") << "OGV" << 14 << "OGV";
        QTest::newRow("FLV") << "FLV" << 15 << "flv";
        QTest::newRow("no exact match") << "MPEG-4 Visual 2" << 50 << "";
        QTest::newRow("padded") << " AVC" << 50 << "";
        QTest::newRow("VP9") << "VP9" << 50 << "";
        QTest::newRow("empty") << "" << 50 << "";
    }
    void codecRecognition()
    {
        QFETCH(QString, libraryName);
        QFETCH(int, codec);
        QFETCH(QString, encoder);
        QCOMPARE(CombEnum::codecIdOf(libraryName), codec);
        QCOMPARE(CombEnum::encoderName(codec), encoder);
    }

    void codecLists_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QList<int>>("codecs");
        const QList<QList<int>> lists{{1, 2, 12}, {3, 1}, {3, 1, 2}, {1, 3, 4, 5, 6}, {7, 8, 9}, {3, 1},
                                      {10, 11},   {11},   {13},      {0, 3},          {15, 1},   {1},
                                      {15}};
        for (int i = 0; i < lists.size(); ++i)
            QTest::addRow("%s", qPrintable(CombEnum::formatName(i))) << i << lists.at(i);
        QTest::newRow("audio") << int(CombEnum::MP3) << QList<int>();
        QTest::newRow("unknown") << 13 << QList<int>();
    }
    void codecLists()
    {
        QFETCH(int, format);
        QFETCH(QList<int>, codecs);
        QCOMPARE(CombEnum::codecsFor(format), codecs);
    }

    void audioBitRates()
    {
        const QStringList expected{"", "96k", "128k", "256k", "256k", ""};
        for (int id = 0; id < expected.size(); ++id)
            QCOMPARE(CombEnum::audioBitRateText(id), expected.at(id));
        QCOMPARE(CombEnum::audioBitRateText(-1), QString());
    }

    void videoPresets_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("presets");
        const QString same = "同原文件:0:0|";
        QTest::newRow("MP4") << 0
                             << same +
                                    "高清 1080P:16:0|高清 720P:15:0|标清 576P:8:0|标清 480P:7:0|4K 视频:18:0";
        QTest::newRow("3GP") << 9 << same + "3GP2:3:0|3GP1:1:0";
        QTest::newRow("AVI") << 3
                             << same +
                                    "高清 1080P Xvid:16:0|高清 1080P H264:16:0|高清 720P:15:0|标清 480P:7:0";
        QTest::newRow("F4V") << 11 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0|标清 360P:5:0";
        QTest::newRow("FLV") << 10 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0|标清 360P:5:0";
        QTest::newRow("M4V") << 5 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0";
        QTest::newRow("MKV") << 2 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0|4K 视频:18:0";
        QTest::newRow("MOV") << 1 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0|4K 视频:18:0";
        QTest::newRow("MPEG") << 6
                              << same + "高清 1080P MPEG2:16:0|高清 1080P MPEG1:16:0|高清 720P MPEG2:15:0|"
                                        "高清 720P MPEG1:15:0|标清 480P MPEG2:7:0|标清 480P MPEG1:6:0";
        QTest::newRow("SWF") << 12 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0|标清 360P:5:0";
        QTest::newRow("VOB") << 7 << "480P DVD视频:7:0";
        QTest::newRow("WEBM") << 8 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0";
        QTest::newRow("WMV") << 4 << same + "高清 1080P:16:0|高清 720P:15:0|标清 480P:7:0";
        QTest::newRow("audio format") << 50 << "";
    }
    void videoPresets()
    {
        QFETCH(int, format);
        QFETCH(QString, presets);
        const QList<FmtPreset> all = CombEnum::videoPresets(format, true);
        QCOMPARE(describe(all), presets);
        for (const FmtPreset& p : all) {
            QCOMPARE(p.format, format);
            QCOMPARE(p.mediaLocalType, 0);
            QCOMPARE(p.icon, CombEnum::presetIcon(format));
        }
        // Where the chooser hides "same as source", only that first preset goes.
        QString without = presets;
        without.remove("同原文件:0:0|");
        QCOMPARE(describe(CombEnum::videoPresets(format, false)), without);
    }

    void videoPresetFormatsInChooserOrder()
    {
        QStringList names;
        for (int f : CombEnum::videoPresetFormats())
            names << CombEnum::formatName(f);
        QCOMPARE(names.join(','), QString("MP4,3GP,AVI,F4V,FLV,M4V,MKV,MOV,MPEG,SWF,VOB,WEBM,WMV"));
    }

    void audioPresets_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("presets");
        const QString three = "高品质:0:3|中品质:0:2|低品质:0:1";
        QTest::newRow("MP3") << 50 << three;
        QTest::newRow("WAV") << 51 << "无损:0:4";
        QTest::newRow("M4A") << 52 << three;
        QTest::newRow("WMA") << 53 << three;
        QTest::newRow("AAC") << 54 << three;
        QTest::newRow("FLAC") << 55 << "无损:0:4";
        QTest::newRow("AC3") << 56 << three;
        QTest::newRow("M4R has none") << 57 << "";
        QTest::newRow("APE has none") << 58 << "";
        QTest::newRow("OGG") << 59 << three;
        QTest::newRow("video format") << 0 << "";
    }
    void audioPresets()
    {
        QFETCH(int, format);
        QFETCH(QString, presets);
        const QList<FmtPreset> all = CombEnum::audioPresets(format);
        QCOMPARE(describe(all), presets);
        for (const FmtPreset& p : all)
            QCOMPARE(p.mediaLocalType, 1);
    }

    void presetText()
    {
        const FmtPreset p = CombEnum::videoPresets(CombEnum::MP4, true).at(1);
        QCOMPARE(CombEnum::presetText(p), QString("MP4 高清 1080P"));
    }
};

QTEST_APPLESS_MAIN(TestCombEnum)
#include "tst_media_combenum.moc"

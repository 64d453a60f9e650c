#pragma once

#include <QList>
#include <QSize>
#include <QString>

// One button of the format chooser: what a chosen target puts into a job record.
struct FmtPreset
{
    QString icon;
    QString label;
    int format = 0;
    int resolution = 0;
    int audioQuality = 0;
    int mediaLocalType = 0;
};

// The target ids the media tools speak in: formats, frame sizes, codecs, audio qualities.
class CombEnum final
{
public:
    enum Format
    {
        MP4 = 0,
        MOV,
        MKV,
        AVI,
        WMV,
        M4V,
        MPEG,
        VOB,
        WEBM,
        ThreeGP,
        FLV,
        F4V,
        SWF,
        MP3 = 50,
        WAV,
        M4A,
        WMA,
        AAC,
        FLAC,
        AC3,
        M4R,
        APE,
        OGG
    };
    static constexpr int kUnknownCodec = 50;

    static QString formatName(int format);
    static bool isVideoFormat(int format);
    static bool isAudioFormat(int format);
    static QString listIcon(int format);
    static QString presetIcon(int format);

    // -1 x -1 for every id outside 1-19, 0 included: callers handle "keep the source size" first.
    static QSize resolutionSize(int resolution);
    static int codecIdOf(const QString& libraryFormatName);
    // The names today's libmediainfo gives as well ("MPEG Video" with its "Version 2", "MPEG-4
    // Visual" with its codec id "XVID" or "MP43"); falls back to the names above.
    static int codecIdOf(const QString& libraryFormatName, const QString& formatVersion,
                         const QString& codecId);
    static QString encoderName(int codec);
    static QList<int> codecsFor(int format);
    static QString audioBitRateText(int quality);

    // Every format that has presets, in the chooser's order.
    static QList<int> videoPresetFormats();
    static QList<int> audioPresetFormats();
    // withSameAsSource: include the leading "同原文件" preset where the format has one.
    static QList<FmtPreset> videoPresets(int format, bool withSameAsSource);
    static QList<FmtPreset> audioPresets(int format);
    static QString presetText(const FmtPreset& preset);

    CombEnum() = delete;
};

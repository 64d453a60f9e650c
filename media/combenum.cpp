#include "media/combenum.h"

#include <QCoreApplication>
#include <QHash>
#include <utility>
#include <vector>

namespace {
using PresetRow = std::pair<const char*, int>;

const QHash<int, QString>& formatNames()
{
    static const QHash<int, QString> names{{0, "MP4"},  {1, "MOV"},  {2, "MKV"},  {3, "AVI"},   {4, "WMV"},
                                           {5, "M4V"},  {6, "MPEG"}, {7, "VOB"},  {8, "WEBM"},  {9, "3GP"},
                                           {10, "FLV"}, {11, "F4V"}, {12, "SWF"}, {50, "MP3"},  {51, "WAV"},
                                           {52, "M4A"}, {53, "WMA"}, {54, "AAC"}, {55, "FLAC"}, {56, "AC3"},
                                           {57, "M4R"}, {58, "APE"}, {59, "OGG"}};
    return names;
}

struct CodecRow
{
    int id;
    QStringList names;
    QString encoder;
};

// Recognition walks this in order; the first exact match wins.
const std::vector<CodecRow>& codecTable()
{
    static const std::vector<CodecRow> table{{0, {"H.263"}, "h263"},
                                             {1, {"AVC", "H.264"}, "libx264"},
                                             {2, {"HEVC", "H.265"}, "libx265"},
                                             {3, {"XVID"}, "libxvid"},
                                             {4, {"DIVX"}, "msmpeg4"},
                                             {5, {"MSMPEGV3"}, "msmpeg4"},
                                             {6, {"MJPEG"}, "mjpeg"},
                                             {7, {"WMV1"}, "wmv1"},
                                             {8, {"WMV2"}, "wmv2"},
                                             {9, {"WMV3"}, "wmv3"},
                                             {10, {"MPEG-1"}, "mpeg1video"},
                                             {11, {"MPEG-2"}, "mpeg2video"},
                                             {12, {"MPEG-4"}, "mpeg4"},
                                             {13, {"VP8"}, "libvpx"},
                                             {14, {"OGV"}, "OGV"},
                                             {15, {"FLV"}, "flv"}};
    return table;
}

// The leading "同原文件" row of a format is marked by resolution 0.
const QHash<int, std::vector<PresetRow>>& videoPresetTable()
{
    static const QHash<int, std::vector<PresetRow>> table{
        {CombEnum::MP4,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 576P"), 8},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "4K 视频"), 18}}},
        {CombEnum::ThreeGP, {{"", 0}, {"3GP2", 3}, {"3GP1", 1}}},
        {CombEnum::AVI,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P Xvid"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P H264"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7}}},
        {CombEnum::F4V,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 360P"), 5}}},
        {CombEnum::FLV,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 360P"), 5}}},
        {CombEnum::M4V,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7}}},
        {CombEnum::MKV,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "4K 视频"), 18}}},
        {CombEnum::MOV,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "4K 视频"), 18}}},
        {CombEnum::MPEG,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P MPEG2"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P MPEG1"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P MPEG2"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P MPEG1"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P MPEG2"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P MPEG1"), 6}}},
        {CombEnum::SWF,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 360P"), 5}}},
        {CombEnum::VOB, {{QT_TRANSLATE_NOOP("CombEnum", "480P DVD视频"), 7}}},
        {CombEnum::WEBM,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7}}},
        {CombEnum::WMV,
         {{"", 0},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 1080P"), 16},
          {QT_TRANSLATE_NOOP("CombEnum", "高清 720P"), 15},
          {QT_TRANSLATE_NOOP("CombEnum", "标清 480P"), 7}}}};
    return table;
}

const std::vector<PresetRow>& qualityPresets()
{
    static const std::vector<PresetRow> rows{{QT_TRANSLATE_NOOP("CombEnum", "高品质"), 3},
                                             {QT_TRANSLATE_NOOP("CombEnum", "中品质"), 2},
                                             {QT_TRANSLATE_NOOP("CombEnum", "低品质"), 1}};
    return rows;
}

const std::vector<PresetRow>& losslessPresets()
{
    static const std::vector<PresetRow> rows{{QT_TRANSLATE_NOOP("CombEnum", "无损"), 4}};
    return rows;
}
} // namespace

QString CombEnum::formatName(int format)
{
    return formatNames().value(format);
}

bool CombEnum::isVideoFormat(int format)
{
    return format >= MP4 && format <= SWF;
}

bool CombEnum::isAudioFormat(int format)
{
    return format >= MP3 && format <= OGG;
}

QString CombEnum::listIcon(int format)
{
    return QStringLiteral(":/icons/icons/") + formatName(format).toLower() + QStringLiteral(".png");
}

QString CombEnum::presetIcon(int format)
{
    return QStringLiteral(":/icons/icons/") + formatName(format).toLower() + QStringLiteral("_right.png");
}

QSize CombEnum::resolutionSize(int resolution)
{
    static const QSize sizes[] = {{176, 144},   {240, 160},   {320, 240},   {480, 320},  {640, 360},
                                  {640, 480},   {720, 480},   {768, 576},   {750, 1334}, {800, 400},
                                  {854, 480},   {960, 540},   {960, 640},   {1024, 600}, {1280, 720},
                                  {1920, 1080}, {2704, 1520}, {3840, 2160}, {4096, 2160}};
    if (resolution < 1 || resolution > 19)
        return QSize(-1, -1);
    return sizes[resolution - 1];
}

int CombEnum::codecIdOf(const QString& libraryFormatName)
{
    const QString upper = libraryFormatName.toUpper();
    for (const CodecRow& row : codecTable()) {
        if (row.names.contains(upper))
            return row.id;
    }
    return kUnknownCodec;
}

int CombEnum::codecIdOf(const QString& libraryFormatName, const QString& formatVersion,
                        const QString& codecId)
{
    const int known = codecIdOf(libraryFormatName);
    if (known != kUnknownCodec)
        return known;
    const QString name = libraryFormatName.toUpper();
    if (name == QLatin1String("SORENSON SPARK"))
        return 15;
    if (name == QLatin1String("JPEG"))
        return 6;
    if (name == QLatin1String("MPEG VIDEO")) {
        const QString version = formatVersion.trimmed().toUpper();
        if (version == QLatin1String("VERSION 1"))
            return 10;
        if (version == QLatin1String("VERSION 2"))
            return 11;
        return kUnknownCodec;
    }
    // Microsoft's MPEG-4 v2 and v3 are reported as MPEG-4 Visual but are not MPEG-4 Part 2: copied
    // into MP4 they fail ("Could not find tag for codec msmpeg4v3").
    if (name == QLatin1String("MPEG-4 VISUAL")) {
        static const QStringList microsoft{QStringLiteral("MP42"), QStringLiteral("MP43"),
                                           QStringLiteral("DIV3")};
        return microsoft.contains(codecId.trimmed().toUpper()) ? kUnknownCodec : 12;
    }
    return kUnknownCodec;
}

QString CombEnum::encoderName(int codec)
{
    for (const CodecRow& row : codecTable()) {
        if (row.id == codec)
            return row.encoder;
    }
    return QString();
}

QList<int> CombEnum::codecsFor(int format)
{
    static const QHash<int, QList<int>> lists{
        {MP4, {1, 2, 12}}, {MOV, {3, 1}},    {MKV, {3, 1, 2}}, {AVI, {1, 3, 4, 5, 6}}, {WMV, {7, 8, 9}},
        {M4V, {3, 1}},     {MPEG, {10, 11}}, {VOB, {11}},      {WEBM, {13}},           {ThreeGP, {0, 3}},
        {FLV, {15, 1}},    {F4V, {1}},       {SWF, {15}}};
    return lists.value(format);
}

QString CombEnum::audioBitRateText(int quality)
{
    switch (quality) {
    case 1:
        return QStringLiteral("96k");
    case 2:
        return QStringLiteral("128k");
    case 3:
    case 4:
        return QStringLiteral("256k");
    default:
        return QString();
    }
}

QList<int> CombEnum::videoPresetFormats()
{
    return {MP4, ThreeGP, AVI, F4V, FLV, M4V, MKV, MOV, MPEG, SWF, VOB, WEBM, WMV};
}

QList<int> CombEnum::audioPresetFormats()
{
    return {MP3, WAV, M4A, WMA, AAC, FLAC, AC3, OGG};
}

QList<FmtPreset> CombEnum::videoPresets(int format, bool withSameAsSource)
{
    QList<FmtPreset> presets;
    const auto rows = videoPresetTable().value(format);
    for (const PresetRow& row : rows) {
        const bool sameAsSource = row.second == 0;
        if (sameAsSource && !withSameAsSource)
            continue;
        // Translated here, not in the tables, which exist before the translator does.
        const QString label = sameAsSource ? QCoreApplication::translate("CombEnum", "同原文件")
                                           : QCoreApplication::translate("CombEnum", row.first);
        presets.append({presetIcon(format), label, format, row.second, 0, 0});
    }
    return presets;
}

QList<FmtPreset> CombEnum::audioPresets(int format)
{
    if (!audioPresetFormats().contains(format))
        return {};
    const bool lossless = format == WAV || format == FLAC;
    QList<FmtPreset> presets;
    for (const PresetRow& row : lossless ? losslessPresets() : qualityPresets())
        presets.append({presetIcon(format), QCoreApplication::translate("CombEnum", row.first), format, 0,
                        row.second, 1});
    return presets;
}

QString CombEnum::presetText(const FmtPreset& preset)
{
    return formatName(preset.format) + QLatin1Char(' ') + preset.label;
}

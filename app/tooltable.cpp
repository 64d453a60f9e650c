#include "app/tooltable.h"

#include "tools/editing/videoconcat/videoconcatmainwt.h"
#include "tools/editing/videoslicing/videoslicingmainwt.h"
#include "tools/editing/videotogif/videotogifmainwt.h"
#include "tools/media/audiofmt/audiofmtmainwt.h"
#include "tools/media/videocompress/videocompressmainwt.h"
#include "tools/media/videofmt/videofmtmainwt.h"
#include "tools/picture/chformat/chfmainwt.h"
#include "tools/picture/compress/compressmainwt.h"
#include "tools/picture/crop/cropmainwt.h"
#include "tools/picture/gifcompress/gifcompressmainwt.h"
#include "tools/picture/heictoimg/heictoimgmainwt.h"
#include "tools/picture/pdftoimg/pdftoimgmainwt.h"
#include "tools/picture/rawtoimg/rawtoimgmainwt.h"
#include "tools/picture/rotateimg/rotateimgmainwt.h"
#include "tools/picture/sizeupdate/sizeupdatemainwt.h"
#include "tools/picture/topdf/topdfmainwt.h"

#include <QCoreApplication>

namespace {
QString icon(const char* name)
{
    return QStringLiteral(":/icons/icons/") + QString::fromUtf8(name) + QStringLiteral(".png");
}

template <class Page> ToolTable::PageFactory pageOf()
{
    return [](QWidget* parent) -> QWidget* { return new Page(parent); };
}

ToolTable::Entry entry(const char* label, const char* normal, const char* selected,
                       ToolTable::PageFactory page = {}, int stripSlot = -1, bool exclusive = true)
{
    return {QCoreApplication::translate("ToolTable", label),
            icon(normal),
            icon(selected),
            std::move(page),
            stripSlot,
            exclusive};
}
} // namespace

ToolTable ToolTable::standard()
{
    ToolTable table;
    table.entries = {
        entry(QT_TRANSLATE_NOOP("ToolTable", "格式转换"), "ch_format", "ch_format_p", pageOf<CHFMainWT>(), 2),
        entry(QT_TRANSLATE_NOOP("ToolTable", "HEIC转换"), "heic_to_img", "heic_to_img_p",
              pageOf<HeicToImgMainWT>(), 0),
        entry(QT_TRANSLATE_NOOP("ToolTable", "RAW转换"), "raw_to_img", "raw_to_img_p",
              pageOf<RawToImgMainWT>(), 1),
        entry(QT_TRANSLATE_NOOP("ToolTable", "GIF压缩"), "gif_compress", "gif_compress_p",
              pageOf<GifCompressMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "PNG/JPG压缩"), "zip", "zip_p", pageOf<CompressMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "PDF转图片"), "to_pdf", "to_pdf_p", pageOf<PdfToImgMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "图片转PDF"), "to_pdf", "to_pdf_p", pageOf<ToPDFMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "图片裁剪"), "img_crop", "img_crop_p", pageOf<CropMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "批量图片旋转"), "rotating", "rotating_p",
              pageOf<RotateImgMainWT>(), 3),
        entry(QT_TRANSLATE_NOOP("ToolTable", "批量尺寸修改"), "size_updating", "size_updating_p",
              pageOf<SizeUpdateMainWT>(), 4),
        entry(QT_TRANSLATE_NOOP("ToolTable", "视频格式转换"), "zip_white", "video_fmt",
              pageOf<VideoFmtMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "视频压缩"), "zip_white", "video_compress",
              pageOf<VideoCompressMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "音频/视频提取"), "zip_white", "video_compress", {}, -1, false),
        entry(QT_TRANSLATE_NOOP("ToolTable", "视频切割"), "zip_white", "video_cut",
              pageOf<VideoSlicingMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "视频拼接"), "zip_white", "video_concat",
              pageOf<VideoConcatMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "视频转gif"), "zip_white", "video_togif",
              pageOf<VideoToGifMainWT>()),
        entry(QT_TRANSLATE_NOOP("ToolTable", "音频格式转换"), "zip_white", "audio_chfmt",
              pageOf<AudioFmtMainWT>()),
        // The toolbox's specified normal icon is white on the light strip: its own icon in both
        // looks. It is the strip's sixth button, shown once a page is off the strip.
        entry(QT_TRANSLATE_NOOP("ToolTable", "实用工具箱"), "tool_box", "tool_box", {}, 5),
    };
    table.creationOrder = {Format,       Heic,       Raw,         GifCompress, Compress,    ImgToPdf,
                           PdfToImg,     Crop,       Rotate,      Resize,      VideoFormat, VideoCompress,
                           VideoSlicing, VideoToGif, VideoConcat, AudioFormat};
    table.layoutOrder = {Format,       Heic,       Raw,         GifCompress, Compress,    PdfToImg,
                         ImgToPdf,     Crop,       Rotate,      Resize,      VideoFormat, VideoCompress,
                         VideoSlicing, VideoToGif, VideoConcat, AudioFormat};
    return table;
}

QVector<int> ToolTable::offStripPages() const
{
    QVector<int> tools;
    for (int tool = 0; tool < entries.size(); ++tool) {
        if (entries.at(tool).page && entries.at(tool).stripSlot < 0)
            tools << tool;
    }
    return tools;
}

QString ToolTable::visibleIcon(const Entry& entry)
{
    return entry.normalIcon.endsWith(QLatin1String("_white.png")) ? entry.selectedIcon : entry.normalIcon;
}

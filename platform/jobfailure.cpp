#include "platform/jobfailure.h"

#include "platform/toolresult.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <unistd.h>

namespace {
void registerType()
{
    // Reports cross threads through queued connections.
    qRegisterMetaType<JobFailure>("JobFailure");
}
Q_CONSTRUCTOR_FUNCTION(registerType)

struct KnownLine
{
    const char* text;
    FailureKind kind;
};

// Checked in order: a disk that filled up makes the encoder's own error follow it, and a
// password error is also "no pages".
// ImageMagick: "convert: improper image header `x.png' @ error/png.c/ReadPNGImage/4107."
// ffmpeg: "x.mp4: Invalid data found when processing input".
// Ghostscript and pdfinfo: "**** Error: Password did not work.", "Incorrect password".
const KnownLine kKnownLines[] = {
    {"No space left on device", FailureKind::DiskFull},
    {"Disk quota exceeded", FailureKind::DiskFull},
    {"Incorrect password", FailureKind::PasswordProtected},
    {"Password did not work", FailureKind::PasswordProtected},
    {"password-protected", FailureKind::PasswordProtected},
    {"requires a password", FailureKind::PasswordProtected},
    {"width or height exceeds limit", FailureKind::LimitsExceeded},
    {"cache resources exhausted", FailureKind::LimitsExceeded},
    {"exceeds limit", FailureKind::LimitsExceeded},
    {"not authorized", FailureKind::LimitsExceeded},
    {"Output file #0 does not contain any stream", FailureKind::NoContent},
    {"does not contain any stream", FailureKind::NoContent},
    {"matches no streams", FailureKind::NoContent},
    {"Output file does not contain any stream", FailureKind::NoContent},
    {"Could not find tag for codec", FailureKind::Unsupported},
    {"Unknown encoder", FailureKind::Unsupported},
    {"improper image header", FailureKind::SourceUnreadable},
    {"no decode delegate", FailureKind::SourceUnreadable},
    {"Invalid data found when processing input", FailureKind::SourceUnreadable},
    {"moov atom not found", FailureKind::SourceUnreadable},
    {"insufficient image data", FailureKind::SourceUnreadable},
    {"corrupt image", FailureKind::SourceUnreadable},
    {"Not a JPEG file", FailureKind::SourceUnreadable},
    {"negative or zero image size", FailureKind::SourceUnreadable},
    {"unexpected end-of-file", FailureKind::SourceUnreadable},
    {"not in GIF format", FailureKind::SourceUnreadable},
    {"no picture data in", FailureKind::SourceUnreadable},
    {"is not a RAW picture", FailureKind::SourceUnreadable},
    {"is damaged", FailureKind::SourceUnreadable},
    {"out of memory", FailureKind::LimitsExceeded},
    {"Read-only file system", FailureKind::OutputNotWritable},
    {"Permission denied", FailureKind::OutputNotWritable},
    {"Operation not permitted", FailureKind::OutputNotWritable},
    // ImageMagick's only words for a picture cut short: it read no picture from the source.
    {"no images defined", FailureKind::SourceUnreadable},
};

bool writableFolder(const QString& folder)
{
    // access() rather than the mode bits: root passes a 0555 folder but not an immutable one or a
    // read-only mount, and so do the tools.
    return QFileInfo(folder).isDir() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}
} // namespace

const QList<FailureKind>& JobFailure::allKinds()
{
    static const QList<FailureKind> kinds{
        FailureKind::SourceMissing,     FailureKind::SourceUnreadable,  FailureKind::NoContent,
        FailureKind::OutputNotWritable, FailureKind::DiskFull,          FailureKind::ToolCrashed,
        FailureKind::ToolMissing,       FailureKind::Stopped,           FailureKind::LimitsExceeded,
        FailureKind::PasswordProtected, FailureKind::TargetUnreachable, FailureKind::FactsUnknown,
        FailureKind::Unsupported,       FailureKind::ToolFailed};
    return kinds;
}

QString JobFailure::sentence(FailureKind kind)
{
    const char* text = "";
    switch (kind) {
    case FailureKind::None:
        return QString();
    case FailureKind::SourceMissing:
        text = QT_TRANSLATE_NOOP("JobFailure", "原文件不存在");
        break;
    case FailureKind::SourceUnreadable:
        text = QT_TRANSLATE_NOOP("JobFailure", "文件已损坏或格式不受支持");
        break;
    case FailureKind::NoContent:
        text = QT_TRANSLATE_NOOP("JobFailure", "文件中没有可转换的画面或声音");
        break;
    case FailureKind::OutputNotWritable:
        text = QT_TRANSLATE_NOOP("JobFailure", "输出文件夹无法写入");
        break;
    case FailureKind::DiskFull:
        text = QT_TRANSLATE_NOOP("JobFailure", "磁盘空间不足");
        break;
    case FailureKind::ToolCrashed:
        text = QT_TRANSLATE_NOOP("JobFailure", "转换程序意外退出");
        break;
    case FailureKind::ToolMissing:
        text = QT_TRANSLATE_NOOP("JobFailure", "找不到转换程序");
        break;
    case FailureKind::Stopped:
        text = QT_TRANSLATE_NOOP("JobFailure", "已被用户停止");
        break;
    case FailureKind::LimitsExceeded:
        text = QT_TRANSLATE_NOOP("JobFailure", "文件太大，超出了处理上限");
        break;
    case FailureKind::PasswordProtected:
        text = QT_TRANSLATE_NOOP("JobFailure", "PDF 文件有密码保护");
        break;
    case FailureKind::TargetUnreachable:
        text = QT_TRANSLATE_NOOP("JobFailure", "无法压缩到目标大小");
        break;
    case FailureKind::FactsUnknown:
        text = QT_TRANSLATE_NOOP("JobFailure", "无法读出文件的时长或码率");
        break;
    case FailureKind::Unsupported:
        text = QT_TRANSLATE_NOOP("JobFailure", "不支持这样的转换");
        break;
    case FailureKind::ToolFailed:
        text = QT_TRANSLATE_NOOP("JobFailure", "转换程序报告了错误");
        break;
    }
    return QCoreApplication::translate("JobFailure", text);
}

QString JobFailure::toolTip() const
{
    const QString first = sentence(kind);
    if (detail.isEmpty() || detail == first)
        return first;
    return first + QLatin1Char('\n') + detail;
}

FailureKind JobFailure::kindOfFiles(const QString& source, const QString& outputFolder)
{
    if (!source.isEmpty()) {
        const QFileInfo info(source);
        if (!info.exists())
            return FailureKind::SourceMissing;
        if (!info.isReadable())
            return FailureKind::SourceUnreadable;
    }
    if (!outputFolder.isEmpty() && !writableFolder(outputFolder))
        return FailureKind::OutputNotWritable;
    return FailureKind::None;
}

FailureKind JobFailure::kindOfRun(const ToolResult& result)
{
    if (!result.started)
        return FailureKind::ToolMissing;
    if (result.finished && result.exitStatus == QProcess::CrashExit)
        return FailureKind::ToolCrashed;
    return FailureKind::None;
}

FailureKind JobFailure::kindOfToolText(const QString& text)
{
    for (const KnownLine& line : kKnownLines) {
        if (text.contains(QLatin1String(line.text), Qt::CaseInsensitive))
            return line.kind;
    }
    return FailureKind::None;
}

FailureKind JobFailure::classify(const QString& source, const QString& outputFolder, const ToolResult* result,
                                 const QString& toolText)
{
    FailureKind kind = kindOfFiles(source, outputFolder);
    if (kind == FailureKind::None && result)
        kind = kindOfRun(*result);
    if (kind == FailureKind::None)
        kind = kindOfToolText(toolText);
    return kind == FailureKind::None ? FailureKind::ToolFailed : kind;
}

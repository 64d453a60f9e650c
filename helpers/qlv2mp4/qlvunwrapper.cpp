#include "qlvunwrapper.h"

#include "platform/toollauncher.h"
#include "qlvscanner.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString lastLine(const QByteArray& text)
{
    const QList<QByteArray> lines = text.trimmed().split('\n');
    return QString::fromLocal8Bit(lines.isEmpty() ? QByteArray() : lines.last().trimmed());
}
} // namespace

QlvUnwrapper::QlvUnwrapper(const QString& ffmpeg, const QString& source, const QString& output,
                           const QString& scratch)
    : m_ffmpeg(ffmpeg), m_source(QFileInfo(source).absoluteFilePath()),
      m_output(QFileInfo(output).absoluteFilePath()), m_scratch(QFileInfo(scratch).absoluteFilePath())
{
}

bool QlvUnwrapper::run()
{
    QFile::remove(m_output);
    const bool ok = extract() && (remux(false) || remux(true));
    QFile::remove(m_scratch);
    if (!ok)
        QFile::remove(m_output);
    return ok;
}

bool QlvUnwrapper::extract()
{
    QFile in(m_source);
    if (!in.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read %1: %2").arg(m_source, in.errorString());
        return false;
    }
    const QlvScanner::Found found = QlvScanner::find(in);
    if (found.kind == QlvScanner::None) {
        m_error = QStringLiteral("no MP4, FLV or MPEG-TS stream found in %1").arg(m_source);
        return false;
    }
    QFile out(m_scratch);
    if (!in.seek(found.offset) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QStringLiteral("cannot write %1").arg(m_scratch);
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() || out.write(block) != block.size()) {
            m_error = QStringLiteral("cannot copy the stream to %1").arg(m_scratch);
            return false;
        }
    }
    return true;
}

bool QlvUnwrapper::remux(bool reencode)
{
    QStringList arguments{QStringLiteral("-hide_banner"), QStringLiteral("-nostats"), QStringLiteral("-y"),
                          QStringLiteral("-i"), m_scratch};
    // Copying keeps the picture as it is; Sorenson video or Nellymoser sound have no place in MP4.
    if (reencode)
        arguments << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset")
                  << QStringLiteral("ultrafast") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p")
                  << QStringLiteral("-c:a") << QStringLiteral("aac");
    else
        arguments << QStringLiteral("-c") << QStringLiteral("copy");
    arguments << QStringLiteral("-f") << QStringLiteral("mp4") << m_output;
    const ToolResult result = ToolLauncher::run(m_ffmpeg, arguments);
    const QFileInfo output(m_output);
    if (result.exitedCleanly() && output.isFile() && output.size() > 0)
        return true;
    m_error = lastLine(result.standardError);
    if (m_error.isEmpty())
        m_error = result.failureReason();
    if (m_error.isEmpty())
        m_error = QStringLiteral("ffmpeg wrote no MP4");
    return false;
}

#include "imaging/pagecounter.h"

#include "platform/toollauncher.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace {
// Past this a chain is taken for a loop or a damaged file.
constexpr int kMaxPages = 100000;

bool readUnsigned(QIODevice& device, int bytes, bool bigEndian, quint64& value)
{
    uchar buffer[8];
    if (device.read(reinterpret_cast<char*>(buffer), bytes) != bytes)
        return false;
    value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int at = bigEndian ? i : bytes - 1 - i;
        value = (value << 8) | buffer[at];
    }
    return true;
}
} // namespace

int PageCounter::pages(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    int count = 0;
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        count = tiffPages(file);
    else if (suffix == QLatin1String("ico"))
        count = icoPictures(file);
    return qMax(1, count);
}

int PageCounter::tiffPages(QIODevice& device)
{
    const QByteArray order = device.read(2);
    if (order != "II" && order != "MM")
        return 0;
    const bool big = order == "MM";
    quint64 version = 0;
    if (!readUnsigned(device, 2, big, version) || (version != 42 && version != 43))
        return 0;
    // BigTIFF: 8-byte offsets and counts, 20-byte entries, after two more header fields.
    const bool bigTiff = version == 43;
    const int offsetBytes = bigTiff ? 8 : 4;
    if (bigTiff && !device.seek(8))
        return 0;
    quint64 offset = 0;
    if (!readUnsigned(device, offsetBytes, big, offset))
        return 0;
    QSet<quint64> seen;
    int count = 0;
    while (offset != 0 && count < kMaxPages && !seen.contains(offset)) {
        seen.insert(offset);
        quint64 entries = 0;
        if (!device.seek(static_cast<qint64>(offset)) || !readUnsigned(device, bigTiff ? 8 : 2, big, entries))
            break;
        ++count;
        if (entries > quint64(std::numeric_limits<qint64>::max() / 32))
            break;
        const qint64 next = static_cast<qint64>(offset) + (bigTiff ? 8 : 2) +
                            static_cast<qint64>(entries) * (bigTiff ? 20 : 12);
        if (!device.seek(next) || !readUnsigned(device, offsetBytes, big, offset))
            break;
    }
    return count;
}

int PageCounter::icoPictures(QIODevice& device)
{
    // ICONDIR: reserved 0, type 1 (icon) or 2 (cursor), count; all little-endian.
    const QByteArray head = device.read(6);
    if (head.size() != 6)
        return 0;
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const quint16 type = qFromLittleEndian<quint16>(bytes + 2);
    if (qFromLittleEndian<quint16>(bytes) != 0 || (type != 1 && type != 2))
        return 0;
    return qFromLittleEndian<quint16>(bytes + 4);
}

int PageCounter::apngFrames(QIODevice& device)
{
    if (device.read(8) != QByteArray("\x89PNG\r\n\x1a\n", 8))
        return 0;
    // Chunks: length, type, data, CRC. An animation is announced before the first IDAT.
    for (int chunk = 0; chunk < kMaxPages; ++chunk) {
        quint64 length = 0;
        if (!readUnsigned(device, 4, true, length))
            return 0;
        const QByteArray type = device.read(4);
        if (type.size() != 4 || type == "IDAT" || type == "IEND")
            return 0;
        if (type == "acTL") {
            quint64 frames = 0;
            return length >= 8 && readUnsigned(device, 4, true, frames) ? int(qMin<quint64>(frames, INT_MAX))
                                                                        : 0;
        }
        if (!device.seek(device.pos() + qint64(length) + 4))
            return 0;
    }
    return 0;
}

int PageCounter::apngFrames(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? apngFrames(file) : 0;
}

PdfPages PageCounter::pdfPages(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {{}, QStringLiteral("the PDF file is missing")};
    if (info.size() == 0)
        return {{}, QStringLiteral("the PDF file is empty (0 bytes)")};
    // Every page's boxes: -l past the last page is clamped to it.
    ChildProcess process;
    ToolLauncher::prepare(process, QStringLiteral("decoder/pdf/pdfinfo"),
                          {QStringLiteral("-box"), QStringLiteral("-f"), QStringLiteral("1"),
                           QStringLiteral("-l"), QString::number(kMaxPages), info.absoluteFilePath()});
    process.setProcessChannelMode(QProcess::MergedChannels);
    const bool started = ToolLauncher::start(process);
    if (!started)
        return {{}, QStringLiteral("pdfinfo could not start: ") + process.errorString()};
    const bool finished = process.waitForFinished(ToolLauncher::kStartWaitMs * 4);
    if (!finished)
        process.end();
    const QString text = QString::fromUtf8(process.readAll());
    const bool clean = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return parsePdfInfo(text, clean);
}

PdfPages PageCounter::parsePdfInfo(const QString& text, bool exitedCleanly)
{
    PdfPages result;
    // "Command Line Error: Incorrect password": a user password guards the pages.
    if (text.contains(QLatin1String("Incorrect password"))) {
        result.problem = QStringLiteral("the PDF is password-protected");
        return result;
    }
    // "Page    1 MediaBox:      0.00     0.00   595.20   841.92" and "Page    1 rot:   90".
    static const QRegularExpression box(
        QStringLiteral("^Page\\s+(\\d+)\\s+MediaBox:\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s*$"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression rotation(QStringLiteral("^Page\\s+(\\d+)\\s+rot:\\s+(-?\\d+)\\s*$"),
                                             QRegularExpression::MultilineOption);
    QMap<int, QSizeF> sizes;
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        bool numbers = true;
        double corners[4];
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            corners[i] = m.captured(i + 2).toDouble(&ok);
            numbers = numbers && ok;
        }
        const QSizeF size(qAbs(corners[2] - corners[0]), qAbs(corners[3] - corners[1]));
        // pdfinfo prints what the file says: "inf", or corners whose distance is past a double.
        if (!numbers || !std::isfinite(size.width()) || !std::isfinite(size.height())) {
            result.problem =
                QStringLiteral("the PDF cannot be read: page %1 has no usable MediaBox").arg(m.captured(1));
            return result;
        }
        sizes.insert(m.captured(1).toInt(), size);
    }
    for (auto it = rotation.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int page = m.captured(1).toInt();
        if (sizes.contains(page) && qAbs(m.captured(2).toInt() % 180) == 90)
            sizes[page].transpose();
    }
    result.sizes = sizes.values().toVector();
    if (!exitedCleanly || result.sizes.isEmpty()) {
        // Poppler's own words: "Syntax Error: Couldn't read xref table".
        QString last;
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.contains(QLatin1String("Error")))
                last = line.trimmed();
        }
        result.sizes.clear();
        result.problem = exitedCleanly && last.isEmpty() ? QStringLiteral("the PDF has no pages")
                                                         : QStringLiteral("the PDF cannot be read");
        if (!last.isEmpty())
            result.problem += QStringLiteral(": ") + last;
    }
    return result;
}

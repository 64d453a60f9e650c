#include "media/ffmpeglog.h"

#include <QRegularExpression>

namespace {
constexpr int kKeptLines = 40;

// "[webm @ 0x55..] [error] text" -> level "error", text "text"; untagged lines have no level.
void splitLevel(const QString& line, QString* level, QString* text)
{
    static const QRegularExpression tagged(QStringLiteral(
        "^(?:\\[[^\\]]* @ [^\\]]*\\] )?\\[(trace|debug|verbose|info|warning|error|fatal|panic)\\] ?"));
    const QRegularExpressionMatch m = tagged.match(line);
    if (m.hasMatch()) {
        *level = m.captured(1);
        *text = line.mid(m.capturedLength()).trimmed();
        return;
    }
    level->clear();
    *text = line.trimmed();
}

// Lines ffmpeg prints after a failure whatever its cause, or when it ends at all.
bool isGeneric(const QString& text)
{
    static const QStringList starts{QStringLiteral("Conversion failed!"),
                                    QStringLiteral("Could not write header for output file"),
                                    QStringLiteral("Error initializing output stream"),
                                    QStringLiteral("Error selecting an encoder for stream"),
                                    QStringLiteral("Last message repeated"),
                                    QStringLiteral("Exiting normally")};
    for (const QString& start : starts) {
        if (text.startsWith(start))
            return true;
    }
    return text.isEmpty();
}

bool isStatistics(const QString& text)
{
    return text.contains(QLatin1String("time=")) || text.startsWith(QLatin1String("video:")) ||
           text.contains(QLatin1String("final ratefactor")) || text.contains(QLatin1String("Qavg:")) ||
           text.contains(QLatin1String("Avg QP:")) || text.startsWith(QLatin1String("kb/s:"));
}

qint64 fieldNumber(const QString& text, const QString& pattern)
{
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}
} // namespace

void FfmpegLog::add(const QByteArray& bytes)
{
    m_pending.append(bytes);
    int start = 0;
    for (int i = 0; i < m_pending.size(); ++i) {
        const char c = m_pending.at(i);
        if (c == '\n' || c == '\r') {
            addLine(QString::fromUtf8(m_pending.mid(start, i - start)));
            start = i + 1;
        }
    }
    m_pending.remove(0, start);
}

void FfmpegLog::finish()
{
    if (!m_pending.isEmpty())
        addLine(QString::fromUtf8(m_pending));
    m_pending.clear();
}

void FfmpegLog::addLine(const QString& line)
{
    QString level;
    QString text;
    splitLevel(line, &level, &text);
    if (text.isEmpty())
        return;
    if (text.startsWith(QLatin1String("Input #"))) {
        m_section = Input;
    } else if (text.startsWith(QLatin1String("Output #"))) {
        m_section = ++m_outputs == 1 ? Output : Other;
    } else if (text.startsWith(QLatin1String("Stream mapping:"))) {
        m_section = Other;
    } else if (text.startsWith(QLatin1String("Stream #")) && (m_section == Input || m_section == Output)) {
        // "Stream #0:1(und): Audio: aac ..." ; a cover picture is a video stream as well.
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^Stream #\\d+:\\d+[^:]*: (\\w+):")).match(text);
        if (m.hasMatch())
            (m_section == Input ? m_inputStreams : m_outputStreams) << m.captured(1).toLower();
    }
    if (text.contains(QLatin1String("time="))) {
        const qint64 frame = fieldNumber(text, QStringLiteral("frame=\\s*(\\d+)"));
        if (frame >= 0)
            m_lastFrame = frame;
        static const QRegularExpression clock(
            QStringLiteral("time=(\\d{1,9}):(\\d\\d):(\\d\\d)(?:\\.(\\d+))?"));
        const QRegularExpressionMatch t = clock.match(text);
        if (t.hasMatch()) {
            const QString fraction = (t.captured(4) + QStringLiteral("000")).left(3);
            m_lastTime = (t.captured(1).toLongLong() * 3600 + t.captured(2).toLongLong() * 60 +
                          t.captured(3).toLongLong()) *
                             1000 +
                         fraction.toLongLong();
        }
    }
    if (text.startsWith(QLatin1String("Output stream #0:"))) {
        static const QRegularExpression muxed(QStringLiteral(
            "^Output stream #0:\\d+ \\((\\w+)\\):.* (\\d+) packets muxed \\((\\d{1,15}) bytes\\)"));
        const QRegularExpressionMatch m = muxed.match(text);
        if (m.hasMatch())
            m_muxedBytes[m.captured(1)] += m.captured(3).toLongLong();
    }
    if (text.startsWith(QLatin1String("video:"))) {
        m_videoKb = fieldNumber(text, QStringLiteral("^video:(\\d+)kB"));
        m_audioKb = fieldNumber(text, QStringLiteral("audio:(\\d+)kB"));
    }
    if (level == QLatin1String("error") || level == QLatin1String("fatal") ||
        level == QLatin1String("panic")) {
        m_errors << text;
        if (m_errors.size() > kKeptLines)
            m_errors.removeFirst();
    }
    if (level.isEmpty() || level == QLatin1String("error") || level == QLatin1String("fatal")) {
        if (!isStatistics(text)) {
            m_lastLines << text;
            if (m_lastLines.size() > kKeptLines)
                m_lastLines.removeFirst();
        }
    }
}

QString FfmpegLog::failureReason() const
{
    for (int i = m_errors.size() - 1; i >= 0; --i) {
        if (!isGeneric(m_errors.at(i)))
            return m_errors.at(i);
    }
    for (int i = m_lastLines.size() - 1; i >= 0; --i) {
        if (!isGeneric(m_lastLines.at(i)))
            return m_lastLines.at(i);
    }
    return m_errors.isEmpty() ? QString() : m_errors.last();
}

QString FfmpegLog::errorText() const
{
    return (m_errors + m_lastLines).join(QLatin1Char('\n'));
}

QString FfmpegLog::emptyOutputReason() const
{
    if (m_outputStreams.contains(QLatin1String("video")) && m_lastFrame == 0)
        return QStringLiteral("no picture was written (frame=0)");
    if (!hasStatistics())
        return QString();
    const QString audio = QStringLiteral("audio");
    const bool silentOutput = m_muxedBytes.contains(audio) ? m_muxedBytes.value(audio) == 0 : m_audioKb == 0;
    if (m_outputStreams.contains(audio) && silentOutput)
        return QStringLiteral("no sound was written (audio: 0 bytes)");
    if (m_outputStreams.isEmpty() && m_videoKb == 0 && m_audioKb == 0)
        return QStringLiteral("nothing was written (video:0kB audio:0kB)");
    return QString();
}

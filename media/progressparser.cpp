#include "media/progressparser.h"

namespace {
int field(const QString& time, int position)
{
    bool ok = false;
    const int value = time.mid(position, 2).toInt(&ok);
    return ok ? value : 0;
}

bool isProgressChunk(const QString& chunk, ProgressParser::Form form)
{
    if (!chunk.contains(QLatin1String("time=")))
        return false;
    const bool frameForm = chunk.contains(QLatin1String("frame=")) && chunk.contains(QLatin1String("fps="));
    if (form == ProgressParser::FrameOnly)
        return frameForm;
    return frameForm || (chunk.contains(QLatin1String("size=")) && chunk.contains(QLatin1String("bitrate=")));
}
} // namespace

QString ProgressParser::chunkText(const QByteArray& bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromLatin1(nul < 0 ? bytes : bytes.left(nul));
}

ProgressSample ProgressParser::parse(const QString& chunk, Form form)
{
    ProgressSample sample;
    if (!isProgressChunk(chunk, form))
        return sample;
    sample.isProgress = true;
    const int start = chunk.indexOf(QLatin1String("time=")) + 5;
    const int space = chunk.indexOf(QLatin1Char(' '), start);
    sample.timeText = space < 0 ? chunk.mid(start) : chunk.mid(start, space - start);
    sample.hours = field(sample.timeText, 0);
    sample.minutes = field(sample.timeText, 3);
    sample.seconds = field(sample.timeText, 6);
    return sample;
}

int ProgressParser::percent(qint64 elapsedSeconds, qint64 timeLen)
{
    if (timeLen <= 0)
        return -1;
    const qint64 value = elapsedSeconds * 100 / timeLen;
    return static_cast<int>(qBound<qint64>(0, value, 100));
}

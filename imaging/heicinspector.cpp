#include "imaging/heicinspector.h"

#include <QFile>

namespace {
// The item properties sit in the "meta" box at the front; real files keep it well inside this.
constexpr qint64 kHeadBytes = 256 * 1024;
} // namespace

bool HeicInspector::declaresAlpha(const QByteArray& head)
{
    // HEVC alpha planes are tagged "urn:mpeg:hevc:2015:auxid:1" (auxid:2 is depth); newer
    // writers use the MPEG-B name.
    return head.contains("urn:mpeg:hevc:2015:auxid:1") ||
           head.contains("urn:mpeg:mpegB:cicp:systems:auxiliary:alpha");
}

bool HeicInspector::hasAlpha(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return declaresAlpha(file.read(kHeadBytes));
}

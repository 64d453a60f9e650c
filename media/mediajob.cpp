#include "media/mediajob.h"

namespace MediaJobKeys {

QString text(const MediaJob& job, const char* key)
{
    return job.value(QLatin1String(key));
}

qint64 number(const MediaJob& job, const char* key)
{
    return text(job, key).trimmed().toLongLong();
}

} // namespace MediaJobKeys

#include "startupclock.h"

#include <QFile>
#include <QList>

#include <unistd.h>

namespace {
QByteArray readAll(const char* path)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

double StartupClock::sinceProcessStart()
{
    const QByteArray stat = readAll("/proc/self/stat");
    // Field 22 (start time in clock ticks since boot), counted after the command name.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double uptime = readAll("/proc/uptime").split(' ').value(0).toDouble();
    return uptime - started;
}

long StartupClock::residentKiB()
{
    for (const QByteArray& line : readAll("/proc/self/status").split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

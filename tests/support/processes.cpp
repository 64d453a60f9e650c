#include "support/processes.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace Processes {

// "pid (comm) state ppid ...": comm may hold spaces and parentheses, so read from the last ')'.
Proc read(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    Proc proc;
    if (!file.open(QIODevice::ReadOnly))
        return proc;
    const QByteArray text = file.readAll();
    const int open = text.indexOf('(');
    const int close = text.lastIndexOf(')');
    if (open < 0 || close < 0)
        return proc;
    const QList<QByteArray> rest = text.mid(close + 2).split(' ');
    if (rest.size() < 2 || rest.at(0).isEmpty())
        return proc;
    proc.pid = pid;
    proc.name = QString::fromUtf8(text.mid(open + 1, close - open - 1));
    proc.state = rest.at(0).at(0);
    proc.parent = rest.at(1).toLongLong();
    return proc;
}

QList<Proc> descendantsOf(qint64 root)
{
    QList<Proc> all;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (number)
            all << read(pid);
    }
    QList<Proc> found;
    QList<qint64> parents{root};
    while (!parents.isEmpty()) {
        const qint64 parent = parents.takeFirst();
        for (const Proc& proc : qAsConst(all)) {
            if (proc.pid > 0 && proc.parent == parent) {
                found << proc;
                parents << proc.pid;
            }
        }
    }
    return found;
}

bool contains(const QList<Proc>& procs, const QString& name)
{
    return std::any_of(procs.begin(), procs.end(), [&](const Proc& p) { return p.name == name; });
}

QStringList stillRunning(const QList<Proc>& procs)
{
    QStringList running;
    for (const Proc& proc : procs) {
        const Proc now = read(proc.pid);
        // By pid alone: a child caught between fork and exec still bears its parent thread's name.
        if (now.pid > 0 && now.state != 'Z')
            running << QStringLiteral("%1 %2").arg(proc.pid).arg(proc.name);
    }
    return running;
}

} // namespace Processes

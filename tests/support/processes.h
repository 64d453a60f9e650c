#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What /proc says of the processes below a test's own children.
namespace Processes {
struct Proc
{
    qint64 pid = 0;
    qint64 parent = 0;
    QString name;
    char state = '?';
};
Proc read(qint64 pid);
// Children, grandchildren ... of root, as they are now.
QList<Proc> descendantsOf(qint64 root);
bool contains(const QList<Proc>& procs, const QString& name);
// "pid name" of those still running (a zombie does not run; in a container nothing may reap it).
QStringList stillRunning(const QList<Proc>& procs);
} // namespace Processes

#include "platform/childprocess.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

ChildProcess::ChildProcess(QObject* parent) : QProcess(parent), m_parent(getpid()), m_deathSignal(SIGKILL) {}

ChildProcess::~ChildProcess()
{
    // QProcess would kill without a grace; our helpers deserve the chance to clean up.
    if (state() != QProcess::NotRunning)
        end();
}

void ChildProcess::end(int graceMs)
{
    if (state() == QProcess::NotRunning)
        return;
    terminate();
    if (waitForFinished(graceMs))
        return;
    kill();
    waitForFinished(-1);
}

void ChildProcess::setupChildProcess()
{
    prctl(PR_SET_PDEATHSIG, m_deathSignal);
    // The parent may have died between fork and prctl; then no signal would ever come.
    if (getppid() != m_parent)
        _exit(127);
}

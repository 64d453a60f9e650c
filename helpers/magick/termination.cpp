#include "termination.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Only async-signal-safe calls in the handler, so its state sits in fixed globals.
char g_scratch[PATH_MAX + 1];
volatile std::sig_atomic_t g_hasScratch = 0;
char g_folder[PATH_MAX + 1];
volatile std::sig_atomic_t g_hasFolder = 0;
volatile pid_t g_child = 0;
// convert removes its own temporary files on SIGTERM; it gets this long before the group is killed.
constexpr long kChildGraceMs = 300;
constexpr long kPollMs = 10;

bool childGone()
{
    if (g_child <= 0)
        return true;
    int status = 0;
    const pid_t got = waitpid(g_child, &status, WNOHANG);
    return got == g_child || (got < 0 && errno == ECHILD);
}

extern "C" void endGroup(int signalNumber)
{
    const int savedErrno = errno;
    if (g_hasScratch)
        unlink(g_scratch);
    // Our own copy of the group's signal must not come back here.
    std::signal(signalNumber, SIG_IGN);
    kill(0, SIGTERM);
    const timespec pause{0, kPollMs * 1000000L};
    for (long waited = 0; waited < kChildGraceMs && !childGone(); waited += kPollMs)
        nanosleep(&pause, nullptr);
    if (!childGone())
        kill(0, SIGKILL);
    Termination::removeScratchFolder();
    std::signal(signalNumber, SIG_DFL);
    errno = savedErrno;
    // Delivered when the handler returns: the job sees we were stopped, not that we failed.
    raise(signalNumber);
}
} // namespace

void Termination::install()
{
    // A group of our own: kill(0, ...) must reach convert and Ghostscript, never the application.
    setpgid(0, 0);
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = endGroup;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void Termination::setScratch(const char* path)
{
    g_hasScratch = 0;
    std::strncpy(g_scratch, path, PATH_MAX);
    g_scratch[PATH_MAX] = '\0';
    g_hasScratch = 1;
}

void Termination::clearScratch()
{
    g_hasScratch = 0;
}

void Termination::setScratchFolder(const char* path)
{
    g_hasFolder = 0;
    std::strncpy(g_folder, path, PATH_MAX);
    g_folder[PATH_MAX] = '\0';
    g_hasFolder = 1;
}

void Termination::removeScratchFolder()
{
    if (!g_hasFolder)
        return;
    g_hasFolder = 0;
    // getdents64 and unlinkat, not opendir: only system calls are safe in a signal handler.
    const int folder = open(g_folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        alignas(8) char buffer[4096];
        for (;;) {
            const long got = syscall(SYS_getdents64, folder, buffer, sizeof(buffer));
            if (got <= 0)
                break;
            for (long offset = 0; offset < got;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + offset);
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                    unlinkat(folder, name, 0);
                offset += entry->d_reclen;
            }
        }
        close(folder);
    }
    rmdir(g_folder);
}

void Termination::setChild(pid_t child)
{
    g_child = child;
}

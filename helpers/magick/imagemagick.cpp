#include "imagemagick.h"

#include "termination.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr const char* kTruncated = "Premature end of JPEG file";

void writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        size -= static_cast<size_t>(written);
    }
}
} // namespace

std::string ImageMagick::convertPath()
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (length <= 0)
        return "decoder/imagemagick/convert";
    std::string path(self, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1) + "decoder/imagemagick/convert";
}

namespace {
// convert's temporary files go into a folder of our own, removed when it ends or is stopped.
// The name follows the application's partial pattern, so one a kill left is removed at its next start.
void usePrivateTemporaryFolder()
{
    const char* base = std::getenv("MAGICK_TMPDIR");
    if (!base || !*base)
        base = std::getenv("TMPDIR");
    if (!base || !*base)
        base = "/tmp";
    std::string pattern =
        std::string(base) + "/.chengying-unfinished-" + std::to_string(getpid()) + "-mtXXXXXX";
    if (!mkdtemp(pattern.data()))
        return;
    Termination::setScratchFolder(pattern.c_str());
    setenv("MAGICK_TMPDIR", pattern.c_str(), 1);
}
} // namespace

int ImageMagick::run(const std::vector<std::string>& arguments)
{
    const std::string program = convertPath();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::fprintf(stderr, "magick: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
        return 1;
    }
    usePrivateTemporaryFolder();
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child < 0) {
        std::fprintf(stderr, "magick: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
        Termination::removeScratchFolder();
        return 1;
    }
    if (child == 0) {
        // Should we die without our handler (SIGKILL), convert still removes its temporary files.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execv(program.c_str(), argv.data());
        const std::string message = "magick: cannot run " + program + ": " + std::strerror(errno) + "\n";
        writeAll(STDERR_FILENO, message.data(), message.size());
        _exit(1);
    }
    Termination::setChild(child);
    close(pipeFds[1]);
    std::string errors;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(pipeFds[0], buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        writeAll(STDERR_FILENO, buffer, static_cast<size_t>(got));
        errors.append(buffer, static_cast<size_t>(got));
    }
    close(pipeFds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    Termination::removeScratchFolder();
    if (WIFSIGNALED(status)) {
        // Die the same way, so that the job sees the crash it would have seen.
        std::signal(WTERMSIG(status), SIG_DFL);
        std::raise(WTERMSIG(status));
        return 1;
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    if (code == 0 && errors.find(kTruncated) != std::string::npos && !arguments.empty()) {
        std::remove(arguments.back().c_str());
        return 1;
    }
    return code;
}

#include "fuzzinput.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {
// A damaged file makes Qt warn ("QIODevice::seek: Invalid pos: -2") at every run, which would
// fill the log; only fatal messages, Qt's failed assertions among them, are worth printing.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "Qt: %s\n", qPrintable(message));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler(quiet);
    return 0;
}

std::string inputFile(const uint8_t* data, size_t size)
{
    static const int fd = memfd_create("fuzz-input", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0) {
        std::perror("memfd");
        std::abort();
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t written = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (written <= 0) {
            std::perror("memfd write");
            std::abort();
        }
        done += static_cast<size_t>(written);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

void require(bool condition, const char* promise)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

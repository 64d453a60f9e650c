#include "atomicoutputfile.h"

#include "conversionerror.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The handler may only use what is async-signal-safe, so the temporary path is kept in a
// fixed buffer rather than in the object.
char g_pendingPath[PATH_MAX + 1];
volatile std::sig_atomic_t g_pending = 0;

extern "C" void removePendingAndDie(int signalNumber)
{
    if (g_pending)
        ::unlink(g_pendingPath);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void watchSignals()
{
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        std::signal(signalNumber, removePendingAndDie);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// mkstemp makes the file 0600; the picture should get the mode any new file would.
void applyUmask(int descriptor)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
}

} // namespace

AtomicOutputFile::AtomicOutputFile(const std::string& targetPath) : m_targetPath(targetPath)
{
    const std::string folder = folderOf(targetPath);
    // A fixed short name: the target's own name may already be as long as a name can be.
    std::string pattern = folder + "/.ConvertToJpg-XXXXXX";
    if (pattern.size() > PATH_MAX)
        throw ConversionError("output path too long: '" + targetPath + "'");
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    watchSignals();
    const int descriptor = ::mkstemp(buffer.data());
    if (descriptor < 0)
        throw ConversionError(systemError("cannot write to folder '" + folder + "'"));
    m_tempPath = buffer.data();
    std::memcpy(g_pendingPath, buffer.data(), buffer.size());
    g_pending = 1;
    applyUmask(descriptor);
    m_stream = ::fdopen(descriptor, "wb");
    if (!m_stream) {
        const std::string message = systemError("cannot write to folder '" + folder + "'");
        ::close(descriptor);
        discard();
        throw ConversionError(message);
    }
}

AtomicOutputFile::~AtomicOutputFile()
{
    if (m_stream)
        std::fclose(m_stream);
    m_stream = nullptr;
    discard();
}

void AtomicOutputFile::commit()
{
    bool written = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    int errorNumber = errno;
    if (std::fclose(m_stream) != 0 && written) {
        written = false;
        errorNumber = errno;
    }
    m_stream = nullptr;
    if (!written) {
        errno = errorNumber;
        throw ConversionError(systemError("cannot write '" + m_targetPath + "'"));
    }
    if (::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0)
        throw ConversionError(systemError("cannot write '" + m_targetPath + "'"));
    g_pending = 0;
    m_tempPath.clear();
}

void AtomicOutputFile::discard()
{
    g_pending = 0;
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}

#include "platform/singleinstanceguard.h"
#include "platform/logcategories.h"

#include <QDebug>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(const QString& name) : m_path(lockPath(name)) {}

SingleInstanceGuard::~SingleInstanceGuard()
{
    // The file stays: removing it would let a start that opened it already lock a file nobody
    // else sees.
    if (m_fd >= 0)
        ::close(m_fd);
}

QString SingleInstanceGuard::scopedName(const QString& name)
{
    struct stat ns
    {
    };
    if (::stat("/proc/self/ns/ipc", &ns) != 0)
        return name;
    return name + QLatin1Char('-') + QString::number(static_cast<qulonglong>(ns.st_ino));
}

QString SingleInstanceGuard::lockPath(const QString& name)
{
    // The runtime folder is the user's own (mode 0700), so no other user can take or block the file.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString()
                             : runtime + QLatin1Char('/') + scopedName(name) + QStringLiteral(".lock");
}

bool SingleInstanceGuard::tryAcquire()
{
    if (m_fd >= 0)
        return true;
    if (m_path.isEmpty()) {
        qCWarning(lcPlatform) << "no runtime folder for the single-instance lock";
        return true;
    }
    const QByteArray path = QFile::encodeName(m_path);
    // Close-on-exec: a tool we start must not keep holding the lock after we are gone.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        // Better a second window than no program at all.
        qCWarning(lcPlatform) << "single-instance lock not opened:" << m_path << ::strerror(errno);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return false;
        qCWarning(lcPlatform) << "single-instance lock not taken:" << m_path << ::strerror(error);
        return true;
    }
    m_fd = fd;
    return true;
}

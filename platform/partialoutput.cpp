#include "platform/partialoutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kTokenLength = 8;
// Past this many collisions of random names the folder is not one we can write to.
constexpr int kCreateAttempts = 100;

QString token()
{
    // The pid keeps the names of two processes apart; the letters those of two jobs.
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString text = QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
    for (int i = 0; i < kTokenLength; ++i)
        text += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof(kLetters) - 1))]);
    return text;
}

bool isAlive(qint64 pid)
{
    // EPERM: alive, only not ours to signal.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool exists(const QByteArray& path)
{
    struct stat info;
    // lstat: a dangling link is taken too, writing through it would create a file elsewhere.
    return ::lstat(path.constData(), &info) == 0;
}
} // namespace

QString PartialOutput::prefix()
{
    return QStringLiteral(".chengying-unfinished-");
}

bool PartialOutput::isPartialName(const QString& fileName)
{
    return ownerOf(fileName) > 0;
}

qint64 PartialOutput::ownerOf(const QString& fileName)
{
    // The numbered files ImageMagick writes beside a partial file follow it with "-<n>".
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(prefix()) +
        QStringLiteral("([1-9][0-9]{0,9})-[A-Za-z0-9]{%1}([.-][^/]*)?").arg(kTokenLength)));
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

QString PartialOutput::createFile(const QString& folder, const QString& suffix)
{
    const QString dot = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const QString path = folder + QLatin1Char('/') + prefix() + token() + dot;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!file.exists())
            break;
    }
    return QString();
}

QString PartialOutput::createFolder(const QString& folder, const QString& suffix)
{
    const QString dot = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const QString name = prefix() + token() + dot;
        const QString path = folder + QLatin1Char('/') + name;
        if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
            return path;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

PartialOutput::Move PartialOutput::moveNoReplace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return Move::Moved;
    if (errno == EEXIST)
        return Move::Taken;
    // Some filesystems (older NFS, FUSE mounts, vfat on old kernels) refuse the flag.
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
        return moveByLink(from, to);
    return Move::Failed;
}

PartialOutput::Move PartialOutput::moveByLink(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) == 0) {
        ::unlink(source.constData());
        return Move::Moved;
    }
    if (errno == EEXIST)
        return Move::Taken;
    // No hard links (folders, vfat): the name is claimed empty, then the whole result replaces it
    // in one step. Only this last moment has an empty final name.
    const bool folder = QFileInfo(from).isDir();
    const int made = folder ? ::mkdir(target.constData(), 0777)
                            : ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (made < 0)
        return errno == EEXIST ? Move::Taken : Move::Failed;
    if (!folder)
        ::close(made);
    if (std::rename(source.constData(), target.constData()) == 0)
        return Move::Moved;
    folder ? ::rmdir(target.constData()) : ::unlink(target.constData());
    return Move::Failed;
}

QString PartialOutput::claim(const QString& partial, const std::function<QString(int)>& candidate)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString path = candidate(attempt);
        if (path.isEmpty())
            break;
        switch (moveNoReplace(partial, path)) {
        case Move::Moved:
            return path;
        case Move::Taken:
            break;
        case Move::Failed:
            // The name may be refused on its own (too long): the next candidate may still do.
            if (!exists(QFile::encodeName(partial)))
                return QString();
            break;
        }
    }
    return QString();
}

int PartialOutput::removeStale(const QString& folder, const QDateTime& before)
{
    if (folder.isEmpty())
        return 0;
    int removed = 0;
    const qint64 limit = before.toSecsSinceEpoch();
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const qint64 owner = ownerOf(name);
        const QString path = folder + QLatin1Char('/') + name;
        struct stat info;
        // lstat: a link is judged, and removed, as itself.
        if (owner <= 0 || ::lstat(QFile::encodeName(path).constData(), &info) != 0 ||
            info.st_mtime >= limit || isAlive(owner))
            continue;
        const bool gone = S_ISDIR(info.st_mode) ? QDir(path).removeRecursively() : QFile::remove(path);
        removed += gone ? 1 : 0;
    }
    return removed;
}

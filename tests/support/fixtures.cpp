#include "support/fixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace Fixtures {

namespace {
QString systemProgram(const QString& program)
{
    const QString inUsrBin = QStringLiteral("/usr/bin/") + program;
    if (QFileInfo(inUsrBin).isExecutable())
        return inUsrBin;
    return QStandardPaths::findExecutable(program);
}
} // namespace

bool runTool(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(systemProgram(program), arguments);
    if (!process.waitForStarted(10000) || !process.waitForFinished(120000)) {
        qWarning("fixture tool %s did not run", qPrintable(program));
        return false;
    }
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("fixture tool %s failed: %s", qPrintable(program), qPrintable(text));
        return false;
    }
    return true;
}

bool makePicture(const QString& path, const QString& source, const QString& size, const QStringList& extra)
{
    QStringList args{QStringLiteral("-size"), size, source};
    args << extra << path;
    return runTool(QStringLiteral("convert"), args);
}

QRgb pdfPageColour(int index)
{
    static const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    return colours[index % 3];
}

bool makePdf(const QString& path, int pages, int widthPt, int heightPt, const QString& userPassword)
{
    QString program =
        QStringLiteral("%!PS\n<< /PageSize [%1 %2] >> setpagedevice\n").arg(widthPt).arg(heightPt);
    for (int page = 0; page < pages; ++page) {
        const QColor colour(pdfPageColour(page));
        program += QStringLiteral("%1 %2 %3 setrgbcolor %4 %5 %6 %7 rectfill showpage\n")
                       .arg(colour.redF())
                       .arg(colour.greenF())
                       .arg(colour.blueF())
                       .arg(widthPt / 4)
                       .arg(heightPt / 4)
                       .arg(widthPt / 2)
                       .arg(heightPt / 2);
    }
    const QString ps = path + QStringLiteral(".ps");
    QFile file(ps);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(program.toLatin1());
    file.close();
    QStringList args{QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
                     QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=pdfwrite")};
    if (!userPassword.isEmpty())
        args << QStringLiteral("-sOwnerPassword=owner") << QStringLiteral("-sUserPassword=") + userPassword
             << QStringLiteral("-dEncryptionR=3") << QStringLiteral("-dKeyLength=128");
    args << QStringLiteral("-sOutputFile=") + path << ps;
    const bool made = runTool(QStringLiteral("gs"), args);
    QFile::remove(ps);
    return made;
}

bool damageFile(const QString& path, qint64 offset, qint64 length, quint32 seed, bool pattern)
{
    QFile file(path);
    if (!file.setPermissions(file.permissions() | QFile::WriteOwner) || !file.open(QIODevice::ReadWrite) ||
        !file.seek(offset))
        return false;
    QRandomGenerator random(seed);
    QByteArray bytes(int(length), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = pattern ? char(7 + 3 * (i % 81)) : char(random.bounded(256));
    return file.write(bytes) == bytes.size();
}

QString identify(const QString& path)
{
    QString out;
    if (!runTool(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%wx%h %m\\n"), path},
                 &out))
        return QString();
    return out.section(QLatin1Char('\n'), 0, 0).trimmed();
}

QString dataFile(const QString& name)
{
    return QStringLiteral(TEST_DATA_DIR) + QLatin1Char('/') + name;
}

bool writeScript(const QString& path, const QString& body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Never through a link: a mirrored tool is a link to the system's own program.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write("#!/bin/sh\n");
    file.write(body.toUtf8());
    file.close();
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool mirrorAppDir(const QString& dir)
{
    const QString source = QStringLiteral(APP_BINARY_DIR);
    const QStringList tools{QStringLiteral("magick"),
                            QStringLiteral("decoder/imagemagick/convert"),
                            QStringLiteral("pngquant.2.12.3"),
                            QStringLiteral("gifsicle"),
                            QStringLiteral("decoder/common/ffmpeg"),
                            QStringLiteral("decoder/heif/heif-convert"),
                            QStringLiteral("decoder/pdf/pdfinfo"),
                            QStringLiteral("decoder/ConverterToJpg/ConvertToJpg"),
                            QStringLiteral("decoder/qlv/Qlv2mp4"),
                            QStringLiteral("config")};
    for (const QString& tool : tools) {
        const QString target = dir + QLatin1Char('/') + tool;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        const QFileInfo original(source + QLatin1Char('/') + tool);
        if (original.exists() && !QFile::link(original.canonicalFilePath(), target))
            return false;
    }
    return true;
}

} // namespace Fixtures

bool Fixtures::setFolderReadOnly(const QString& dir, bool readOnly)
{
    if (::geteuid() != 0) {
        const QFileDevice::Permissions open = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup;
        return QFile::setPermissions(dir, readOnly ? open & ~QFileDevice::Permissions(QFileDevice::WriteOwner)
                                                   : open);
    }
    // Root passes every mode bit; an immutable folder holds even against root.
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = readOnly ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

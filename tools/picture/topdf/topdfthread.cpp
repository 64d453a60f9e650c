#include "tools/picture/topdf/topdfthread.h"

#include "platform/apppaths.h"
#include "platform/logcategories.h"
#include "platform/partialoutput.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QStorageInfo>

#include <cmath>

namespace {
// Past this many taken names something is wrong with the folder; give up rather than loop.
constexpr int kMaxAttempts = 1000;
// Less free space than this where a PDF failed to come out whole: the disk filled up.
constexpr qint64 kLowSpaceBytes = 16 * 1024 * 1024;

QString numbered(const QString& stem, int attempt)
{
    return attempt == 0 ? stem : stem + QStringLiteral("_%1").arg(attempt + 1);
}

// stem.pdf, else stem_2.pdf ... inside our own partial folder: created empty, so no other picture
// of this run takes it.
QString claimPdf(const QString& folder, const QString& stem)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString path = folder + QLatin1Char('/') + numbered(stem, attempt) + QStringLiteral(".pdf");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!QFileInfo(folder).isDir())
            break;
    }
    return QString();
}

// Gives a finished partial file or folder the first free name of folder/stem, stem_2 ...
QString claimFinal(const QString& partial, const QString& folder, const QString& stem, const QString& dot)
{
    return PartialOutput::claim(partial, [&](int attempt) {
        return attempt < kMaxAttempts ? folder + QLatin1Char('/') + numbered(stem, attempt) + dot : QString();
    });
}

// The name part of a picture: its file name up to the first dot.
QString stemOf(const QString& picture)
{
    return QFileInfo(picture).fileName().section(QLatin1Char('.'), 0, 0);
}

// The printer does not report write errors: a PDF is whole when it ends with its trailer.
bool isCompletePdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.seek(qMax<qint64>(0, file.size() - 64));
    return file.readAll().contains("%%EOF");
}
} // namespace

ToPDFThread::ToPDFThread(const Options& options, const QStringList& pictures)
    : QThread(nullptr), m_options(options), m_pictures(pictures),
      m_progressStep(pictures.isEmpty() ? 0 : m_progressSpan / pictures.size())
{
}

QRectF ToPDFThread::placement(const QSizeF& viewport, const QSizeF& picture)
{
    if (viewport.isEmpty() || picture.isEmpty())
        return QRectF();
    double scale = viewport.width() / picture.width();
    if (std::trunc(picture.height() * scale) > viewport.height())
        scale = viewport.height() / picture.height();
    const QSizeF size = picture * scale;
    // Centred in device pixels: an offset in picture pixels would put a small, much enlarged
    // picture visibly off centre.
    return QRectF(std::trunc((viewport.width() - size.width()) * 0.5),
                  std::trunc((viewport.height() - size.height()) * 0.5), size.width(), size.height());
}

void ToPDFThread::run()
{
    QString folder = m_options.outputFolder;
    if (folder.isEmpty())
        folder = AppPaths::defaultOutputDir();
    if (!QDir(folder).exists()) {
        QDir().mkpath(AppPaths::defaultOutputDir());
        // The PDFs go where the page said: make that folder too, rather than write nothing.
        QDir().mkpath(folder);
    }
    if (m_pictures.isEmpty()) {
        emit notifyParentFailure({FailureKind::SourceMissing});
        emit notifyParentDone(QString(), false);
        return;
    }
    if (m_options.outputMode == OnePerPicture)
        runOnePerPicture(folder);
    else
        runMerged(folder);
}

void ToPDFThread::runMerged(const QString& folder)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("ddhhmmss"));
    // Named after the first picture it will hold, not one that cannot be read.
    QString first = m_pictures.first();
    for (const QString& picture : m_pictures) {
        if (QImageReader(picture).canRead()) {
            first = picture;
            break;
        }
    }
    const QString partial = PartialOutput::createFile(folder, QStringLiteral("pdf"));
    bool written = !partial.isEmpty() && writePdf(partial, m_pictures);
    if (isInterruptionRequested()) {
        QFile::remove(partial);
        return;
    }
    QString path;
    if (written) {
        path = claimFinal(partial, folder, stemOf(first) + QLatin1Char('_') + stamp, QStringLiteral(".pdf"));
        written = !path.isEmpty();
        if (!written)
            QFile::remove(partial);
    }
    qCDebug(lcTools) << "file path is:" << path;
    reportUnreadable();
    if (!written && m_unreadable.size() == m_pictures.size())
        fail(unreadableKind(), QString(), folder);
    else if (!written)
        fail(FailureKind::None, path.isEmpty() ? folder : path, folder);
    // A PDF that could not be written is gone: a failure names nothing to show.
    emit notifyParentDone(written ? path : QString(), written);
}

void ToPDFThread::runOnePerPicture(const QString& folder)
{
    // The PDFs are made in a partial folder that takes its dated name once all are written.
    const QString sub = PartialOutput::createFolder(folder);
    if (sub.isEmpty()) {
        qCDebug(lcTools) << "cannot make a folder in" << folder;
        fail(FailureKind::None, folder, folder);
        emit notifyParentDone(QString(), false);
        return;
    }
    bool allWritten = true;
    QString failedPath;
    for (const QString& picture : m_pictures) {
        // A stopped run leaves no part of its folder.
        if (isInterruptionRequested()) {
            QDir(sub).removeRecursively();
            return;
        }
        // Two pictures of one name (p.png, p.jpg) must not write one PDF over the other.
        const QString path = claimPdf(sub, stemOf(picture));
        qCDebug(lcTools) << "file path is:" << path;
        if (path.isEmpty()) {
            allWritten = false;
            failedPath = sub;
            advance();
            continue;
        }
        // An unreadable picture gets no PDF of its own (writePdf takes its empty one away).
        const int unreadableBefore = m_unreadable.size();
        if (!writePdf(path, {picture}) && m_unreadable.size() == unreadableBefore) {
            allWritten = false;
            failedPath = path;
        }
    }
    if (isInterruptionRequested()) {
        QDir(sub).removeRecursively();
        return;
    }
    reportUnreadable();
    if (m_unreadable.size() == m_pictures.size())
        fail(unreadableKind(), QString(), folder);
    else if (!allWritten)
        fail(FailureKind::None, failedPath, sub);
    allWritten = allWritten && m_unreadable.size() < m_pictures.size();
    // Some PDFs of a failed run may be there to show; an empty folder is not left behind.
    QString shown;
    if (!QDir(sub).isEmpty())
        shown = claimFinal(
            sub, folder, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss")), QString());
    if (shown.isEmpty())
        QDir(sub).removeRecursively();
    emit notifyParentDone(shown, allWritten && !shown.isEmpty());
}

void ToPDFThread::setUpPrinter(QPrinter& printer, const QString& path) const
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(m_options.paperSize)));
    printer.setPageOrientation(m_options.orientation != 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (m_options.margins == Wide) {
        printer.setPageMargins(QMarginsF(100, 100, 100, 100), QPageLayout::Point);
    } else if (m_options.margins == NoMargins) {
        printer.setFullPage(true);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    }
    printer.setOutputFileName(path);
}

bool ToPDFThread::writePdf(const QString& path, const QStringList& pictures)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, path);
    QPainter painter;
    bool ok = painter.begin(&printer);
    if (!ok)
        qCDebug(lcTools) << "cannot write" << path;
    int painted = 0;
    for (const QString& picture : pictures) {
        // Decoded before its page is begun: a picture that cannot be read takes no page.
        const QImage image = ok && !isInterruptionRequested() ? load(picture) : QImage();
        if (!image.isNull()) {
            if (painted > 0)
                ok = printer.newPage();
            if (ok) {
                paintPicture(painter, image);
                ++painted;
            }
        }
        advance();
    }
    if (painter.isActive())
        painter.end();
    if (isInterruptionRequested() || !ok || painted == 0 || !isCompletePdf(path)) {
        QFile::remove(path);
        return false;
    }
    return true;
}

QImage ToPDFThread::load(const QString& picture)
{
    QImageReader reader(picture);
    // Placed as a viewer shows it: a phone photo's EXIF orientation is applied.
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        qCDebug(lcTools) << "cannot read" << picture << reader.errorString();
        if (!m_unreadable.contains(picture))
            m_unreadable << picture;
    }
    return image;
}

void ToPDFThread::fail(FailureKind kind, const QString& detail, const QString& folder)
{
    if (kind == FailureKind::None)
        kind = JobFailure::kindOfFiles(QString(), folder);
    // The printer says nothing of why a file came out short; a full disk is the usual cause.
    if (kind == FailureKind::None && QStorageInfo(folder).bytesAvailable() < kLowSpaceBytes)
        kind = FailureKind::DiskFull;
    emit notifyParentFailure({kind == FailureKind::None ? FailureKind::ToolFailed : kind, detail});
}

FailureKind ToPDFThread::unreadableKind() const
{
    for (const QString& picture : m_unreadable) {
        if (QFileInfo::exists(picture))
            return FailureKind::SourceUnreadable;
    }
    return FailureKind::SourceMissing;
}

void ToPDFThread::paintPicture(QPainter& painter, const QImage& image)
{
    const QRect viewport = painter.viewport();
    painter.drawImage(placement(viewport.size(), image.size()), image);
}

void ToPDFThread::advance()
{
    m_progress += m_progressStep;
    emit notifyParentProgress(m_progress);
}

void ToPDFThread::reportUnreadable()
{
    if (!m_unreadable.isEmpty())
        emit notifyParentUnreadable(m_unreadable);
}

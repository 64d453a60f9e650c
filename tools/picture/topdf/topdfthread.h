#pragma once

#include "platform/jobfailure.h"

#include <QImage>
#include <QPageSize>
#include <QRectF>
#include <QStringList>
#include <QThread>

class QPainter;
class QPrinter;

// Paints pictures onto PDF pages with the printer in PDF mode. The object lives in the page's
// thread; run() decodes and paints in its own thread and reaches the page only through the
// queued notifications.
class ToPDFThread final : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ToPDFThread)
public:
    enum OutputMode
    {
        Merged = 0,
        OnePerPicture = 1
    };
    enum Margins
    {
        Wide = 0,
        Narrow = 1,
        NoMargins = 2
    };

    struct Options
    {
        int outputMode = Merged;
        int paperSize = QPageSize::A4;
        // Landscape unless 0.
        int orientation = 1;
        int margins = Wide;
        QString outputFolder;
    };

    ToPDFThread(const Options& options, const QStringList& pictures);

    // The picture's rectangle in a printable area: it fills one direction, is centred in the
    // other and keeps its aspect, enlarged or reduced.
    static QRectF placement(const QSizeF& viewport, const QSizeF& picture);

signals:
    void notifyParentProgress(int progress);
    void notifyParentDone(QString distFilePath, bool isSuccess);
    // Pictures left out because they could not be decoded or were gone; sent before done.
    void notifyParentUnreadable(QStringList pictures);
    // Why a run failed; sent before its done.
    void notifyParentFailure(JobFailure failure);

protected:
    void run() override;

private:
    void runMerged(const QString& folder);
    void runOnePerPicture(const QString& folder);
    bool writePdf(const QString& path, const QStringList& pictures);
    void setUpPrinter(QPrinter& printer, const QString& path) const;
    // The picture as a viewer shows it; a null image (and the picture noted) when it cannot be read.
    QImage load(const QString& picture);
    void paintPicture(QPainter& painter, const QImage& image);
    void fail(FailureKind kind, const QString& detail, const QString& folder);
    // Every picture was left out: gone from the disk, or there but unreadable.
    FailureKind unreadableKind() const;
    void advance();
    void reportUnreadable();

    const Options m_options;
    const QStringList m_pictures;
    const int m_progressSpan = 90;
    const int m_progressStep;
    int m_progress = 0;
    QStringList m_unreadable;
};

#pragma once

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
    // Pictures that exist but could not be decoded; each left an empty page. Sent before done.
    void notifyParentUnreadable(QStringList pictures);

protected:
    void run() override;

private:
    void runMerged(const QString& folder);
    void runOnePerPicture(const QString& folder);
    bool writePdf(const QString& path, const QStringList& pictures);
    void setUpPrinter(QPrinter& printer, const QString& path) const;
    void paintPicture(QPainter& painter, const QString& picture);
    void advance();
    void reportUnreadable();

    const Options m_options;
    const QStringList m_pictures;
    const int m_progressSpan = 90;
    const int m_progressStep;
    int m_progress = 0;
    QStringList m_unreadable;
};

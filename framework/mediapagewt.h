#pragma once

#include "framework/toolpagewt.h"
#include "media/mediajob.h"

#include <QHash>
#include <QPointer>

class FrameGrabber;
class MediaCenterWT;
class TableRowWidget;
class TableWidget;

// A media page: the shared skeleton with card rows (TableWidget) and the media runner. Rows
// are named by the batch stamp of their adding ("T_0", "T_0_1", ...), and each video row gets a
// frame of its file as thumbnail once ffmpeg has taken it.
class MediaPageWT : public ToolPageWT
{
    Q_OBJECT
public:
    MediaPageWT(const QStringList* extensions, const Texts& texts, QWidget* parent);

    TableWidget* table() const;
    MediaCenterWT* mediaCenter() const;
    FrameGrabber* frameGrabber() const { return m_grabber; }
    // The records a start hands to the runner, one per row, in the given order.
    MediaJobList jobRecords(const QList<TableRowWidget*>& rows) const;
    // The row that holds this widget (its action button, its target box), or null.
    static TableRowWidget* rowOf(const QObject* child);
    bool isRunning() const override;

public slots:
    void setProgress(int progress, const QString& objectName);
    void done(const QString& exportFilePath, const QString& objectName);

protected:
    void setCenter(MediaCenterWT* center);
    // The page's row for one file, probed and with its facts shown.
    virtual TableRowWidget* makeRow(const QString& path) = 0;
    virtual MediaJob jobOf(const TableRowWidget* row) const = 0;
    virtual int mediaMode() const = 0;
    virtual QString outputFolder() const = 0;
    // A video row whose length the library did not know has just had it read from its packets.
    virtual void lengthRead(TableRowWidget* row) { Q_UNUSED(row) }
    // Video pages show a frame; a file without picture, and every audio row, the sound icon.
    virtual bool showsFrames() const { return true; }
    // The whole list, behind the notices and the busy guard; false when refused.
    bool startAll();
    // One row on its own, whatever else runs; its button reads "停止" meanwhile and stops it.
    void startRow(TableRowWidget* row);

    int rowCount() const override;
    void appendRows(const QStringList& paths, RowKey firstKey) override;
    void removeAllRows() override;
    int rowOfKey(RowKey key) const override;
    RowKey keyOfRow(int row) const override;
    void showRowProgress(int row, int percent) override;
    void showRowDone(int row, const QString& outputPath, bool success, const JobFailure& failure) override;
    void showRowWaiting(int row) override;
    void stopOtherRuns() override;
    QString resultFolder() const override;
    bool isDropZoneShown() const override;
    void showList() override;
    void showDropZone() override;

private:
    struct RowRun
    {
        QPointer<BatchRunner> runner;
        QString buttonText;
        bool stopping = false;
    };

    QString nextStamp();
    void stopRowRun(RowKey key);
    void endRowRun(RowKey key);
    void onFrame(quint64 key, const QImage& frame);
    void readLength(const TableRowWidget* row);
    void onLengthRead(RowKey key, qint64 milliseconds);
    void onRowRemoved();

    MediaCenterWT* m_center = nullptr;
    FrameGrabber* m_grabber;
    QString m_lastStamp;
    QHash<RowKey, RowRun> m_rowRuns;
};

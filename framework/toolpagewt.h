#pragma once

#include "platform/batchrunner.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QUrl>
#include <QVector>
#include <QWidget>

class DesktopNotifier;
class OperBtnBar;
class QPushButton;

// What every tool page shares, whatever its rows look like: the operation bar, the three ways
// files come in, the busy guard, notices, and one protocol with the engines (BatchRunner).
// Each row carries a key that is never reused, so that a report of a batch whose rows were
// cleared can never land on a row added later.
class ToolPageWT : public QWidget
{
    Q_OBJECT
public:
    using RowKey = quint64;

    struct Texts
    {
        QString dialogTitle;
        QString emptyList;
    };

    ToolPageWT(const QStringList* extensions, const Texts& texts, QWidget* parent);

    // What a page holds (bar, centre, panel, rows) is made on its first show or first use, not
    // with the page: sixteen pages are made at start-up and the user sees one.
    void ensureBuilt() const;
    bool isBuilt() const { return m_built; }
    void setVisible(bool visible) override;

    bool isBusy() const { return m_busy; }
    // Any run of the page goes, a media row's own included.
    virtual bool isRunning() const { return m_busy; }
    // Between a stop and the end of what was stopped.
    bool isStopping() const { return m_stopping; }
    // The one-line summary of the last batch ("完成 24 个，失败 3 个"), empty while one runs.
    QString batchSummary() const;
    static QString summaryText(int done, int failed);
    int fileCount() const { return rowCount(); }
    const QStringList& extensions() const { return *m_extensions; }
    // The add-row rule over a list of paths; returns how many rows were added.
    int addPaths(const QStringList& paths);
    void addFolder(const QString& folder);
    // Files handed in from outside the window; the list is shown once a row was added.
    int takeFiles(const QStringList& paths);

public slots:
    void addFile();
    void addDir();
    void clearTable();
    void onDragAndDrop(QList<QUrl> urls);
    // Every run of the page ends: tools are killed, rows not finished wait again.
    void stopBatch();

protected:
    // The page's body; called once, by ensureBuilt, after the skeleton's own part.
    virtual void buildPage() = 0;
    // The page's rows, as the subclass shows them.
    virtual int rowCount() const = 0;
    virtual void appendRows(const QStringList& paths, RowKey firstKey) = 0;
    virtual void removeAllRows() = 0;
    virtual int rowOfKey(RowKey key) const = 0;
    virtual RowKey keyOfRow(int row) const = 0;
    virtual void showRowProgress(int row, int percent) = 0;
    virtual void showRowDone(int row, const QString& outputPath, bool success, const JobFailure& failure) = 0;
    // A stopped row: as before its start, neither bar nor failure.
    virtual void showRowWaiting(int row) { Q_UNUSED(row) }
    // Runs a page keeps outside the protocol (a row's own run, a PDF run) are stopped here.
    virtual void stopOtherRuns() {}
    // Where the page writes; shown by a click on the end-of-batch notification when no row
    // left a file to select.
    virtual QString resultFolder() const { return QString(); }
    // The drop zone or the list in the centre.
    virtual bool isDropZoneShown() const = 0;
    virtual void showList() = 0;
    virtual void showDropZone() = 0;

    OperBtnBar* operBar() const { return m_operBar; }
    // The panel button that starts the page's batch; it reads "停止" while the batch runs.
    void setStartButton(QPushButton* button);
    // The empty-list notice; true when the start may go on. While a batch runs the start
    // button is its stop: the batch is stopped and false returned.
    bool mayStart();
    // For a page whose engine speaks its own protocol rather than BatchRunner's.
    void setBusy(bool busy);
    // Takes the runner (as a child), remembers which row each slot means, and starts it.
    // failedBeforeStart: rows the page marked and left out, counted with the failures.
    void runBatch(BatchRunner* runner, int failedBeforeStart = 0);
    // Around every batch, whatever its engine: the machine stays awake while it runs; its end
    // shows the summary, and a notification when the window is not the active one.
    // target: the file (or folder) a click on the notification shows.
    void batchStarted();
    void batchEnded(int done, int failed, const QString& target);
    BatchRunner* runner() const { return m_runner; }
    // Reports addressed by slot: a running batch's slots name the rows it started with;
    // without a batch a slot is the row index.
    void reportProgress(int slot, int percent);
    void reportDone(int slot, const QString& outputPath, bool success, const JobFailure& failure);
    void reportBatchDone();
    void showNotice(const QString& text);
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    int rowOfSlot(int slot) const;
    void showStartButton();

    const QStringList* m_extensions;
    Texts m_texts;
    OperBtnBar* m_operBar = nullptr;
    bool m_built = false;
    bool m_busy = false;
    bool m_stopping = false;
    QPointer<QPushButton> m_startButton;
    QString m_startText;
    RowKey m_nextKey = 1;
    QPointer<BatchRunner> m_runner;
    QVector<RowKey> m_batchKeys;
    // Slots of the batch whose job succeeded: a stop leaves their rows as they are.
    QVector<bool> m_batchDone;
    QPointer<QObject> m_awake;
    int m_doneCount = 0;
    int m_failedCount = 0;
    QString m_lastOutput;
    DesktopNotifier* m_notifier = nullptr;
};

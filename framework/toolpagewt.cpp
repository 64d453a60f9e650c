#include "framework/toolpagewt.h"

#include "framework/fileintake.h"
#include "platform/apppaths.h"
#include "platform/batchrunner.h"
#include "platform/desktopnotifier.h"
#include "platform/logcategories.h"
#include "platform/sleepinhibitor.h"
#include "style/styledbackground.h"
#include "widgets/mydialog.h"
#include "widgets/operbtn.h"
#include "widgets/operbtnbar.h"

#include <QApplication>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

ToolPageWT::ToolPageWT(const QStringList* extensions, const Texts& texts, QWidget* parent)
    : QWidget(parent), m_extensions(extensions), m_texts(texts)
{
    setAcceptDrops(true);
}

void ToolPageWT::ensureBuilt() const
{
    if (m_built)
        return;
    // Lazily made parts are still the page's own: building them is no change a caller sees.
    auto* self = const_cast<ToolPageWT*>(this);
    self->m_built = true;
    self->build();
}

void ToolPageWT::build()
{
    m_operBar = new OperBtnBar(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_operBar);
    connect(m_operBar->addFileButton(), &QPushButton::clicked, this, &ToolPageWT::addFile);
    connect(m_operBar->addDirButton(), &QPushButton::clicked, this, &ToolPageWT::addDir);
    connect(m_operBar->clearButton(), &QPushButton::clicked, this, &ToolPageWT::clearTable);
    buildPage();
}

void ToolPageWT::setVisible(bool visible)
{
    // Built before Qt shows the children, so that they are shown with the page.
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

int ToolPageWT::addPaths(const QStringList& paths)
{
    ensureBuilt();
    int skipped = 0;
    const QStringList accepted = FileIntake::acceptedOf(paths, *m_extensions, &skipped);
    // Once per drop or folder, never file by file, and never in silence.
    if (skipped > 0)
        showNotice(FileIntake::skipNotice(skipped));
    if (accepted.isEmpty())
        return 0;
    // All at once: the list lays itself out once, not once per row.
    appendRows(accepted, m_nextKey);
    m_nextKey += static_cast<RowKey>(accepted.size());
    return accepted.size();
}

void ToolPageWT::addFolder(const QString& folder)
{
    addPaths(FileIntake::folderFiles(folder));
    if (rowCount() > 0)
        showList();
}

int ToolPageWT::takeFiles(const QStringList& paths)
{
    const int added = addPaths(paths);
    if (rowCount() > 0)
        showList();
    return added;
}

void ToolPageWT::addFile()
{
    ensureBuilt();
    auto* dialog = new QFileDialog(this, m_texts.dialogTitle, AppPaths::desktopDir());
    dialog->setNameFilter(FileIntake::nameFilter(*m_extensions));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setViewMode(QFileDialog::Detail);
    if (dialog->exec() == QDialog::Accepted) {
        if (isDropZoneShown())
            showList();
        addPaths(dialog->selectedFiles());
    }
    delete dialog;
}

void ToolPageWT::addDir()
{
    ensureBuilt();
    const QString folder = QFileDialog::getExistingDirectory(this, tr("选择目录"), AppPaths::desktopDir(),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        qCDebug(lcFramework) << "没有选择任何内容";
        return;
    }
    addFolder(folder);
}

void ToolPageWT::onDragAndDrop(QList<QUrl> urls)
{
    ensureBuilt();
    qCDebug(lcFramework) << "on drag and drop event";
    if (isDropZoneShown())
        showList();
    addPaths(FileIntake::expandDrop(urls));
}

void ToolPageWT::clearTable()
{
    ensureBuilt();
    // The outputs of a cleared list must not go on being written. The stopped batch still
    // reports, to keys that no row has any more.
    stopBatch();
    removeAllRows();
    showDropZone();
}

void ToolPageWT::stopBatch()
{
    // Checked first: an idle page is not built for it (the window's close asks every page).
    if (!isRunning())
        return;
    ensureBuilt();
    m_stopping = m_busy;
    if (m_runner)
        m_runner->stop();
    stopOtherRuns();
}

void ToolPageWT::setStartButton(QPushButton* button)
{
    m_startButton = button;
    m_startText = button->text();
    showStartButton();
}

void ToolPageWT::showStartButton()
{
    if (m_startButton)
        m_startButton->setText(m_busy ? tr("停止") : m_startText);
}

void ToolPageWT::setBusy(bool busy)
{
    m_busy = busy;
    if (!busy)
        m_stopping = false;
    showStartButton();
}

bool ToolPageWT::mayStart()
{
    ensureBuilt();
    if (m_busy) {
        stopBatch();
        return false;
    }
    if (rowCount() == 0) {
        showNotice(m_texts.emptyList);
        return false;
    }
    return true;
}

void ToolPageWT::runBatch(BatchRunner* runner, int failedBeforeStart)
{
    batchStarted();
    m_failedCount = failedBeforeStart;
    runner->setParent(this);
    m_runner = runner;
    setBusy(true);
    m_batchDone.fill(false, rowCount());
    m_batchKeys.resize(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        m_batchKeys[row] = keyOfRow(row);
    connect(runner, &BatchRunner::rowProgress, this, &ToolPageWT::reportProgress);
    connect(runner, &BatchRunner::rowDone, this, &ToolPageWT::reportDone);
    connect(runner, &BatchRunner::batchDone, this, &ToolPageWT::reportBatchDone);
    runner->start();
}

int ToolPageWT::rowOfSlot(int slot) const
{
    if (!m_busy)
        return slot >= 0 && slot < rowCount() ? slot : -1;
    return slot >= 0 && slot < m_batchKeys.size() ? rowOfKey(m_batchKeys.at(slot)) : -1;
}

void ToolPageWT::reportProgress(int slot, int percent)
{
    const int row = rowOfSlot(slot);
    if (row >= 0)
        showRowProgress(row, percent);
}

void ToolPageWT::reportDone(int slot, const QString& outputPath, bool success, const JobFailure& failure)
{
    if (m_busy && success && slot >= 0 && slot < m_batchDone.size())
        m_batchDone[slot] = true;
    // A job the user stopped neither finished nor failed.
    const bool stopped = !success && (m_stopping || failure.kind == FailureKind::Stopped);
    if (m_busy && !stopped) {
        if (success)
            ++m_doneCount;
        else
            ++m_failedCount;
        if (success && !outputPath.isEmpty())
            m_lastOutput = outputPath;
    }
    const int row = rowOfSlot(slot);
    // A job the user stopped did not fail: its row waits for the next start.
    if (row >= 0 && !success && m_stopping) {
        showRowWaiting(row);
        return;
    }
    if (!success)
        qCDebug(lcFramework) << "job failed:" << outputPath << failure.detail;
    if (row >= 0)
        showRowDone(row, outputPath, success, failure);
}

void ToolPageWT::reportBatchDone()
{
    if (m_stopping) {
        for (int slot = 0; slot < m_batchKeys.size(); ++slot) {
            const int row = m_batchDone.at(slot) ? -1 : rowOfKey(m_batchKeys.at(slot));
            if (row >= 0)
                showRowWaiting(row);
        }
    }
    setBusy(false);
    m_batchKeys.clear();
    m_batchDone.clear();
    if (m_runner)
        m_runner->deleteLater();
    m_runner = nullptr;
    batchEnded(m_doneCount, m_failedCount, m_lastOutput);
}

void ToolPageWT::batchStarted()
{
    ensureBuilt();
    m_doneCount = 0;
    m_failedCount = 0;
    m_lastOutput.clear();
    m_operBar->summaryLabel()->clear();
    if (!m_awake)
        m_awake = SleepInhibitor::instance()->hold(this);
}

void ToolPageWT::batchEnded(int done, int failed, const QString& target)
{
    delete m_awake;
    const QString summary = summaryText(done, failed);
    m_operBar->summaryLabel()->setText(summary);
    // Any window of ours active (a notice over the page too): the user is looking already.
    if (QApplication::activeWindow())
        return;
    if (!m_notifier)
        m_notifier = new DesktopNotifier(this);
    m_notifier->notify(summary, target.isEmpty() ? resultFolder() : target);
}

QString ToolPageWT::batchSummary() const
{
    return m_built ? m_operBar->summaryLabel()->text() : QString();
}

QString ToolPageWT::summaryText(int done, int failed)
{
    return tr("完成 %1 个，失败 %2 个").arg(done).arg(failed);
}

void ToolPageWT::showNotice(const QString& text)
{
    auto* dialog = new MyDialog(text, this);
    dialog->show();
}

void ToolPageWT::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && FileIntake::acceptsDrag(event->mimeData()->urls(), *m_extensions))
        event->acceptProposedAction();
}

void ToolPageWT::dropEvent(QDropEvent* event)
{
    qCDebug(lcFramework) << "drop event";
    onDragAndDrop(event->mimeData()->urls());
}

void ToolPageWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

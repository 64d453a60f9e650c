#include "framework/mediapagewt.h"

#include "framework/centershowforcenterwt.h"
#include "framework/centershowwt.h"
#include "framework/mediacenterwt.h"
#include "framework/tableitemwidget.h"
#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/framegrabber.h"
#include "media/mediabatchrunner.h"
#include "media/medialength.h"
#include "media/mymediainfo.h"
#include "platform/sleepinhibitor.h"

#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QThread>

MediaPageWT::MediaPageWT(const QStringList* extensions, const Texts& texts, QWidget* parent)
    : ToolPageWT(extensions, texts, parent), m_grabber(new FrameGrabber(this))
{
    connect(m_grabber, &FrameGrabber::frameReady, this, &MediaPageWT::onFrame);
}

void MediaPageWT::setCenter(MediaCenterWT* center)
{
    m_center = center;
    layout()->addWidget(center);
    connect(center->dropZone()->block(), &CenterShowForCenterWT::clicked, this, &ToolPageWT::addFile);
    connect(center->dropZone(), &CenterShowWT::drapAndDrop, this, &ToolPageWT::onDragAndDrop);
    connect(center->table(), &TableWidget::rowRemoved, this, &MediaPageWT::onRowRemoved);
}

TableWidget* MediaPageWT::table() const
{
    ensureBuilt();
    return m_center->table();
}

MediaCenterWT* MediaPageWT::mediaCenter() const
{
    ensureBuilt();
    return m_center;
}

TableRowWidget* MediaPageWT::rowOf(const QObject* child)
{
    for (const QObject* object = child; object; object = object->parent()) {
        if (auto* row = qobject_cast<TableRowWidget*>(const_cast<QObject*>(object)))
            return row;
    }
    return nullptr;
}

QString MediaPageWT::nextStamp()
{
    QDateTime now = QDateTime::currentDateTime();
    QString stamp = now.toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    // Two adds within one millisecond would name their rows alike, and a report would reach
    // both: each batch takes a later stamp than the one before.
    const QDateTime last = QDateTime::fromString(m_lastStamp, QStringLiteral("yyyyMMddhhmmsszzz"));
    if (last.isValid() && now <= last) {
        now = last.addMSecs(1);
        stamp = now.toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    }
    m_lastStamp = stamp;
    return stamp;
}

void MediaPageWT::appendRows(const QStringList& paths, RowKey firstKey)
{
    QString objectName = nextStamp();
    for (int i = 0; i < paths.size(); ++i) {
        TableRowWidget* row = makeRow(paths.at(i));
        objectName += QLatin1Char('_') + QString::number(i);
        row->setObjectName(objectName);
        row->setKey(firstKey + static_cast<RowKey>(i));
        table()->addRow(row);
        const MyMediaInfo* info = row->mediaInfo();
        if (showsFrames() && info->width() > 0 && info->videoDuration() <= 0)
            readLength(row);
        else if (showsFrames() && info->width() > 0)
            m_grabber->request(row->key(), row->sourcePath(), info->videoDuration());
        else if (!showsFrames() || info->audioDuration() > 0 || info->audioBitRate() > 0)
            row->showSoundIcon();
        // A file with neither picture nor sound keeps the black box.
    }
}

void MediaPageWT::readLength(const TableRowWidget* row)
{
    const RowKey key = row->key();
    const QString path = row->sourcePath();
    const QPointer<MediaPageWT> page(this);
    // The read goes through the whole file: on a thread of its own, back on the GUI thread by a
    // queued call, to a page that may have gone meanwhile.
    QThread* reader = QThread::create([page, key, path] {
        const qint64 milliseconds = MediaLength::read(path);
        QMetaObject::invokeMethod(
            qApp,
            [page, key, milliseconds] {
                if (page)
                    page->onLengthRead(key, milliseconds);
            },
            Qt::QueuedConnection);
    });
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    reader->start();
}

void MediaPageWT::onLengthRead(RowKey key, qint64 milliseconds)
{
    const int index = rowOfKey(key);
    if (index < 0)
        return;
    TableRowWidget* row = table()->row(index);
    if (milliseconds > 0) {
        row->mediaInfo()->setVideoDuration(milliseconds);
        row->itemWidget()->setDuration(row->mediaInfo()->videoDurationText());
        lengthRead(row);
    }
    m_grabber->request(key, row->sourcePath(), milliseconds);
}

void MediaPageWT::onFrame(quint64 key, const QImage& frame)
{
    const int row = rowOfKey(key);
    if (row >= 0)
        table()->row(row)->setThumbnail(frame);
}

void MediaPageWT::onRowRemoved()
{
    if (rowCount() == 0)
        showDropZone();
}

int MediaPageWT::rowCount() const
{
    return table()->rowCount();
}

void MediaPageWT::removeAllRows()
{
    m_grabber->cancelAll();
    table()->removeAllRows();
}

int MediaPageWT::rowOfKey(RowKey key) const
{
    const QList<TableRowWidget*>& rows = table()->rows();
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i)->key() == key)
            return i;
    }
    return -1;
}

ToolPageWT::RowKey MediaPageWT::keyOfRow(int row) const
{
    return table()->row(row)->key();
}

void MediaPageWT::showRowProgress(int row, int percent)
{
    table()->row(row)->SetPersent(percent);
}

void MediaPageWT::showRowDone(int row, const QString&, bool success, const JobFailure& failure)
{
    if (!success)
        table()->row(row)->setFailed(failure);
}

void MediaPageWT::showRowWaiting(int row)
{
    table()->row(row)->resetProgress();
}

bool MediaPageWT::isDropZoneShown() const
{
    return m_center->isDropZoneShown();
}

QString MediaPageWT::resultFolder() const
{
    return outputFolder();
}

void MediaPageWT::showList()
{
    m_center->showTable();
}

void MediaPageWT::showDropZone()
{
    m_center->showDropZone();
}

void MediaPageWT::setProgress(int progress, const QString& objectName)
{
    if (TableRowWidget* row = table()->rowByObjectName(objectName))
        row->SetPersent(progress);
}

void MediaPageWT::done(const QString&, const QString&) {}

MediaJobList MediaPageWT::jobRecords(const QList<TableRowWidget*>& rows) const
{
    ensureBuilt();
    MediaJobList jobs;
    for (const TableRowWidget* row : rows)
        jobs.append(jobOf(row));
    return jobs;
}

bool MediaPageWT::startAll()
{
    if (!mayStart())
        return false;
    const QList<TableRowWidget*> rows = table()->rows();
    QHash<QString, int> slotOfName;
    for (int i = 0; i < rows.size(); ++i) {
        rows.at(i)->resetProgress();
        slotOfName.insert(rows.at(i)->objectName(), i);
    }
    runBatch(new MediaBatchRunner(mediaMode(), jobRecords(rows), outputFolder(), slotOfName, this));
    return true;
}

void MediaPageWT::startRow(TableRowWidget* row)
{
    if (!row)
        return;
    const RowKey key = row->key();
    if (m_rowRuns.contains(key)) {
        stopRowRun(key);
        return;
    }
    row->resetProgress();
    auto* runner =
        new MediaBatchRunner(mediaMode(), {jobOf(row)}, outputFolder(), {{row->objectName(), 0}}, this);
    // This run is the row's own: its reports go to the row by key, the busy flag stays as it is.
    connect(runner, &BatchRunner::rowProgress, this, [this, key](int, int percent) {
        const int index = rowOfKey(key);
        if (index >= 0)
            showRowProgress(index, percent);
    });
    connect(runner, &BatchRunner::rowDone, this,
            [this, key](int, const QString& path, bool success, const JobFailure& failure) {
                const int index = rowOfKey(key);
                if (index >= 0 && !success && m_rowRuns.value(key).stopping)
                    showRowWaiting(index);
                else if (index >= 0)
                    showRowDone(index, path, success, failure);
            });
    connect(runner, &BatchRunner::batchDone, this, [this, key] { endRowRun(key); });
    m_rowRuns.insert(key, {runner, row->actionButton()->text(), false});
    row->actionButton()->setText(tr("停止"));
    // Released with the runner, which goes once the row's run is done.
    SleepInhibitor::instance()->hold(runner);
    runner->start();
}

void MediaPageWT::stopRowRun(RowKey key)
{
    auto run = m_rowRuns.find(key);
    if (run == m_rowRuns.end() || !run->runner)
        return;
    run->stopping = true;
    run->runner->stop();
}

void MediaPageWT::endRowRun(RowKey key)
{
    const RowRun run = m_rowRuns.take(key);
    if (run.runner)
        run.runner->deleteLater();
    const int index = rowOfKey(key);
    if (index >= 0)
        table()->row(index)->actionButton()->setText(run.buttonText);
}

bool MediaPageWT::isRunning() const
{
    return isBusy() || !m_rowRuns.isEmpty();
}

void MediaPageWT::stopOtherRuns()
{
    const QList<RowKey> keys = m_rowRuns.keys();
    for (RowKey key : keys)
        stopRowRun(key);
}

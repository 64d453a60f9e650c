#include "tools/picture/topdf/topdfmainwt.h"

#include "framework/centershowforcenterwt.h"
#include "framework/centershowwt.h"
#include "imaging/extensionlists.h"
#include "platform/logcategories.h"
#include "tools/picture/topdf/centerprogresswt.h"
#include "tools/picture/topdf/topdfcenterwt.h"
#include "tools/picture/topdf/topdfparamwt.h"
#include "tools/picture/topdf/topdftable.h"
#include "tools/picture/topdf/topdfthread.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QFileInfo>
#include <QLayout>

ToPDFMainWT::ToPDFMainWT(QWidget* parent)
    : ToolPageWT(&ExtensionLists::pdfInput(), {tr("打开图片"), tr("请添加要转换的文件！")}, parent)
{
}

void ToPDFMainWT::buildPage()
{
    m_centerWidget = new ToPDFCenterWT(this);
    setStyleSheet(QStringLiteral("ToPDFMainWT{background-color:white;}"));
    layout()->addWidget(m_centerWidget);
    connect(m_centerWidget->dropZone()->block(), &CenterShowForCenterWT::clicked, this, &ToolPageWT::addFile);
    connect(m_centerWidget->dropZone(), &CenterShowWT::drapAndDrop, this, &ToolPageWT::onDragAndDrop);
    connect(table(), &ToPDFTable::deleteClicked, this, &ToPDFMainWT::deleteRowOf);
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &ToPDFMainWT::toPDF);
    setStartButton(m_centerWidget->param()->submitButton());
}

ToPDFMainWT::~ToPDFMainWT()
{
    // The run paints for this page alone: stop it, it removes its half-written PDF.
    if (m_thread) {
        m_thread->requestInterruption();
        m_thread->wait();
    }
}

ToPDFTable* ToPDFMainWT::table() const
{
    ensureBuilt();
    return m_centerWidget->table();
}

int ToPDFMainWT::rowCount() const
{
    return table()->rowCount();
}

void ToPDFMainWT::appendRows(const QStringList& paths, RowKey firstKey)
{
    table()->addPictureRows(paths, firstKey);
}

void ToPDFMainWT::removeAllRows()
{
    table()->setRowCount(0);
}

int ToPDFMainWT::rowOfKey(RowKey key) const
{
    return table()->rowOfKey(key);
}

ToolPageWT::RowKey ToPDFMainWT::keyOfRow(int row) const
{
    return table()->keyOf(row);
}

bool ToPDFMainWT::isDropZoneShown() const
{
    return m_centerWidget->isDropZoneShown();
}

void ToPDFMainWT::showList()
{
    m_centerWidget->showTable();
}

void ToPDFMainWT::showDropZone()
{
    m_centerWidget->showDropZone();
}

void ToPDFMainWT::deleteItem()
{
    deleteRowOf(qobject_cast<QWidget*>(sender()));
}

void ToPDFMainWT::deleteRowOf(const QWidget* button)
{
    if (isBusy()) {
        showNotice(tr("请等待程序执行完成！"));
        return;
    }
    const int row = table()->rowOf(button);
    if (row < 0)
        return;
    table()->removePictureRow(row);
    if (table()->rowCount() == 0)
        showDropZone();
}

QString ToPDFMainWT::resultFolder() const
{
    return m_centerWidget->param()->options().outputFolder;
}

QStringList ToPDFMainWT::existingPictures()
{
    QStringList pictures;
    for (int row = 0; row < table()->rowCount(); ++row) {
        const QString path = table()->picturePath(row);
        if (QFileInfo::exists(path)) {
            pictures << path;
        } else {
            qCDebug(lcTools) << "原文件不存在！" << path;
            m_skipped << path;
        }
    }
    return pictures;
}

void ToPDFMainWT::toPDF()
{
    ensureBuilt();
    if (!mayStart())
        return;
    m_skipped.clear();
    m_failure = JobFailure();
    const QStringList pictures = existingPictures();
    if (pictures.isEmpty()) {
        // Nothing to paint: no step to divide the progress by, no first picture to name the PDF.
        showNotice(tr("列表中的图片都已不存在！"));
        return;
    }
    setBusy(true);
    batchStarted();
    m_pictureCount = table()->rowCount();
    table()->showProgress();
    auto* thread = new ToPDFThread(m_centerWidget->param()->options(), pictures);
    connect(thread, &ToPDFThread::notifyParentProgress, this, &ToPDFMainWT::setProgress);
    connect(thread, &ToPDFThread::notifyParentUnreadable, this,
            [this](const QStringList& unreadable) { m_skipped += unreadable; });
    connect(thread, &ToPDFThread::notifyParentFailure, this,
            [this](const JobFailure& failure) { m_failure = failure; });
    connect(thread, &ToPDFThread::notifyParentDone, this, &ToPDFMainWT::done);
    connect(thread, &QThread::finished, this, &ToPDFMainWT::onThreadFinished);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_thread = thread;
    thread->start();
}

void ToPDFMainWT::stopOtherRuns()
{
    if (m_thread)
        m_thread->requestInterruption();
}

void ToPDFMainWT::onThreadFinished()
{
    // A finished run reported before its thread ended; a stopped one reports nothing. An old
    // run's end must not end a newer one.
    if (!isBusy() || sender() != m_thread.data())
        return;
    setBusy(false);
    table()->progressWT()->hide();
    batchEnded(0, 0, QString());
}

void ToPDFMainWT::setProgress(int progress)
{
    CenterProgressWT* overlay = table()->progressWT();
    if (progress == overlay->value())
        return;
    qCDebug(lcTools) << "row process is:" << progress;
    overlay->setValue(progress);
}

void ToPDFMainWT::done(QString distFilePath, bool isSuccess)
{
    setBusy(false);
    if (!isSuccess)
        qCDebug(lcTools) << "PDF not written:" << distFilePath << m_failure.detail;
    // Named in the list's order, whether gone before the start or unreadable during the run.
    QStringList skipped;
    for (int row = 0; row < table()->rowCount(); ++row) {
        const QString path = table()->picturePath(row);
        if (m_skipped.contains(path) && !skipped.contains(path))
            skipped << path;
    }
    table()->progressWT()->finish(distFilePath, isSuccess, skipped, m_failure);
    // Counted by picture, as the rows are; a vanished or unreadable picture failed.
    const int painted = isSuccess ? qMax(0, m_pictureCount - int(skipped.size())) : 0;
    batchEnded(painted, m_pictureCount - painted, isSuccess ? distFilePath : QString());
}

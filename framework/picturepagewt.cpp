#include "framework/picturepagewt.h"

#include "framework/centershowforcenterwt.h"
#include "framework/centershowwt.h"
#include "framework/mytable.h"
#include "framework/picturecenterwt.h"
#include "framework/pictureparamwt.h"
#include "imaging/imgbatchrunner.h"
#include "platform/filerevealer.h"
#include "platform/logcategories.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QFileInfo>
#include <QLayout>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <functional>

PicturePageWT::PicturePageWT(const QStringList* extensions, const Texts& texts, OpenDirForm openForm,
                             QWidget* parent)
    : ToolPageWT(extensions, texts, parent), m_openForm(openForm)
{
}

void PicturePageWT::setCenter(PictureCenterWT* center, PictureParamWT* panel)
{
    m_center = center;
    m_panel = panel;
    layout()->addWidget(center);
    setStartButton(panel->submitButton());
    connect(center->dropZone()->block(), &CenterShowForCenterWT::clicked, this, &ToolPageWT::addFile);
    connect(center->dropZone(), &CenterShowWT::drapAndDrop, this, &ToolPageWT::onDragAndDrop);
    connect(center->table(), &MyTable::deleteClicked, this, &PicturePageWT::deleteRowOf);
    connect(center->table(), &MyTable::openDirClicked, this, &PicturePageWT::openDirOf);
    // The table takes no focus, so the key belongs to the page.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, this);
    deleteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(deleteKey, &QShortcut::activated, this, &PicturePageWT::deleteSelectedRows);
}

MyTable* PicturePageWT::table() const
{
    ensureBuilt();
    return m_center->table();
}

PictureCenterWT* PicturePageWT::center() const
{
    ensureBuilt();
    return m_center;
}

int PicturePageWT::rowCount() const
{
    return table()->rowCount();
}

void PicturePageWT::appendRows(const QStringList& paths, RowKey firstKey)
{
    table()->addFileRows(paths, firstKey);
}

void PicturePageWT::removeAllRows()
{
    table()->removeAllRows();
}

int PicturePageWT::rowOfKey(RowKey key) const
{
    return table()->rowOfKey(key);
}

ToolPageWT::RowKey PicturePageWT::keyOfRow(int row) const
{
    return table()->keyOf(row);
}

void PicturePageWT::showRowProgress(int row, int percent)
{
    table()->setRowProgress(row, percent);
}

void PicturePageWT::showRowDone(int row, const QString& outputPath, bool success, const JobFailure& failure)
{
    table()->completeRow(row, outputPath, success, failure);
}

void PicturePageWT::showRowWaiting(int row)
{
    table()->resetRow(row);
}

bool PicturePageWT::isDropZoneShown() const
{
    return m_center->isDropZoneShown();
}

QString PicturePageWT::resultFolder() const
{
    return m_panel->outputFolder();
}

void PicturePageWT::showList()
{
    m_center->showTable();
}

void PicturePageWT::showDropZone()
{
    m_center->showDropZone();
}

void PicturePageWT::setProgress(int progress, int rowIndex)
{
    reportProgress(rowIndex, progress);
}

void PicturePageWT::done(const QString& exportFilePath, int rowIndex, bool isSuccess)
{
    if (rowIndex == -1)
        reportBatchDone();
    else
        reportDone(rowIndex, exportFilePath, isSuccess,
                   isSuccess ? JobFailure() : JobFailure(FailureKind::ToolFailed));
}

void PicturePageWT::deleteItem()
{
    deleteRowOf(qobject_cast<QWidget*>(sender()));
}

void PicturePageWT::openItemDir()
{
    openDirOf(qobject_cast<QWidget*>(sender()));
}

void PicturePageWT::deleteSelectedRows()
{
    QList<int> rows;
    for (const QModelIndex& index : table()->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return;
    if (isBusy()) {
        showNotice(tr("请等待程序执行完成！"));
        return;
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : qAsConst(rows))
        table()->removeFileRow(row);
    if (table()->rowCount() == 0)
        m_center->showDropZone();
}

void PicturePageWT::deleteRowOf(const QWidget* button)
{
    if (isBusy()) {
        showNotice(tr("请等待程序执行完成！"));
        return;
    }
    const int row = table()->rowOf(button);
    if (row < 0)
        return;
    table()->removeFileRow(row);
    if (table()->rowCount() == 0)
        m_center->showDropZone();
}

void PicturePageWT::openDirOf(const QWidget* button)
{
    if (m_openForm == OpenDirForm::OutputFolder) {
        const QString folder = m_panel->outputFolder();
        qCDebug(lcFramework) << "filePath is:" << folder;
        if (!folder.isEmpty())
            FileRevealer::openFolder(folder);
        return;
    }
    const int row = table()->rowOf(button);
    const QString exported = row < 0 ? QString() : table()->exportPath(row);
    if (exported.isEmpty())
        return;
    if (m_openForm == OpenDirForm::ContainingFolder)
        FileRevealer::openFolder(QFileInfo(exported).absolutePath());
    else
        FileRevealer::showInFolder(exported);
}

QList<ImgJobRecord> PicturePageWT::collectRecords()
{
    QList<ImgJobRecord> records;
    for (int row = 0; row < table()->rowCount(); ++row) {
        const QString path = table()->sourcePath(row);
        if (!QFileInfo::exists(path)) {
            table()->markRow(row, tr("原文件不存在！"));
            continue;
        }
        records.append(ImgJobRecords::make(row, path));
    }
    return records;
}

bool PicturePageWT::startBatch(const ImgJobParams& params)
{
    if (!mayStart())
        return false;
    ImgJobParams withFolder = params;
    withFolder.outputDir = m_panel->outputFolder();
    const QList<ImgJobRecord> records = collectRecords();
    runBatch(new ImgBatchRunner(withFolder, records, this), table()->rowCount() - records.size());
    return true;
}

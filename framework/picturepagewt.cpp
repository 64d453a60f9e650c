#include "framework/picturepagewt.h"

#include "framework/centershowforcenterwt.h"
#include "framework/centershowwt.h"
#include "framework/fileintake.h"
#include "framework/mytable.h"
#include "framework/picturecenterwt.h"
#include "framework/pictureparamwt.h"
#include "imaging/imgthread.h"
#include "platform/apppaths.h"
#include "platform/filerevealer.h"
#include "style/styledbackground.h"
#include "widgets/mydialog.h"
#include "widgets/operbtn.h"
#include "widgets/operbtnbar.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

PicturePageWT::PicturePageWT(const QStringList* extensions, const Texts& texts, OpenDirForm openForm,
                             QWidget* parent)
    : QWidget(parent), m_extensions(extensions), m_texts(texts), m_openForm(openForm),
      m_operBar(new OperBtnBar(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_operBar);
    setAcceptDrops(true);
    connect(m_operBar->addFileButton(), SIGNAL(clicked(bool)), this, SLOT(addFile()));
    connect(m_operBar->addDirButton(), SIGNAL(clicked(bool)), this, SLOT(addDir()));
    connect(m_operBar->clearButton(), SIGNAL(clicked(bool)), this, SLOT(clearTable()));
}

void PicturePageWT::setCenter(PictureCenterWT* center, PictureParamWT* panel, const char* startSlot)
{
    m_center = center;
    m_panel = panel;
    layout()->addWidget(center);
    connect(panel->submitButton(), SIGNAL(clicked(bool)), this, startSlot);
    connect(center->dropZone()->block(), SIGNAL(clicked()), this, SLOT(addFile()));
    connect(center->dropZone(), SIGNAL(drapAndDrop(QList<QUrl>)), this, SLOT(onDragAndDrop(QList<QUrl>)));
}

MyTable* PicturePageWT::table() const
{
    return m_center->table();
}

int PicturePageWT::addPaths(const QStringList& paths)
{
    int added = 0;
    for (const QString& path : paths) {
        if (FileIntake::accepts(path, *m_extensions)) {
            table()->addFileRow(path, this);
            ++added;
        }
    }
    return added;
}

void PicturePageWT::addFolder(const QString& folder)
{
    addPaths(FileIntake::folderFiles(folder));
    if (table()->rowCount() > 0)
        m_center->showTable();
}

void PicturePageWT::addFile()
{
    auto* dialog = new QFileDialog(this, m_texts.dialogTitle, AppPaths::desktopDir());
    dialog->setNameFilter(FileIntake::nameFilter(*m_extensions));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setViewMode(QFileDialog::Detail);
    if (dialog->exec() == QDialog::Accepted) {
        if (m_center->isDropZoneShown())
            m_center->showTable();
        addPaths(dialog->selectedFiles());
    }
    delete dialog;
}

void PicturePageWT::addDir()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("选择目录"), AppPaths::desktopDir(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        qDebug() << "没有选择任何内容";
        return;
    }
    addFolder(folder);
}

void PicturePageWT::onDragAndDrop(QList<QUrl> urls)
{
    qDebug() << "on drag and drop event";
    if (m_center->isDropZoneShown())
        m_center->showTable();
    addPaths(FileIntake::expandDrop(urls));
}

void PicturePageWT::deleteItem()
{
    if (m_busy) {
        showNotice(QStringLiteral("请等待程序执行完成！"));
        return;
    }
    const int row = table()->rowOf(qobject_cast<QWidget*>(sender()));
    if (row < 0)
        return;
    table()->removeRow(row);
    if (table()->rowCount() == 0)
        m_center->showDropZone();
    else
        table()->renumber();
}

void PicturePageWT::clearTable()
{
    if (m_busy)
        m_rowsDetached = true;
    table()->setRowCount(0);
    table()->clearContents();
    m_center->showDropZone();
}

void PicturePageWT::openItemDir()
{
    if (m_openForm == OpenDirForm::OutputFolder) {
        const QString folder = m_panel->outputFolder();
        qDebug() << "filePath is:" << folder;
        if (!folder.isEmpty())
            FileRevealer::openFolder(folder);
        return;
    }
    const int row = table()->rowOf(qobject_cast<QWidget*>(sender()));
    const QString exported = row < 0 ? QString() : table()->exportPath(row);
    if (exported.isEmpty())
        return;
    if (m_openForm == OpenDirForm::ContainingFolder)
        FileRevealer::openFolder(QFileInfo(exported).absolutePath());
    else
        FileRevealer::showInFolder(exported);
}

bool PicturePageWT::reportsBelongToTable() const
{
    return !m_rowsDetached;
}

void PicturePageWT::setProgress(int progress, int rowIndex)
{
    if (reportsBelongToTable() && rowIndex >= 0 && rowIndex < table()->rowCount())
        table()->setRowProgress(rowIndex, progress);
}

void PicturePageWT::done(const QString& exportFilePath, int rowIndex, bool isSuccess)
{
    if (rowIndex == -1) {
        m_busy = false;
        m_rowsDetached = false;
        return;
    }
    if (reportsBelongToTable())
        table()->completeRow(rowIndex, exportFilePath, isSuccess);
}

QList<ImgJobRecord> PicturePageWT::collectRecords()
{
    QList<ImgJobRecord> records;
    for (int row = 0; row < table()->rowCount(); ++row) {
        const QString path = table()->sourcePath(row);
        if (!QFileInfo::exists(path)) {
            table()->markRow(row, QStringLiteral("原文件不存在！"));
            continue;
        }
        records.append(ImgJobRecords::make(row, path));
    }
    return records;
}

ImgThread* PicturePageWT::startBatch(const ImgJobParams& params)
{
    if (table()->rowCount() == 0) {
        showNotice(m_texts.emptyList);
        return nullptr;
    }
    if (m_busy) {
        showNotice(QStringLiteral("请等待程序执行完成！"));
        return nullptr;
    }
    auto* batch = new QList<ImgJobRecord>(collectRecords());
    m_busy = true;
    m_rowsDetached = false;
    ImgJobParams withFolder = params;
    withFolder.outputDir = m_panel->outputFolder();
    auto* runner = new ImgThread(withFolder, batch, this);
    connect(runner, SIGNAL(notifyParentProgress(int, int)), this, SLOT(setProgress(int, int)));
    connect(runner, SIGNAL(notifyParentDone(const QString&, int, bool)), this,
            SLOT(done(const QString&, int, bool)));
    connect(runner, &QThread::finished, runner, &QObject::deleteLater);
    runner->start(QThread::InheritPriority);
    return runner;
}

void PicturePageWT::showNotice(const QString& text)
{
    auto* dialog = new MyDialog(text, this);
    dialog->show();
}

void PicturePageWT::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && FileIntake::acceptsDrag(event->mimeData()->urls(), *m_extensions))
        event->acceptProposedAction();
}

void PicturePageWT::dropEvent(QDropEvent* event)
{
    qDebug() << "drop event";
    onDragAndDrop(event->mimeData()->urls());
}

void PicturePageWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

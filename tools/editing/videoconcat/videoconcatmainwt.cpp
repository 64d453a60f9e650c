#include "tools/editing/videoconcat/videoconcatmainwt.h"

#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "tools/editing/videoconcat/videoconcatcenterwt.h"
#include "tools/editing/videoconcat/videoconcatdistitem.h"
#include "tools/editing/videoconcat/videoconcatparamwt.h"
#include "tools/editing/videorows.h"
#include "widgets/submitbtn.h"

#include <QLabel>
#include <QPushButton>

VideoConcatMainWT::VideoConcatMainWT(QWidget* parent)
    : MediaPageWT(&MediaExtensionLists::videoConcat(), {tr("选择视频"), tr("请添加要压缩的文件！")}, parent)
{
}

void VideoConcatMainWT::buildPage()
{
    m_centerWidget = new VideoConcatCenterWT(this);
    setStyleSheet(QStringLiteral("VideoConcatMainWT{background-color:white;}"));
    setCenter(m_centerWidget);
    setStartButton(m_centerWidget->param()->submitButton());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &VideoConcatMainWT::concat);
    connect(table(), &TableWidget::rowRemoved, this, &VideoConcatMainWT::updateMoveButtons);
    connect(table(), &TableWidget::rowsMoved, this, &VideoConcatMainWT::updateMoveButtons);
}

TableRowWidget* VideoConcatMainWT::makeRow(const QString& path)
{
    auto* item = new VideoConcatDistItem(nullptr);
    TableRowWidget* row = VideoRows::makePlainRow(item, path, true);
    connect(item->upButton(), &QPushButton::clicked, this, &VideoConcatMainWT::moveRowUp);
    connect(item->downButton(), &QPushButton::clicked, this, &VideoConcatMainWT::moveRowDown);
    return row;
}

void VideoConcatMainWT::appendRows(const QStringList& paths, RowKey firstKey)
{
    MediaPageWT::appendRows(paths, firstKey);
    updateMoveButtons();
}

void VideoConcatMainWT::addFile1()
{
    addFile();
}

void VideoConcatMainWT::concat()
{
    // A new run's bar starts empty; a refused start leaves the running one alone.
    if (rowCount() > 0 && !isBusy()) {
        table()->SetPersent(0);
        for (TableRowWidget* row : table()->rows())
            row->percentLabel()->hide();
    }
    startAll();
}

void VideoConcatMainWT::moveRowUp()
{
    moveBy(sender(), -1);
}

void VideoConcatMainWT::moveRowDown()
{
    moveBy(sender(), 1);
}

void VideoConcatMainWT::moveBy(QObject* button, int step)
{
    const int index = table()->indexOf(rowOf(button));
    if (index >= 0)
        table()->moveRow(index, index + step);
}

void VideoConcatMainWT::updateMoveButtons()
{
    const QList<TableRowWidget*>& rows = table()->rows();
    for (int i = 0; i < rows.size(); ++i) {
        if (auto* item = qobject_cast<VideoConcatDistItem*>(rows.at(i)->targetWidget())) {
            item->upButton()->setEnabled(i > 0);
            item->downButton()->setEnabled(i + 1 < rows.size());
        }
    }
}

MediaJob VideoConcatMainWT::jobOf(const TableRowWidget* row) const
{
    const FmtPreset& target = m_centerWidget->param()->target();
    const MyMediaInfo* info = row->mediaInfo();
    MediaJob job;
    job.operation = Concatenation;
    job.oriFilePath = row->sourcePath();
    job.objectName = row->objectName();
    job.format = static_cast<CombEnum::Format>(target.format);
    job.resolution = target.resolution;
    job.timeLen = info->videoDuration();
    job.oriVideoCodec = info->videoCodec();
    job.film = QSize(info->width(), info->height());
    return job;
}

int VideoConcatMainWT::mediaMode() const
{
    return Concatenation;
}

QString VideoConcatMainWT::outputFolder() const
{
    return m_centerWidget->param()->outputFolder();
}

void VideoConcatMainWT::showRowProgress(int, int percent)
{
    table()->SetPersent(percent);
}

void VideoConcatMainWT::showRowWaiting(int row)
{
    // The list's one bar is the join's progress.
    table()->SetPersent(0);
    MediaPageWT::showRowWaiting(row);
}

void VideoConcatMainWT::showRowDone(int row, const QString&, bool success, const JobFailure& failure)
{
    // One file for the whole list: a failed join must not leave the list looking finished.
    if (success)
        return;
    table()->SetPersent(0);
    if (row >= 0 && row < rowCount()) {
        TableRowWidget* failed = table()->row(row);
        failed->setFailed(failure);
        failed->percentLabel()->show();
    }
}

#include "tools/editing/videoslicing/videoslicingmainwt.h"

#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "tools/editing/videocutwt.h"
#include "tools/editing/videorows.h"
#include "tools/editing/videoslicing/videoslicingcenterwt.h"
#include "tools/editing/videoslicing/videoslicingparamwt.h"
#include "tools/editing/videoslicing/vstabledistitemwt.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QPushButton>

VideoSlicingMainWT::VideoSlicingMainWT(QWidget* parent)
    : MediaPageWT(&MediaExtensionLists::videoEditing(), {tr("选择视频"), tr("请添加要压缩的文件！")}, parent)
{
}

void VideoSlicingMainWT::buildPage()
{
    m_centerWidget = new VideoSlicingCenterWT(this);
    setStyleSheet(QStringLiteral("VideoSlicingMainWT{background-color:white;}"));
    setCenter(m_centerWidget);
    setStartButton(m_centerWidget->param()->submitButton());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &VideoSlicingMainWT::slice);
}

VSTableDistItemWT* VideoSlicingMainWT::itemOf(const TableRowWidget* row)
{
    return row ? qobject_cast<VSTableDistItemWT*>(row->targetWidget()) : nullptr;
}

TableRowWidget* VideoSlicingMainWT::makeRow(const QString& path)
{
    TableRowWidget* row = VideoRows::makeSegmentRow(path);
    connect(row->actionButton(), &QPushButton::clicked, this, &VideoSlicingMainWT::openVideoEidt);
    return row;
}

void VideoSlicingMainWT::addFile1()
{
    addFile();
}

void VideoSlicingMainWT::slice()
{
    startAll();
}

void VideoSlicingMainWT::openVideoEidt()
{
    TableRowWidget* row = rowOf(sender());
    if (!row)
        return;
    const MyMediaInfo* info = row->mediaInfo();
    qCDebug(lcTools) << "timeLen is:" << info->videoDuration();
    auto* dialog =
        new VideoCutWT(row->sourcePath(), int(info->videoDuration()), info->width(), info->height(), row);
    dialog->playOrPause();
    dialog->show();
    connect(dialog, &VideoCutWT::sendSliceData, this, &VideoSlicingMainWT::onSendSliceData);
}

void VideoSlicingMainWT::onSendSliceData(qint64 beginTime, qint64 endTime, int cutX, int cutY, int cutWidth,
                                         int cutHeight, QString& rowObjName)
{
    VSTableDistItemWT* item = itemOf(table()->rowByObjectName(rowObjName));
    if (!item)
        return;
    item->setBeginTime(beginTime);
    item->setEndTime(endTime);
    item->setCutX(cutX);
    item->setCutY(cutY);
    item->setCutWidth(cutWidth);
    item->setCutHeight(cutHeight);
}

MediaJob VideoSlicingMainWT::segmentJob(const TableRowWidget* row, const VSTableDistItemWT* item)
{
    MediaJob job;
    job.oriFilePath = row->sourcePath();
    job.objectName = row->objectName();
    job.beginTime = item->beginTime();
    job.timeLen = item->endTime() - item->beginTime();
    job.wholeClip = item->beginTime() <= 0 && item->endTime() >= row->mediaInfo()->videoDuration();
    return job;
}

MediaJob VideoSlicingMainWT::jobOf(const TableRowWidget* row) const
{
    const VSTableDistItemWT* item = itemOf(row);
    const MyMediaInfo* info = row->mediaInfo();
    const FmtPreset& target = m_centerWidget->param()->target();
    MediaJob job = segmentJob(row, item);
    job.operation = Slicing;
    job.format = static_cast<CombEnum::Format>(target.format);
    job.resolution = target.resolution;
    job.oriVideoCodec = info->videoCodec();
    // The whole picture is no crop at all.
    const QRect crop(item->cutX(), item->cutY(), item->cutWidth(), item->cutHeight());
    if (crop.size() != QSize(info->width(), info->height()))
        job.cut = crop;
    return job;
}

int VideoSlicingMainWT::mediaMode() const
{
    return Slicing;
}

QString VideoSlicingMainWT::outputFolder() const
{
    return m_centerWidget->param()->outputFolder();
}

void VideoSlicingMainWT::lengthRead(TableRowWidget* row)
{
    // An unedited row is the whole clip, now that its length is known.
    if (VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(row); item && item->endTime() <= 0)
        item->setEndTime(row->mediaInfo()->videoDuration());
}

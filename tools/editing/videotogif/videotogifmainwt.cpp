#include "tools/editing/videotogif/videotogifmainwt.h"

#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "tools/editing/videorows.h"
#include "tools/editing/videoslicing/videoslicingmainwt.h"
#include "tools/editing/videoslicing/vstabledistitemwt.h"
#include "tools/editing/videotogif/videotogifcenterwt.h"
#include "tools/editing/videotogif/videotogifparamwt.h"
#include "tools/editing/videotogifcut.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QPushButton>

VideoToGifMainWT::VideoToGifMainWT(QWidget* parent)
    : MediaPageWT(&MediaExtensionLists::videoEditing(), {tr("选择视频"), tr("请添加要压缩的文件！")}, parent)
{
}

void VideoToGifMainWT::buildPage()
{
    m_centerWidget = new VideoToGifCenterWT(this);
    setStyleSheet(QStringLiteral("VideoToGifMainWT{background-color:white;}"));
    setCenter(m_centerWidget);
    setStartButton(m_centerWidget->param()->submitButton());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &VideoToGifMainWT::toGif);
}

TableRowWidget* VideoToGifMainWT::makeRow(const QString& path)
{
    TableRowWidget* row = VideoRows::makeSegmentRow(path);
    connect(row->actionButton(), &QPushButton::clicked, this, &VideoToGifMainWT::openVideoEidt);
    return row;
}

void VideoToGifMainWT::addFile1()
{
    addFile();
}

void VideoToGifMainWT::toGif()
{
    startAll();
}

void VideoToGifMainWT::openVideoEidt()
{
    TableRowWidget* row = rowOf(sender());
    if (!row)
        return;
    const MyMediaInfo* info = row->mediaInfo();
    qCDebug(lcTools) << "timeLen is:" << info->videoDuration();
    auto* dialog =
        new VideoToGifCut(row->sourcePath(), int(info->videoDuration()), info->width(), info->height(), row);
    dialog->playOrPause();
    dialog->show();
    connect(dialog, &VideoToGifCut::sendData, this, &VideoToGifMainWT::onSendData);
}

void VideoToGifMainWT::onSendData(qint64 beginTime, qint64 endTime, int scaleWidth, int scaleHeight,
                                  QString& rowObjName)
{
    VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(table()->rowByObjectName(rowObjName));
    if (!item)
        return;
    item->setCutWidth(scaleWidth);
    item->setCutHeight(scaleHeight);
    item->setBeginTime(beginTime);
    item->setEndTime(endTime);
}

MediaJob VideoToGifMainWT::jobOf(const TableRowWidget* row) const
{
    const VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(row);
    const MyMediaInfo* info = row->mediaInfo();
    MediaJob job = VideoSlicingMainWT::segmentJob(row, item);
    job.operation = VideoToGif;
    if (item->cutWidth() != info->width())
        job.scale = QSize(item->cutWidth(), item->cutHeight());
    job.film = QSize(info->width(), info->height());
    return job;
}

int VideoToGifMainWT::mediaMode() const
{
    return VideoToGif;
}

QString VideoToGifMainWT::outputFolder() const
{
    return m_centerWidget->param()->outputFolder();
}

void VideoToGifMainWT::lengthRead(TableRowWidget* row)
{
    // An unedited row is the whole clip, now that its length is known.
    if (VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(row); item && item->endTime() <= 0)
        item->setEndTime(row->mediaInfo()->videoDuration());
}

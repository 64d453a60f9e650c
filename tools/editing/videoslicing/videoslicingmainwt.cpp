#include "tools/editing/videoslicing/videoslicingmainwt.h"

#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "tools/editing/videocutwt.h"
#include "tools/editing/videorows.h"
#include "tools/editing/videoslicing/videoslicingcenterwt.h"
#include "tools/editing/videoslicing/videoslicingparamwt.h"
#include "tools/editing/videoslicing/vstabledistitemwt.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QPushButton>

namespace Keys = MediaJobKeys;

VideoSlicingMainWT::VideoSlicingMainWT(QWidget* parent)
    : MediaPageWT(&MediaExtensionLists::videoEditing(), {tr("选择视频"), tr("请添加要压缩的文件！")}, parent),
      m_centerWidget(new VideoSlicingCenterWT(this))
{
    setStyleSheet(QStringLiteral("VideoSlicingMainWT{background-color:white;}"));
    setCenter(m_centerWidget);
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
    qDebug() << "timeLen is:" << info->videoDuration();
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

MediaJob VideoSlicingMainWT::jobOf(const TableRowWidget* row) const
{
    const VSTableDistItemWT* item = itemOf(row);
    const MyMediaInfo* info = row->mediaInfo();
    const FmtPreset& target = m_centerWidget->param()->target();
    // The whole picture is no crop at all.
    const bool whole = item->cutWidth() == info->width() && item->cutHeight() == info->height();
    const auto crop = [whole](int value) { return whole ? QStringLiteral("-1") : QString::number(value); };
    return {{Keys::kOriFilePath, row->sourcePath()},
            {Keys::kObjectName, row->objectName()},
            {Keys::kFormat, QString::number(target.format)},
            {Keys::kResolution, QString::number(target.resolution)},
            {Keys::kBeginTime, QString::number(item->beginTime())},
            {Keys::kTimeLen, QString::number(item->endTime() - item->beginTime())},
            {Keys::kOriVideoCodec, QString::number(info->videoCodec())},
            {Keys::kCutX, crop(item->cutX())},
            {Keys::kCutY, crop(item->cutY())},
            {Keys::kCutWidth, crop(item->cutWidth())},
            {Keys::kCutHeight, crop(item->cutHeight())}};
}

int VideoSlicingMainWT::mediaMode() const
{
    return Slicing;
}

QString VideoSlicingMainWT::outputFolder() const
{
    return m_centerWidget->param()->outputFolder();
}

#include "tools/media/videofmt/videofmtmainwt.h"

#include "framework/tablerowwidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "tools/media/videofmt/videofmtcenterwt.h"
#include "tools/media/videofmt/videofmtparamwt.h"
#include "tools/media/videofmt/videofmttabledistitemwt.h"

#include <QDebug>

namespace Keys = MediaJobKeys;

VideoFmtMainWT::VideoFmtMainWT(QWidget* parent)
    : FmtConvertPageWT(&MediaExtensionLists::videoFormat(), parent)
{
}

void VideoFmtMainWT::buildPage()
{
    m_centerWidget = new VideoFmtCenterWT(this);
    setStyleSheet(QStringLiteral("VideoFmtMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
}

TableRowWidget* VideoFmtMainWT::makeRow(const QString& path)
{
    TableRowWidget* row = makeFmtRow(new VideoFmtTableDistItemWT(nullptr), path);
    const MyMediaInfo* info = row->mediaInfo();
    row->setFacts(info->fileName(), info->suffix(),
                  QString::number(info->width()) + QLatin1Char('x') + QString::number(info->height()),
                  info->videoDurationText(), info->fileSizeG());
    qDebug() << "video bit rate:" << info->videoBitRate() << ",total bit rate:" << info->totalBitRate();
    return row;
}

MediaJob VideoFmtMainWT::jobOf(const TableRowWidget* row) const
{
    const FmtPreset& target = static_cast<const VideoFmtTableDistItemWT*>(row->targetWidget())->target();
    const MyMediaInfo* info = row->mediaInfo();
    return {{Keys::kOriFilePath, row->sourcePath()},
            {Keys::kObjectName, row->objectName()},
            {Keys::kFormat, QString::number(target.format)},
            {Keys::kResolution, QString::number(target.resolution)},
            {Keys::kTimeLen, QString::number(info->videoDuration())},
            {Keys::kOriVideoCodec, QString::number(info->videoCodec())},
            {Keys::kMediaLocalType, QString::number(target.mediaLocalType)},
            {Keys::kAudioQuality, QString::number(target.audioQuality)}};
}

int VideoFmtMainWT::mediaMode() const
{
    return FormatConversion;
}

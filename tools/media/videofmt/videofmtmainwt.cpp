#include "tools/media/videofmt/videofmtmainwt.h"

#include "framework/tablerowwidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "tools/media/videofmt/videofmtcenterwt.h"
#include "tools/media/videofmt/videofmtparamwt.h"
#include "tools/media/videofmt/videofmttabledistitemwt.h"

#include <QDebug>

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
                  info->videoDurationText(), info->fileSizeText());
    qCDebug(lcTools) << "video bit rate:" << info->videoBitRate()
                     << ",total bit rate:" << info->totalBitRate();
    return row;
}

MediaJob VideoFmtMainWT::jobOf(const TableRowWidget* row) const
{
    const FmtPreset& target = static_cast<const VideoFmtTableDistItemWT*>(row->targetWidget())->target();
    const MyMediaInfo* info = row->mediaInfo();
    MediaJob job;
    job.operation = FormatConversion;
    job.oriFilePath = row->sourcePath();
    job.objectName = row->objectName();
    job.format = static_cast<CombEnum::Format>(target.format);
    job.resolution = target.resolution;
    job.timeLen = info->videoDuration();
    job.oriVideoCodec = info->videoCodec();
    job.mediaLocalType = target.mediaLocalType;
    job.audioQuality = target.audioQuality;
    return job;
}

int VideoFmtMainWT::mediaMode() const
{
    return FormatConversion;
}

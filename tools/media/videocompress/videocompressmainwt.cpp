#include "tools/media/videocompress/videocompressmainwt.h"

#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediaextensionlists.h"
#include "media/mediarecipes.h"
#include "media/mymediainfo.h"
#include "style/widgetsize.h"
#include "tools/media/videocompress/videocompresscenterwt.h"
#include "tools/media/videocompress/videocompressparamwt.h"
#include "tools/media/videocompress/videocompresstabledistitemwt.h"
#include "widgets/mycombobox.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QPushButton>

using DistItem = VideoCompressTableDistItemWT;

VideoCompressMainWT::VideoCompressMainWT(QWidget* parent)
    : MediaPageWT(&MediaExtensionLists::videoCompression(), {tr("选择视频"), tr("请添加要压缩的文件！")},
                  parent)
{
}

void VideoCompressMainWT::buildPage()
{
    m_centerWidget = new VideoCompressCenterWT(this);
    setStyleSheet(QStringLiteral("VideoCompressMainWT{background-color:white;}"));
    setCenter(m_centerWidget);
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this,
            &VideoCompressMainWT::compress);
}

TableRowWidget* VideoCompressMainWT::makeRow(const QString& path)
{
    auto* item = new DistItem(nullptr);
    // The compression part is the widest target; on a small screen the arrow makes room for it.
    auto* row = new TableRowWidget(item, !WidgetSize::isSmallScreen(), true, true, table());
    row->setSourcePath(path);
    const MyMediaInfo* info = row->mediaInfo();
    const QString resolution =
        QString::number(info->width()) + QLatin1Char('x') + QString::number(info->height());
    row->setFacts(info->fileName(), info->suffix(), resolution, info->videoDurationText(), info->fileSizeG());
    item->setRates(info->videoBitRate(), info->totalBitRate(), info->videoDuration());
    QString size = info->fileSizeG();
    const VideoCompressParamWT* panel = m_centerWidget->param();
    if (panel->modeBox()->currentIndex() == 0) {
        const int rate = DistItem::quickRate(panel->ratioBox()->currentIndex(), info->videoBitRate(),
                                             info->totalBitRate());
        qDebug() << "curBitRate:" << rate << ",totalbitrate:" << info->totalBitRate()
                 << ",timelen:" << info->videoDuration();
        size = DistItem::estimateText(info->videoDuration(), rate);
    }
    // WebM and Ogg cannot hold H.264: such a file comes out as MP4, and the row says so.
    const bool sameContainer = MediaRecipes::compressionKeepsContainer(info->suffix());
    item->setFacts(sameContainer ? info->suffix() : QStringLiteral("mp4"), resolution,
                   info->videoDurationText(), size);
    if (!sameContainer)
        item->setFormatNote(tr("%1 不能存放 H.264 视频，压缩后保存为 MP4").arg(info->suffix().toUpper()));
    qDebug() << "video bit rate:" << info->videoBitRate() << ",total bit rate:" << info->totalBitRate();
    // The row's button compresses that file alone, as on the other media pages.
    row->actionButton()->setToolTip(tr("只压缩这一个文件"));
    connect(row->actionButton(), &QPushButton::clicked, this, &VideoCompressMainWT::onRowSubBtnClicked);
    return row;
}

MediaJob VideoCompressMainWT::jobOf(const TableRowWidget* row) const
{
    const auto* item = static_cast<const DistItem*>(row->targetWidget());
    const VideoCompressParamWT* panel = m_centerWidget->param();
    const int bitRate = panel->modeBox()->currentIndex() == 0
                            ? DistItem::jobBitRate(panel->ratioBox()->currentIndex(), item->videoBitRate())
                            : item->videoBitRate();
    MediaJob job;
    job.operation = Compression;
    job.oriFilePath = row->sourcePath();
    job.objectName = row->objectName();
    job.timeLen = item->videoDuration();
    job.bitRate = bitRate;
    return job;
}

int VideoCompressMainWT::mediaMode() const
{
    return Compression;
}

QString VideoCompressMainWT::outputFolder() const
{
    return m_centerWidget->param()->outputFolder();
}

void VideoCompressMainWT::addFile1()
{
    addFile();
}

void VideoCompressMainWT::compress()
{
    startAll();
}

void VideoCompressMainWT::deleteItem() {}

void VideoCompressMainWT::openItemDir() {}

void VideoCompressMainWT::onRowSubBtnClicked()
{
    startRow(rowOf(sender()));
}

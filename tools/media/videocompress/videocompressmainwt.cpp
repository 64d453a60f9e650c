#include "tools/media/videocompress/videocompressmainwt.h"

#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediaextensionlists.h"
#include "media/medialength.h"
#include "media/mediarecipes.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "style/widgetsize.h"
#include "tools/media/videocompress/videocompresscenterwt.h"
#include "tools/media/videocompress/videocompressparamwt.h"
#include "tools/media/videocompress/videocompresstabledistitemwt.h"
#include "widgets/mycombobox.h"
#include "widgets/sliderwidget.h"
#include "widgets/submitbtn.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QThread>

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
    setStartButton(m_centerWidget->param()->submitButton());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this,
            &VideoCompressMainWT::compress);
    connect(m_centerWidget->param(), &VideoCompressParamWT::settingsChanged, this,
            &VideoCompressMainWT::refreshEstimates);
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
    row->setFacts(info->fileName(), info->suffix(), resolution, info->videoDurationText(),
                  info->fileSizeText());
    item->setRates(info->videoBitRate(), info->totalBitRate(), info->videoDuration());
    // WebM and Ogg cannot hold H.264: such a file comes out as MP4, and the row says so.
    const bool sameContainer = MediaRecipes::compressionKeepsContainer(info->suffix());
    item->setFacts(sameContainer ? info->suffix() : QStringLiteral("mp4"), resolution,
                   info->videoDurationText(), QString());
    if (!sameContainer)
        item->setFormatNote(tr("%1 不能存放 H.264 视频，压缩后保存为 MP4").arg(info->suffix().toUpper()));
    qCDebug(lcTools) << "video bit rate:" << info->videoBitRate()
                     << ",total bit rate:" << info->totalBitRate();
    refreshEstimate(row);
    if (info->width() > 0 && item->totalBitRate() - item->videoBitRate() <= 0)
        readSound(row);
    // Connected after the row's own estimate, so the plan (which may ignore the slider) has the
    // last word.
    connect(item->slider(), &QSlider::valueChanged, this, [this, row] { refreshEstimate(row); });
    // The row's button compresses that file alone, as on the other media pages.
    row->actionButton()->setToolTip(tr("只压缩这一个文件"));
    connect(row->actionButton(), &QPushButton::clicked, this, &VideoCompressMainWT::onRowSubBtnClicked);
    return row;
}

MediaJob VideoCompressMainWT::plannedJob(const TableRowWidget* row) const
{
    ensureBuilt();
    const auto* item = static_cast<const DistItem*>(row->targetWidget());
    const VideoCompressParamWT* panel = m_centerWidget->param();
    const int source = item->videoBitRate();
    MediaJob job;
    job.operation = Compression;
    job.oriFilePath = row->sourcePath();
    job.objectName = row->objectName();
    job.timeLen = item->videoDuration();
    const int chosen = panel->mode() == VideoCompressParamWT::Custom ? panel->customBitRate() : 0;
    if (panel->mode() == VideoCompressParamWT::TargetSize) {
        // The size sets the rate; the source's rate stays its ceiling.
        job.bitRate = source;
        job.targetBytes = panel->targetBytes();
    } else if (chosen > 0) {
        // More than the source has would only make the file larger.
        job.bitRate = source > 0 ? qMin(chosen, source) : chosen;
    } else if (item->sliderMoved()) {
        job.bitRate = DistItem::sliderBitRate(item->slider()->value(), source);
    } else {
        job.bitRate = DistItem::jobBitRate(panel->ratioBox()->currentIndex(), source);
    }
    if (panel->mode() == VideoCompressParamWT::Custom)
        job.fitBox = panel->customBox();
    return job;
}

void VideoCompressMainWT::refreshEstimate(TableRowWidget* row)
{
    auto* item = static_cast<DistItem*>(row->targetWidget());
    const MediaJob job = plannedJob(row);
    const VideoCompressParamWT* panel = m_centerWidget->param();
    // The row's ratio counts where the panel leaves the rate to a ratio.
    item->slider()->setEnabled(
        panel->mode() == VideoCompressParamWT::Quick ||
        (panel->mode() == VideoCompressParamWT::Custom && panel->customBitRate() == 0));
    if (job.targetBytes > 0) {
        item->showEstimate(QStringLiteral("≤") + MyMediaInfo::readableSize(job.targetBytes));
        return;
    }
    const qint64 bytes =
        MediaRecipes::compressedSize(job.timeLen, job.bitRate, item->totalBitRate() - item->videoBitRate());
    qCDebug(lcTools) << "curBitRate:" << job.bitRate << ",totalbitrate:" << item->totalBitRate()
                     << ",timelen:" << job.timeLen;
    item->showEstimate(bytes > 0 ? MyMediaInfo::readableSize(bytes) : row->mediaInfo()->fileSizeText());
}

void VideoCompressMainWT::readSound(TableRowWidget* row)
{
    // A header without the sound's rate (Matroska written by ffmpeg) leaves the whole rate to the
    // picture: the estimate would miss the copied sound and the job aim too high. The packets tell
    // what the sound holds; the read goes through the file, so on a thread of its own.
    const QPointer<VideoCompressMainWT> page(this);
    const QPointer<TableRowWidget> target(row);
    const QString path = row->sourcePath();
    QThread* reader = QThread::create([page, target, path] {
        const MediaLength::Reading reading = MediaLength::readPackets(path);
        QMetaObject::invokeMethod(
            qApp,
            [page, target, reading] {
                if (page && target)
                    page->soundRead(target, reading);
            },
            Qt::QueuedConnection);
    });
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    reader->start();
}

void VideoCompressMainWT::soundRead(TableRowWidget* row, const MediaLength::Reading& reading)
{
    auto* item = static_cast<DistItem*>(row->targetWidget());
    const qint64 duration = reading.lengthMs > 0 ? reading.lengthMs : item->videoDuration();
    if (reading.audioBytes <= 0 || duration <= 0)
        return;
    // The rows count rates in 1024 bits a second, as the probe does.
    const int soundRate = static_cast<int>(reading.audioBytes * 8 * 1000 / duration / 1024);
    item->setRates(qMax(1, item->totalBitRate() - soundRate), item->totalBitRate(), item->videoDuration());
    refreshEstimate(row);
}

void VideoCompressMainWT::refreshEstimates()
{
    for (TableRowWidget* row : table()->rows())
        refreshEstimate(row);
}

void VideoCompressMainWT::lengthRead(TableRowWidget* row)
{
    auto* item = static_cast<DistItem*>(row->targetWidget());
    const MyMediaInfo* info = row->mediaInfo();
    item->setRates(info->videoBitRate(), info->totalBitRate(), info->videoDuration());
    refreshEstimate(row);
}

void VideoCompressMainWT::showRowDone(int row, const QString& outputPath, bool success,
                                      const JobFailure& failure)
{
    MediaPageWT::showRowDone(row, outputPath, success, failure);
    const QFileInfo output(outputPath);
    if (success && output.isFile())
        static_cast<DistItem*>(table()->row(row)->targetWidget())->showReached(output.size());
}

MediaJob VideoCompressMainWT::jobOf(const TableRowWidget* row) const
{
    return plannedJob(row);
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
    ensureBuilt();
    const VideoCompressParamWT* panel = m_centerWidget->param();
    // While a batch runs the button is its stop, whatever the panel says meanwhile.
    if (isBusy()) {
        stopBatch();
        return;
    }
    if (table()->rowCount() > 0 && panel->mode() == VideoCompressParamWT::TargetSize &&
        panel->targetBytes() <= 0) {
        showNotice(tr("请填写目标大小！"));
        return;
    }
    startAll();
}

void VideoCompressMainWT::deleteItem() {}

void VideoCompressMainWT::openItemDir() {}

void VideoCompressMainWT::onRowSubBtnClicked()
{
    startRow(rowOf(sender()));
}

#include "tools/media/audiofmt/audiofmtmainwt.h"

#include "framework/tableitemwidget.h"
#include "framework/tablerowwidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "tools/media/audiofmt/audiofmtcenterwt.h"
#include "tools/media/audiofmt/audiofmtdistitemwt.h"
#include "tools/media/audiofmt/audiofmtparamwt.h"

#include <QDebug>

AudioFmtMainWT::AudioFmtMainWT(QWidget* parent)
    : FmtConvertPageWT(&MediaExtensionLists::audioFormat(), parent)
{
}

void AudioFmtMainWT::buildPage()
{
    m_centerWidget = new AudioFmtCenterWT(this);
    setStyleSheet(QStringLiteral("AudioFmtMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
}

TableRowWidget* AudioFmtMainWT::makeRow(const QString& path)
{
    TableRowWidget* row = makeFmtRow(new AudioFmtDistItemWT(nullptr), path);
    const MyMediaInfo* info = row->mediaInfo();
    row->itemWidget()->setResolutionCaption(tr("比特率："));
    row->setFacts(info->fileName(), info->suffix(),
                  QString::number(info->audioBitRate()) + QStringLiteral("Kpbs"), info->audioDurationText(),
                  info->fileSizeM());
    qCDebug(lcTools) << "audio bit rate:" << info->audioBitRate();
    return row;
}

MediaJob AudioFmtMainWT::jobOf(const TableRowWidget* row) const
{
    const FmtPreset& target = static_cast<const AudioFmtDistItemWT*>(row->targetWidget())->target();
    MediaJob job;
    job.operation = AudioConversion;
    job.oriFilePath = row->sourcePath();
    job.objectName = row->objectName();
    job.format = static_cast<CombEnum::Format>(target.format);
    job.timeLen = row->mediaInfo()->audioDuration();
    job.mediaLocalType = target.mediaLocalType;
    job.audioQuality = target.audioQuality;
    return job;
}

int AudioFmtMainWT::mediaMode() const
{
    return AudioConversion;
}

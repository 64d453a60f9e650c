#include "tools/media/audiofmt/audiofmtmainwt.h"

#include "framework/tableitemwidget.h"
#include "framework/tablerowwidget.h"
#include "media/mediaextensionlists.h"
#include "media/mymediainfo.h"
#include "tools/media/audiofmt/audiofmtcenterwt.h"
#include "tools/media/audiofmt/audiofmtdistitemwt.h"
#include "tools/media/audiofmt/audiofmtparamwt.h"

#include <QDebug>

namespace Keys = MediaJobKeys;

AudioFmtMainWT::AudioFmtMainWT(QWidget* parent)
    : FmtConvertPageWT(&MediaExtensionLists::audioFormat(), parent),
      m_centerWidget(new AudioFmtCenterWT(this))
{
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
    qDebug() << "audio bit rate:" << info->audioBitRate();
    return row;
}

MediaJob AudioFmtMainWT::jobOf(const TableRowWidget* row) const
{
    const FmtPreset& target = static_cast<const AudioFmtDistItemWT*>(row->targetWidget())->target();
    return {{Keys::kOriFilePath, row->sourcePath()},
            {Keys::kObjectName, row->objectName()},
            {Keys::kFormat, QString::number(target.format)},
            {Keys::kTimeLen, QString::number(row->mediaInfo()->audioDuration())},
            {Keys::kMediaLocalType, QString::number(target.mediaLocalType)},
            {Keys::kAudioQuality, QString::number(target.audioQuality)}};
}

int AudioFmtMainWT::mediaMode() const
{
    return AudioConversion;
}

#include "tools/editing/videorows.h"

#include "framework/tablerowwidget.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "tools/editing/videoslicing/vstabledistitemwt.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QPushButton>

namespace VideoRows {
namespace {
void showFacts(TableRowWidget* row)
{
    const MyMediaInfo* info = row->mediaInfo();
    row->setFacts(info->fileName(), info->suffix(),
                  QString::number(info->width()) + QLatin1Char('x') + QString::number(info->height()),
                  info->videoDurationText(), info->fileSizeText());
    qCDebug(lcTools) << "video bit rate:" << info->videoBitRate()
                     << ",total bit rate:" << info->totalBitRate();
}
} // namespace

TableRowWidget* makeSegmentRow(const QString& path)
{
    auto* item = new VSTableDistItemWT(nullptr);
    auto* row = new TableRowWidget(item, true, true, true, nullptr);
    row->setSourcePath(path);
    showFacts(row);
    row->actionButton()->setText(QCoreApplication::translate("videorows", "编辑片段"));
    row->actionButton()->setToolTip(QCoreApplication::translate("videorows", "选择要保留的片段"));
    const MyMediaInfo* info = row->mediaInfo();
    item->setEndTime(info->videoDuration());
    item->setCutWidth(info->width());
    item->setCutHeight(info->height());
    return row;
}

TableRowWidget* makePlainRow(QWidget* target, const QString& path, bool withFailureLabel)
{
    auto* row = new TableRowWidget(target, false, withFailureLabel, false, nullptr);
    // The label only ever says that this row failed; the list's progress is shown elsewhere.
    if (withFailureLabel)
        row->percentLabel()->hide();
    row->setSourcePath(path);
    showFacts(row);
    return row;
}
} // namespace VideoRows

#include "tools/media/common/fmtconvertpagewt.h"

#include "framework/mediacenterwt.h"
#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "tools/media/common/fmttargetitemwt.h"
#include "tools/media/common/fmttargetparamwt.h"
#include "tools/media/fmtchoosen/fmtrightbtn.h"
#include "widgets/submitbtn.h"

#include <QPushButton>

FmtConvertPageWT::FmtConvertPageWT(const QStringList* extensions, QWidget* parent)
    : MediaPageWT(extensions, {tr("选择视频"), tr("请添加要压缩的文件！")}, parent)
{
}

void FmtConvertPageWT::setCenter(MediaCenterWT* center, FmtTargetParamWT* panel)
{
    MediaPageWT::setCenter(center);
    m_panel = panel;
    setStartButton(panel->submitButton());
    connect(panel->submitButton(), &QPushButton::clicked, this, &FmtConvertPageWT::fmt);
    connect(panel, &FmtTargetParamWT::chooseTotalFmt, this, &FmtConvertPageWT::onChooseTotalFmt);
}

QString FmtConvertPageWT::outputFolder() const
{
    return m_panel->outputFolder();
}

TableRowWidget* FmtConvertPageWT::makeFmtRow(QWidget* target, const QString& path)
{
    auto* row = new TableRowWidget(target, true, true, true, table());
    row->setSourcePath(path);
    row->actionButton()->setText(tr("转换(极速)"));
    row->actionButton()->setToolTip(tr("只转换这一个文件"));
    connect(row->actionButton(), &QPushButton::clicked, this, &FmtConvertPageWT::onRowSubBtnClicked);
    return row;
}

void FmtConvertPageWT::addFile1()
{
    addFile();
}

void FmtConvertPageWT::fmt()
{
    startAll();
}

void FmtConvertPageWT::openItemDir() {}

void FmtConvertPageWT::onChooseTotalFmt(FmtRightBtn* button)
{
    for (TableRowWidget* row : table()->rows()) {
        if (auto* item = qobject_cast<FmtTargetItemWT*>(row->targetWidget()))
            item->setTarget(button->preset());
    }
}

void FmtConvertPageWT::onRowSubBtnClicked()
{
    startRow(rowOf(sender()));
}

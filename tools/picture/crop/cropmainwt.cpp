#include "tools/picture/crop/cropmainwt.h"

#include "framework/mytable.h"
#include "imaging/extensionlists.h"
#include "platform/logcategories.h"
#include "tools/picture/crop/cropcenterwt.h"
#include "tools/picture/crop/cropdialog.h"
#include "tools/picture/crop/cropparamwt.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QFileInfo>

CropMainWT::CropMainWT(QWidget* parent)
    : PicturePageWT(&ExtensionLists::crop(), {tr("打开图片"), tr("请添加要转换的文件！")},
                    OpenDirForm::ContainingFolder, parent)
{
}

void CropMainWT::buildPage()
{
    m_centerWidget = new CropCenterWT(this);
    setStyleSheet(QStringLiteral("CropMainWT{background-color:white;}"));
    setCenter(m_centerWidget, m_centerWidget->param());
    connect(m_centerWidget->param()->submitButton(), &QPushButton::clicked, this, &CropMainWT::crop);
    connect(table(), &MyTable::cropClicked, this, &CropMainWT::openCropOf);
}

QString CropMainWT::notSetText()
{
    return tr("未设置剪切");
}

QString CropMainWT::unreadableText(const QString& path)
{
    return tr("无法读取图片：") + QFileInfo(path).fileName();
}

void CropMainWT::crop()
{
    ensureBuilt();
    startBatch(m_centerWidget->param()->jobParams());
}

void CropMainWT::openCrop()
{
    openCropOf(qobject_cast<QWidget*>(sender()));
}

void CropMainWT::openCropOf(const QWidget* button)
{
    const int row = table()->rowOf(button);
    if (row < 0)
        return;
    // Every opening starts from the whole picture.
    auto* dialog = new CropDialog(row, table()->sourcePath(row), this);
    if (dialog->pictureSize().isEmpty()) {
        // An empty "0 x 0" dialog would let the user mark nothing on a picture no one can see.
        delete dialog;
        showNotice(unreadableText(table()->sourcePath(row)));
        return;
    }
    connect(dialog, &CropDialog::finishCrop, this, &CropMainWT::onCropDialogfinishCrop);
    dialog->show();
}

void CropMainWT::onCropDialogfinishCrop(int index, int x, int y, int width, int height)
{
    // A picture the dialog could not read confirms an empty rectangle: that row has none.
    if (index < 0 || index >= table()->rowCount() || width <= 0 || height <= 0)
        return;
    table()->setCropRect(index, QRect(x, y, width, height));
    if (table()->rowWarning(index) == notSetText())
        table()->markRow(index, QString());
}

QList<ImgJobRecord> CropMainWT::collectRecords()
{
    QList<ImgJobRecord> records;
    for (int row = 0; row < table()->rowCount(); ++row) {
        const QRect rect = table()->cropRect(row);
        if (rect.isNull()) {
            qCDebug(lcTools) << "not set x";
            // Left out of the batch; the row says so, or its untouched bar would look forgotten.
            table()->markRow(row, notSetText());
            continue;
        }
        const QString path = table()->sourcePath(row);
        if (!QFileInfo::exists(path)) {
            table()->markRow(row, tr("原文件不存在！"));
            continue;
        }
        ImgJobRecord record = ImgJobRecords::make(row, path);
        ImgJobRecords::setCrop(record, rect);
        records.append(record);
    }
    return records;
}

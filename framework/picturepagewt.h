#pragma once

#include "framework/toolpagewt.h"
#include "imaging/imgjob.h"

class MyTable;
class PictureCenterWT;
class PictureParamWT;
class QPushButton;

// A picture page: the shared skeleton with the picture file table and the picture engine.
class PicturePageWT : public ToolPageWT
{
    Q_OBJECT
public:
    // How a row's open-folder button shows its result.
    enum class OpenDirForm
    {
        OutputFolder,
        ContainingFolder,
        SelectInFileManager
    };

    PicturePageWT(const QStringList* extensions, const Texts& texts, OpenDirForm openForm, QWidget* parent);

    MyTable* table() const;
    PictureCenterWT* center() const;

public slots:
    // The row slots of the picture pages; a report names its row as the batch's record did.
    void setProgress(int progress, int rowIndex);
    void done(const QString& exportFilePath, int rowIndex, bool isSuccess);
    void deleteItem();
    void openItemDir();
    // The Delete key: the selected rows go, by the row button's rule.
    void deleteSelectedRows();

protected:
    // Subclasses build their centre, then hand it over; they connect the panel's start button.
    void setCenter(PictureCenterWT* center, PictureParamWT* panel);
    // The shared start: notices, records of existing files, the runner. False when refused.
    bool startBatch(const ImgJobParams& params);
    // One record per row whose file still exists; the others are marked "原文件不存在！".
    virtual QList<ImgJobRecord> collectRecords();

    int rowCount() const override;
    void appendRows(const QStringList& paths, RowKey firstKey) override;
    void removeAllRows() override;
    int rowOfKey(RowKey key) const override;
    RowKey keyOfRow(int row) const override;
    void showRowProgress(int row, int percent) override;
    void showRowDone(int row, const QString& outputPath, bool success, const JobFailure& failure) override;
    void showRowWaiting(int row) override;
    QString resultFolder() const override;
    bool isDropZoneShown() const override;
    void showList() override;
    void showDropZone() override;

private:
    void deleteRowOf(const QWidget* button);
    void openDirOf(const QWidget* button);

    OpenDirForm m_openForm;
    PictureCenterWT* m_center = nullptr;
    PictureParamWT* m_panel = nullptr;
};

#pragma once

#include "framework/picturepagewt.h"

class CropCenterWT;

// The crop page: every row carries its own rectangle, marked in the crop dialog; only rows with
// one are cut.
class CropMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit CropMainWT(QWidget* parent);

    CropCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }
    // The row status of a row that a batch left out for want of a rectangle.
    static QString notSetText();
    // The notice for a row whose picture cannot be read, so no rectangle can be marked on it.
    static QString unreadableText(const QString& path);

public slots:
    void crop();
    void openCrop();
    void onCropDialogfinishCrop(int index, int x, int y, int width, int height);

protected:
    void buildPage() override;
    QList<ImgJobRecord> collectRecords() override;

private:
    void openCropOf(const QWidget* button);

    CropCenterWT* m_centerWidget = nullptr;
};

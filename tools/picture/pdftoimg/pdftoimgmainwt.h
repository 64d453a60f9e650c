#pragma once

#include "framework/picturepagewt.h"

class PdfToImgCenterWT;

class PdfToImgMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit PdfToImgMainWT(QWidget* parent);

    PdfToImgCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void pdfToImg();

protected:
    void buildPage() override;
    // Each record carries the rendering quality and the join choice.
    QList<ImgJobRecord> collectRecords() override;

private:
    PdfToImgCenterWT* m_centerWidget = nullptr;
};

#pragma once

#include "framework/picturepagewt.h"

class RawToImgCenterWT;

class RawToImgMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit RawToImgMainWT(QWidget* parent);

    RawToImgCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void rawToImg();

protected:
    void buildPage() override;

private:
    RawToImgCenterWT* m_centerWidget = nullptr;
};

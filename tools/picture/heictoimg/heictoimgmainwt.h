#pragma once

#include "framework/picturepagewt.h"

class HeicToImgCenterWT;

class HeicToImgMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit HeicToImgMainWT(QWidget* parent);

    HeicToImgCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void toImg();

protected:
    void buildPage() override;

private:
    HeicToImgCenterWT* m_centerWidget = nullptr;
};

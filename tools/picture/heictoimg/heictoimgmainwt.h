#pragma once

#include "framework/picturepagewt.h"

class HeicToImgCenterWT;

class HeicToImgMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit HeicToImgMainWT(QWidget* parent);

    HeicToImgCenterWT* centerWidget() const { return m_centerWidget; }

public slots:
    void toImg();

private:
    HeicToImgCenterWT* m_centerWidget;
};

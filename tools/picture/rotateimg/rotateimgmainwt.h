#pragma once

#include "framework/picturepagewt.h"

class RotateImgCenterWT;

class RotateImgMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit RotateImgMainWT(QWidget* parent);

    RotateImgCenterWT* centerWidget() const { return m_centerWidget; }

public slots:
    void rotate();

private:
    RotateImgCenterWT* m_centerWidget;
};

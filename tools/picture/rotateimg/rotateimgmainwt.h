#pragma once

#include "framework/picturepagewt.h"

class RotateImgCenterWT;

class RotateImgMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit RotateImgMainWT(QWidget* parent);

    RotateImgCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void rotate();

protected:
    void buildPage() override;

private:
    RotateImgCenterWT* m_centerWidget = nullptr;
};

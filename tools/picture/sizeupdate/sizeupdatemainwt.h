#pragma once

#include "framework/picturepagewt.h"

class SizeUpdateCenterWT;

class SizeUpdateMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit SizeUpdateMainWT(QWidget* parent);

    SizeUpdateCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void sizeUpdate();

protected:
    void buildPage() override;

private:
    SizeUpdateCenterWT* m_centerWidget = nullptr;
};

#pragma once

#include "framework/picturepagewt.h"

class CompressCenterWT;

class CompressMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit CompressMainWT(QWidget* parent);

    CompressCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void compress();

protected:
    void buildPage() override;

private:
    CompressCenterWT* m_centerWidget = nullptr;
};

#pragma once

#include "framework/picturepagewt.h"

class GifCompressCenterWT;

class GifCompressMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit GifCompressMainWT(QWidget* parent);

    GifCompressCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void compress();

protected:
    void buildPage() override;

private:
    GifCompressCenterWT* m_centerWidget = nullptr;
};

#pragma once

#include "framework/picturepagewt.h"

class GifCompressCenterWT;

class GifCompressMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit GifCompressMainWT(QWidget* parent);

    GifCompressCenterWT* centerWidget() const { return m_centerWidget; }

public slots:
    void compress();

private:
    GifCompressCenterWT* m_centerWidget;
};

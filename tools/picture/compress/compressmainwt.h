#pragma once

#include "framework/picturepagewt.h"

class CompressCenterWT;

class CompressMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit CompressMainWT(QWidget* parent);

    CompressCenterWT* centerWidget() const { return m_centerWidget; }

public slots:
    void compress();

private:
    CompressCenterWT* m_centerWidget;
};

#pragma once

#include "framework/picturecenterwt.h"

class PdfToImgParamWT;

class PdfToImgCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit PdfToImgCenterWT(QWidget* parent);

    PdfToImgParamWT* param() const { return m_param; }

private:
    PdfToImgParamWT* m_param;
};

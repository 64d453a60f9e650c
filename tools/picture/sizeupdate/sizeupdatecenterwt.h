#pragma once

#include "framework/picturecenterwt.h"

class SizeUpdateParamWT;

class SizeUpdateCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit SizeUpdateCenterWT(QWidget* parent);

    SizeUpdateParamWT* param() const { return m_param; }

private:
    SizeUpdateParamWT* m_param;
};

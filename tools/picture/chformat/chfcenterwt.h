#pragma once

#include "framework/picturecenterwt.h"

class CHFParamWT;

class CHFCenterWT final : public PictureCenterWT
{
    Q_OBJECT
public:
    explicit CHFCenterWT(QWidget* parent);

    CHFParamWT* param() const { return m_param; }

private:
    CHFParamWT* m_param;
};

#pragma once

#include "framework/picturepagewt.h"

class CHFCenterWT;

class CHFMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit CHFMainWT(QWidget* parent);

    CHFCenterWT* centerWidget() const { return m_centerWidget; }

public slots:
    void chFormat();

private:
    CHFCenterWT* m_centerWidget;
};

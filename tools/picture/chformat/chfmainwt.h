#pragma once

#include "framework/picturepagewt.h"

class CHFCenterWT;

class CHFMainWT final : public PicturePageWT
{
    Q_OBJECT
public:
    explicit CHFMainWT(QWidget* parent);

    CHFCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void chFormat();

protected:
    void buildPage() override;

private:
    CHFCenterWT* m_centerWidget = nullptr;
};

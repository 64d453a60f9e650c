#pragma once

#include "tools/media/common/fmtconvertpagewt.h"

class VideoFmtCenterWT;

// Converts videos into another container, or takes their sound out into an audio format.
class VideoFmtMainWT final : public FmtConvertPageWT
{
    Q_OBJECT
public:
    explicit VideoFmtMainWT(QWidget* parent);

    VideoFmtCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    int mediaMode() const override;

private:
    VideoFmtCenterWT* m_centerWidget = nullptr;
};

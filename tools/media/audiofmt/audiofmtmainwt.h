#pragma once

#include "tools/media/common/fmtconvertpagewt.h"

class AudioFmtCenterWT;

// Converts audio files into another audio format, stereo at 44 100 Hz.
class AudioFmtMainWT final : public FmtConvertPageWT
{
    Q_OBJECT
public:
    explicit AudioFmtMainWT(QWidget* parent);

    AudioFmtCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    int mediaMode() const override;
    bool showsFrames() const override { return false; }

private:
    AudioFmtCenterWT* m_centerWidget = nullptr;
};

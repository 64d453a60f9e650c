#pragma once

#include "framework/mediapagewt.h"
#include "media/medialength.h"

class VideoCompressCenterWT;

// Re-encodes videos with H.264 at a lower picture bit rate, keeping container and sound.
class VideoCompressMainWT final : public MediaPageWT
{
    Q_OBJECT
public:
    explicit VideoCompressMainWT(QWidget* parent);

    VideoCompressCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void addFile1();
    void compress();
    void deleteItem();
    void openItemDir();
    void onRowSubBtnClicked();

    // What a start would do for a row: the video bit rate (kbit/s), the frame box and the target.
    MediaJob plannedJob(const TableRowWidget* row) const;
    // Every row's estimate again, from the panel and its own slider.
    void refreshEstimates();

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    void lengthRead(TableRowWidget* row) override;
    void showRowDone(int row, const QString& outputPath, bool success, const JobFailure& failure) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    int mediaMode() const override;
    QString outputFolder() const override;

private:
    void refreshEstimate(TableRowWidget* row);
    void readSound(TableRowWidget* row);
    void soundRead(TableRowWidget* row, const MediaLength::Reading& reading);

    VideoCompressCenterWT* m_centerWidget = nullptr;
};

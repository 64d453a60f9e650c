#pragma once

#include "framework/mediapagewt.h"

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

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    int mediaMode() const override;
    QString outputFolder() const override;

private:
    VideoCompressCenterWT* m_centerWidget = nullptr;
};

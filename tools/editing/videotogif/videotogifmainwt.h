#pragma once

#include "framework/mediapagewt.h"

class VideoToGifCenterWT;

// Turns a piece of each listed video into an animated GIF, optionally scaled; the piece and the
// size are chosen in the editor each row's "编辑片段" button opens.
class VideoToGifMainWT final : public MediaPageWT
{
    Q_OBJECT
public:
    explicit VideoToGifMainWT(QWidget* parent);

    VideoToGifCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void addFile1();
    void toGif();
    void openVideoEidt();
    void onSendData(qint64 beginTime, qint64 endTime, int scaleWidth, int scaleHeight, QString& rowObjName);

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    void lengthRead(TableRowWidget* row) override;
    int mediaMode() const override;
    QString outputFolder() const override;

private:
    VideoToGifCenterWT* m_centerWidget = nullptr;
};

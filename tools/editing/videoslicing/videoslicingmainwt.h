#pragma once

#include "framework/mediapagewt.h"

class VideoSlicingCenterWT;
class VSTableDistItemWT;

// Cuts a piece of time out of each listed video, optionally cropped, in the chosen format. Each
// row's piece is chosen in the cut dialog its "编辑片段" button opens.
class VideoSlicingMainWT final : public MediaPageWT
{
    Q_OBJECT
public:
    explicit VideoSlicingMainWT(QWidget* parent);

    VideoSlicingCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }
    static VSTableDistItemWT* itemOf(const TableRowWidget* row);
    // The row's source and segment; a segment that spans the whole file is the whole clip.
    static MediaJob segmentJob(const TableRowWidget* row, const VSTableDistItemWT* item);

public slots:
    void addFile1();
    void slice();
    void openVideoEidt();
    void onSendSliceData(qint64 beginTime, qint64 endTime, int cutX, int cutY, int cutWidth, int cutHeight,
                         QString& rowObjName);

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    void lengthRead(TableRowWidget* row) override;
    int mediaMode() const override;
    QString outputFolder() const override;

private:
    VideoSlicingCenterWT* m_centerWidget = nullptr;
};

#pragma once

#include "framework/mediapagewt.h"

class VideoConcatCenterWT;

// Joins all listed videos, in the order of the rows, into one file of the chosen format. The
// list fills as one bar; the rows' buttons change the order.
class VideoConcatMainWT final : public MediaPageWT
{
    Q_OBJECT
public:
    explicit VideoConcatMainWT(QWidget* parent);

    VideoConcatCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }

public slots:
    void addFile1();
    void concat();
    void moveRowUp();
    void moveRowDown();

protected:
    void buildPage() override;
    TableRowWidget* makeRow(const QString& path) override;
    MediaJob jobOf(const TableRowWidget* row) const override;
    int mediaMode() const override;
    QString outputFolder() const override;
    void appendRows(const QStringList& paths, RowKey firstKey) override;
    void showRowProgress(int row, int percent) override;
    void showRowDone(int row, const QString& outputPath, bool success, const JobFailure& failure) override;
    void showRowWaiting(int row) override;

private:
    void moveBy(QObject* button, int step);
    // The first row cannot go up, nor the last down.
    void updateMoveButtons();

    VideoConcatCenterWT* m_centerWidget = nullptr;
};

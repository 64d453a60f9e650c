#pragma once

#include "framework/toolpagewt.h"

#include <QPointer>

class ToPDFCenterWT;
class ToPDFTable;
class ToPDFThread;

// The images-to-PDF page: pictures in, one merged PDF or one PDF per picture out, painted in
// process by ToPDFThread.
class ToPDFMainWT final : public ToolPageWT
{
    Q_OBJECT
public:
    explicit ToPDFMainWT(QWidget* parent);
    ~ToPDFMainWT() override;

    ToPDFCenterWT* centerWidget() const
    {
        ensureBuilt();
        return m_centerWidget;
    }
    ToPDFTable* table() const;

public slots:
    void deleteItem();
    void toPDF();
    void setProgress(int progress);
    void done(QString distFilePath, bool isSuccess);

protected:
    void buildPage() override;
    int rowCount() const override;
    void appendRows(const QStringList& paths, RowKey firstKey) override;
    void removeAllRows() override;
    int rowOfKey(RowKey key) const override;
    RowKey keyOfRow(int row) const override;
    // The run reports for the whole list, never for a row.
    void showRowProgress(int, int) override {}
    void showRowDone(int, const QString&, bool, const JobFailure&) override {}
    QString resultFolder() const override;
    bool isDropZoneShown() const override;
    void showList() override;
    void showDropZone() override;
    void stopOtherRuns() override;

private:
    // The run ended without a result: it was stopped.
    void onThreadFinished();
    void deleteRowOf(const QWidget* button);
    // The pictures still on the disk; the others are noted as left out.
    QStringList existingPictures();

    ToPDFCenterWT* m_centerWidget = nullptr;
    QPointer<ToPDFThread> m_thread;
    QStringList m_skipped;
    JobFailure m_failure;
    int m_pictureCount = 0;
};

#pragma once

#include "imaging/imgjob.h"

#include <QList>
#include <QObject>
#include <QString>

// Runs picture batches through the real runner and keeps every report in order.
class BatchRecorder final : public QObject
{
    Q_OBJECT
public:
    struct Report
    {
        bool isDone;
        int value; // progress, or 1/0 for success
        int row;
        QString path;
    };

    // Starts a batch; the reports land in reports() as the event loop delivers them.
    void start(const ImgJobParams& params, const QList<ImgJobRecord>& records);
    bool waitForEnd(int timeoutMs);
    bool ended() const { return m_ended; }
    QList<Report> reports() const { return m_reports; }
    QList<Report> doneReports() const;
    // The progress values one row saw, in order.
    QList<int> progressOf(int row) const;

    static QList<ImgJobRecord> records(const QStringList& paths);

private:
    QList<Report> m_reports;
    bool m_ended = false;
};

#include "batchrecorder.h"

#include "imaging/imgthread.h"

#include <QtTest>

void BatchRecorder::start(const ImgJobParams& params, const QList<ImgJobRecord>& records)
{
    auto* runner = new ImgThread(params, new QList<ImgJobRecord>(records), this);
    connect(runner, &ImgThread::notifyParentProgress, this, [this](int progress, int row) {
        m_reports.append({false, progress, row, QString()});
    });
    connect(runner, &ImgThread::notifyParentDone, this, [this](const QString& path, int row, bool ok) {
        m_reports.append({true, ok ? 1 : 0, row, path});
        if (row == -1)
            m_ended = true;
    });
    connect(runner, &QThread::finished, runner, &QObject::deleteLater);
    runner->start();
}

bool BatchRecorder::waitForEnd(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_ended && timer.elapsed() < timeoutMs)
        QTest::qWait(20);
    return m_ended;
}

QList<BatchRecorder::Report> BatchRecorder::doneReports() const
{
    QList<Report> done;
    for (const Report& report : m_reports) {
        if (report.isDone)
            done << report;
    }
    return done;
}

QList<int> BatchRecorder::progressOf(int row) const
{
    QList<int> values;
    for (const Report& report : m_reports) {
        if (!report.isDone && report.row == row)
            values << report.value;
    }
    return values;
}

QList<ImgJobRecord> BatchRecorder::records(const QStringList& paths)
{
    QList<ImgJobRecord> list;
    for (int i = 0; i < paths.size(); ++i)
        list.append(ImgJobRecords::make(i, paths.at(i)));
    return list;
}

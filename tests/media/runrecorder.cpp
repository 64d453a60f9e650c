#include "runrecorder.h"

#include <QThread>

void RunRecorder::attach(VideoThread& thread)
{
    m_thread = &thread;
    connect(
        &thread, &VideoThread::setProgress, this,
        [this](int progress, const QString& name) {
            add({"progress", name, progress, QString()});
        },
        Qt::DirectConnection);
    connect(
        &thread, &VideoThread::failed, this,
        [this](const QString& name, const JobFailure& failure) {
            add({"failed", name, 0, failure.detail, failure.kind});
        },
        Qt::DirectConnection);
    connect(
        &thread, &VideoThread::done, this,
        [this](const QString& path, const QString& name) {
            add({"done", name, 0, path});
        },
        Qt::DirectConnection);
}

void RunRecorder::add(Event event)
{
    event.onRunnerThread = QThread::currentThread() == m_thread;
    QMutexLocker lock(&m_mutex);
    m_events.append(event);
}

QList<RunRecorder::Event> RunRecorder::events() const
{
    QMutexLocker lock(&m_mutex);
    return m_events;
}

QList<RunRecorder::Event> RunRecorder::eventsFor(const QString& objectName) const
{
    QList<Event> result;
    for (const Event& e : events()) {
        if (e.objectName == objectName)
            result.append(e);
    }
    return result;
}

QList<RunRecorder::Event> RunRecorder::ofKind(const QString& kind) const
{
    QList<Event> result;
    for (const Event& e : events()) {
        if (e.kind == kind)
            result.append(e);
    }
    return result;
}

QList<int> RunRecorder::progressFor(const QString& objectName) const
{
    QList<int> result;
    for (const Event& e : eventsFor(objectName)) {
        if (e.kind == "progress")
            result.append(e.progress);
    }
    return result;
}

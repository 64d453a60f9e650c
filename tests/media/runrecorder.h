#pragma once

#include "media/videothread.h"

#include <QMutex>
#include <QObject>
#include <QStringList>

// Records what a runner reports, in order, from whatever thread it reports on.
class RunRecorder : public QObject
{
    Q_OBJECT
public:
    struct Event
    {
        QString kind; // "progress", "failed", "done"
        QString objectName;
        int progress = 0;
        QString text; // path or the failure's detail
        FailureKind failureKind = FailureKind::None;
        bool onRunnerThread = false;
    };

    void attach(VideoThread& thread);
    QList<Event> events() const;
    QList<Event> eventsFor(const QString& objectName) const;
    QList<Event> ofKind(const QString& kind) const;
    QList<int> progressFor(const QString& objectName) const;

private:
    void add(Event event);

    mutable QMutex m_mutex;
    QList<Event> m_events;
    VideoThread* m_thread = nullptr;
};

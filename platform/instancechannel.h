#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Hands the files of a second start to the running instance, over a local socket in the user's
// runtime folder. Only the holder of the single-instance guard listens.
class InstanceChannel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstanceChannel)
public:
    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // One socket per user and per IPC namespace, as the guard's segment is.
    static QString socketPath();
    // For the guard's holder only: a socket left by a crashed instance is removed first.
    bool listen();
    // The second start's side: true once the running instance has taken the paths.
    static bool send(const QStringList& paths, int timeoutMs);

signals:
    void filesReceived(const QStringList& paths);

private:
    void onNewConnection();
    void readFrom(QLocalSocket* socket);

    QLocalServer* m_server;
};

#include "platform/instancechannel.h"

#include "platform/logcategories.h"
#include "platform/singleinstanceguard.h"

#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
// The running instance answers this byte once it has the paths.
constexpr char kAck = '\x06';
constexpr int kMaxMessageBytes = 16 * 1024 * 1024;
} // namespace

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::onNewConnection);
}

InstanceChannel::~InstanceChannel()
{
    m_server->close();
}

QString InstanceChannel::socketPath()
{
    // Scoped as the guard's lock is: a socket shared across IPC namespaces would let one
    // instance take another's socket away.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QLatin1Char('/') +
           SingleInstanceGuard::scopedName(QStringLiteral("chengying")) + QStringLiteral(".socket");
}

bool InstanceChannel::listen()
{
    const QString path = socketPath();
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        qCWarning(lcPlatform) << "no hand-over socket at" << path << m_server->errorString();
        return false;
    }
    return true;
}

void InstanceChannel::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
    }
}

void InstanceChannel::readFrom(QLocalSocket* socket)
{
    if (socket->bytesAvailable() > kMaxMessageBytes) {
        socket->abort();
        return;
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_5_15);
    in.startTransaction();
    QStringList paths;
    in >> paths;
    if (!in.commitTransaction())
        return;
    socket->write(&kAck, 1);
    socket->flush();
    socket->disconnectFromServer();
    emit filesReceived(paths);
}

bool InstanceChannel::send(const QStringList& paths, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    // The instance may hold the guard without listening yet, in its first moments.
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(qMax(1, timeoutMs - static_cast<int>(clock.elapsed()))))
            break;
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(100);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out << paths;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(qMax(1, timeoutMs - static_cast<int>(clock.elapsed()))))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(qMax(1, timeoutMs - static_cast<int>(clock.elapsed()))))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kAck;
}

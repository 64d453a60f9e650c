#include "support/fakedesktop.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QMutexLocker>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
const QString kSessionName = QStringLiteral("fake-desktop-session");
const QString kSystemName = QStringLiteral("fake-desktop-system");

class FakeNotifications final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit FakeNotifications(FakeDesktop* desktop) : m_desktop(desktop) {}
public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        m_desktop->record("Notify", {appName, replacesId, appIcon, summary, body, actions, hints, timeout});
        return ++m_lastId;
    }

private:
    FakeDesktop* m_desktop;
    uint m_lastId = 40;
};

class FakeScreenSaver final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit FakeScreenSaver(FakeDesktop* desktop) : m_desktop(desktop) {}
public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        m_desktop->record("Inhibit", {application, reason, ++m_lastCookie});
        return m_lastCookie;
    }
    void UnInhibit(uint cookie) { m_desktop->record("UnInhibit", {cookie}); }

private:
    FakeDesktop* m_desktop;
    uint m_lastCookie = 700;
};

class FakeFileManager final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    explicit FakeFileManager(FakeDesktop* desktop) : m_desktop(desktop) {}
public slots:
    void ShowItems(const QStringList& uris, const QString& startupId)
    {
        m_desktop->record("ShowItems", {uris, startupId});
    }

private:
    FakeDesktop* m_desktop;
};

class FakeLogin final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    explicit FakeLogin(FakeDesktop* desktop) : m_desktop(desktop) {}
public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode, const QDBusMessage& call)
    {
        m_desktop->record("LoginInhibit", {what, who, why, mode});
        if (m_desktop->holdsLogin()) {
            call.setDelayedReply(true);
            m_desktop->heldLogin(call);
            return QDBusUnixFileDescriptor();
        }
        const int writeEnd = m_desktop->newLoginLock();
        QDBusUnixFileDescriptor lock(writeEnd);
        ::close(writeEnd);
        return lock;
    }

private:
    FakeDesktop* m_desktop;
};
} // namespace

PrivateBus::~PrivateBus()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

bool PrivateBus::start()
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {"--session", "--nofork", "--nopidfile", "--print-address", "--address=unix:tmpdir=/tmp"});
    if (!m_daemon.waitForStarted(5000))
        return false;
    QElapsedTimer timer;
    timer.start();
    while (!m_daemon.canReadLine() && timer.elapsed() < 10000)
        m_daemon.waitForReadyRead(200);
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    return !m_address.isEmpty();
}

FakeDesktop::FakeDesktop(const QString& sessionAddress, const QString& systemAddress, int services)
    : m_sessionAddress(sessionAddress), m_systemAddress(systemAddress), m_services(services)
{
}

FakeDesktop::~FakeDesktop()
{
    quit();
    wait();
    for (int fd : m_lockReadEnds)
        ::close(fd);
}

bool FakeDesktop::begin()
{
    start();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        {
            QMutexLocker lock(&m_mutex);
            if (m_ready)
                return true;
        }
        QThread::msleep(20);
    }
    return false;
}

void FakeDesktop::run()
{
    {
        QDBusConnection session = QDBusConnection::connectToBus(m_sessionAddress, kSessionName);
        QDBusConnection system = QDBusConnection::connectToBus(m_systemAddress, kSystemName);
        FakeNotifications notifications(this);
        FakeScreenSaver screenSaver(this);
        FakeFileManager fileManager(this);
        FakeLogin login(this);
        if (m_services & Notifications) {
            session.registerObject("/org/freedesktop/Notifications", &notifications,
                                   QDBusConnection::ExportAllSlots);
            session.registerService("org.freedesktop.Notifications");
        }
        if (m_services & ScreenSaver) {
            session.registerObject("/org/freedesktop/ScreenSaver", &screenSaver,
                                   QDBusConnection::ExportAllSlots);
            session.registerService("org.freedesktop.ScreenSaver");
        }
        if (m_services & FileManager) {
            session.registerObject("/org/freedesktop/FileManager1", &fileManager,
                                   QDBusConnection::ExportAllSlots);
            session.registerService("org.freedesktop.FileManager1");
        }
        if (m_services & Login) {
            system.registerObject("/org/freedesktop/login1", &login, QDBusConnection::ExportAllSlots);
            system.registerService("org.freedesktop.login1");
        }
        {
            QMutexLocker lock(&m_mutex);
            m_ready = true;
        }
        exec();
        session.unregisterObject("/org/freedesktop/Notifications");
        session.unregisterObject("/org/freedesktop/ScreenSaver");
        session.unregisterObject("/org/freedesktop/FileManager1");
        system.unregisterObject("/org/freedesktop/login1");
    }
    QDBusConnection::disconnectFromBus(kSessionName);
    QDBusConnection::disconnectFromBus(kSystemName);
}

QList<QVariantList> FakeDesktop::calls(const QString& method) const
{
    QMutexLocker lock(&m_mutex);
    QList<QVariantList> found;
    for (const auto& call : m_calls)
        if (call.first == method)
            found << call.second;
    return found;
}

void FakeDesktop::record(const QString& method, const QVariantList& arguments)
{
    QMutexLocker lock(&m_mutex);
    m_calls.append({method, arguments});
}

void FakeDesktop::holdLogin(bool hold)
{
    QMutexLocker lock(&m_mutex);
    m_holdLogin = hold;
}

bool FakeDesktop::holdsLogin() const
{
    QMutexLocker lock(&m_mutex);
    return m_holdLogin;
}

void FakeDesktop::heldLogin(const QDBusMessage& call)
{
    QMutexLocker lock(&m_mutex);
    m_heldLogins << call;
}

void FakeDesktop::answerLogin()
{
    QList<QDBusMessage> held;
    {
        QMutexLocker lock(&m_mutex);
        held.swap(m_heldLogins);
    }
    for (const QDBusMessage& call : held) {
        const int writeEnd = newLoginLock();
        QDBusConnection(kSystemName)
            .send(call.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(writeEnd))));
        ::close(writeEnd);
    }
}

int FakeDesktop::newLoginLock()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return -1;
    QMutexLocker lock(&m_mutex);
    m_lockReadEnds << ends[0];
    return ends[1];
}

bool FakeDesktop::loginLockHeld() const
{
    QMutexLocker lock(&m_mutex);
    if (m_lockReadEnds.isEmpty())
        return false;
    pollfd probe{m_lockReadEnds.last(), POLLIN, 0};
    // POLLHUP: every write end is closed, so nobody holds the lock any more.
    return ::poll(&probe, 1, 0) == 0;
}

int FakeDesktop::loginLocksHandedOut() const
{
    QMutexLocker lock(&m_mutex);
    return m_lockReadEnds.size();
}

void FakeDesktop::invokeAction(uint id, const QString& actionKey)
{
    QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                     "org.freedesktop.Notifications", "ActionInvoked");
    signal << id << actionKey;
    QDBusConnection(kSessionName).send(signal);
}

#include "fakedesktop.moc"

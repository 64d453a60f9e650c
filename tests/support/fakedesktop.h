#pragma once

#include <QDBusMessage>
#include <QMutex>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QVariantList>

// A private dbus-daemon for one test, owned by the test; stopped with it.
class PrivateBus final
{
public:
    PrivateBus() = default;
    ~PrivateBus();
    // False when dbus-daemon is missing or does not start.
    bool start();
    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// Stand-ins for the desktop's services, answering from a thread of their own so that a blocking
// call of the code under test (the file manager's ShowItems) finds them awake. Services are
// registered per bus: notifications, screensaver and file manager on the session bus, logind on
// the system bus. What they were asked is recorded as "Method" + arguments.
class FakeDesktop final : public QThread
{
    Q_OBJECT
public:
    enum Service
    {
        Notifications = 0x1,
        ScreenSaver = 0x2,
        FileManager = 0x4,
        Login = 0x8
    };
    FakeDesktop(const QString& sessionAddress, const QString& systemAddress, int services);
    ~FakeDesktop() override;

    // Waits until the services are on their buses.
    bool begin();
    QList<QVariantList> calls(const QString& method) const;
    // logind's answers are held back until answerLogin() when set.
    void holdLogin(bool hold);
    void answerLogin();
    // The lock logind handed out last is still held by someone (its write end is open).
    bool loginLockHeld() const;
    int loginLocksHandedOut() const;
    // The notification server's user clicked notification id, or another action of it.
    void invokeAction(uint id, const QString& actionKey);

    // Called by the services, in the services' thread.
    void record(const QString& method, const QVariantList& arguments);
    int newLoginLock();
    void heldLogin(const QDBusMessage& call);
    bool holdsLogin() const;

protected:
    void run() override;

private:
    QString m_sessionAddress;
    QString m_systemAddress;
    int m_services;
    mutable QMutex m_mutex;
    QList<QPair<QString, QVariantList>> m_calls;
    QList<QDBusMessage> m_heldLogins;
    bool m_holdLogin = false;
    QList<int> m_lockReadEnds;
    bool m_ready = false;
};

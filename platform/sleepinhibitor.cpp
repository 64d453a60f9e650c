#include "platform/sleepinhibitor.h"

#include "platform/apppaths.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

namespace {
class Hold final : public QObject
{
public:
    Hold(SleepInhibitor* inhibitor, QObject* owner) : QObject(owner), m_inhibitor(inhibitor)
    {
        inhibitor->acquire();
    }
    ~Hold() override
    {
        if (m_inhibitor)
            m_inhibitor->release();
    }

private:
    QPointer<SleepInhibitor> m_inhibitor;
};

QString why()
{
    return QCoreApplication::translate("SleepInhibitor", "正在转换文件");
}

QDBusMessage screenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}
} // namespace

SleepInhibitor::SleepInhibitor(const QDBusConnection& systemBus, const QDBusConnection& sessionBus,
                               QObject* parent)
    : QObject(parent), m_system(systemBus), m_session(sessionBus)
{
}

SleepInhibitor::~SleepInhibitor()
{
    releaseAll();
}

SleepInhibitor* SleepInhibitor::instance()
{
    static QPointer<SleepInhibitor> shared;
    if (!shared && QCoreApplication::instance()) {
        shared = new SleepInhibitor(QDBusConnection::systemBus(), QDBusConnection::sessionBus(),
                                    QCoreApplication::instance());
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, shared.data(),
                &SleepInhibitor::releaseAll);
    }
    return shared;
}

void SleepInhibitor::acquire()
{
    ++m_holders;
    if (m_holders == 1 && !isInhibiting() && m_pending == Pending::None)
        askLogin();
}

QObject* SleepInhibitor::hold(QObject* owner)
{
    return new Hold(this, owner);
}

void SleepInhibitor::release()
{
    if (m_holders == 0)
        return;
    --m_holders;
    // An answer still on its way is given back when it comes.
    if (m_holders == 0 && m_pending == Pending::None)
        giveBack();
}

void SleepInhibitor::releaseAll()
{
    m_holders = 0;
    m_lock = QDBusUnixFileDescriptor();
    if (m_cookie != 0 && m_session.isConnected()) {
        QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
        call << m_cookie;
        // Bounded: a hung screensaver must not hold the exit; it drops our inhibit with our bus name anyway.
        m_session.call(call, QDBus::Block, 500);
    }
    m_cookie = 0;
}

void SleepInhibitor::askLogin()
{
    if (!m_system.isConnected()) {
        askScreenSaver();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << AppPaths::displayName() << why() << QStringLiteral("block");
    m_pending = Pending::Login;
    auto* watcher = new QDBusPendingCallWatcher(m_system.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
        done->deleteLater();
        m_pending = Pending::None;
        // The lock lasts while any copy of the descriptor is open: ours is the only one kept.
        if (reply.isValid() && reply.value().isValid())
            m_lock = reply.value();
        else if (m_holders > 0)
            askScreenSaver();
        if (m_holders == 0)
            giveBack();
    });
}

void SleepInhibitor::askScreenSaver()
{
    if (!m_session.isConnected())
        return;
    QDBusMessage call = screenSaverCall(QStringLiteral("Inhibit"));
    call << AppPaths::displayName() << why();
    m_pending = Pending::ScreenSaver;
    auto* watcher = new QDBusPendingCallWatcher(m_session.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<uint> reply = *done;
        done->deleteLater();
        m_pending = Pending::None;
        if (reply.isValid())
            m_cookie = reply.value();
        if (m_holders == 0)
            giveBack();
    });
}

void SleepInhibitor::giveBack()
{
    m_lock = QDBusUnixFileDescriptor();
    if (m_cookie == 0)
        return;
    QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
    call << m_cookie;
    m_session.asyncCall(call);
    m_cookie = 0;
}

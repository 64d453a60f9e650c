#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

// Keeps the machine awake while batches run: logind's "sleep" block lock on the system bus,
// else the session's screensaver inhibit. Holders are counted, so pages running at once share
// one inhibit. Every call is asynchronous; with neither service nothing happens.
class SleepInhibitor final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SleepInhibitor)
public:
    SleepInhibitor(const QDBusConnection& systemBus, const QDBusConnection& sessionBus, QObject* parent);
    // Released at exit as well.
    ~SleepInhibitor() override;

    // The program's one inhibitor, on the real buses, made with the application.
    static SleepInhibitor* instance();

    void acquire();
    void release();
    // A hold for as long as the returned object lives; it is made a child of owner, so that an
    // owner that goes (a page, a runner) can never leave the machine awake.
    QObject* hold(QObject* owner);
    // At exit: every hold ends now, the screensaver told before the bus goes.
    void releaseAll();
    int holders() const { return m_holders; }
    // An inhibit is in place (an answer has come and not been given back yet).
    bool isInhibiting() const { return m_lock.isValid() || m_cookie != 0; }

private:
    enum class Pending
    {
        None,
        Login,
        ScreenSaver
    };
    void askLogin();
    void askScreenSaver();
    void giveBack();

    QDBusConnection m_system;
    QDBusConnection m_session;
    int m_holders = 0;
    Pending m_pending = Pending::None;
    QDBusUnixFileDescriptor m_lock;
    uint m_cookie = 0;
};

#include "platform/apppaths.h"
#include "platform/desktopnotifier.h"
#include "platform/sleepinhibitor.h"
#include "support/fakedesktop.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

// The end-of-batch notification and the sleep inhibit, against private buses with stand-ins for
// the desktop's services. The code's own connections are the real "session" and "system" buses
// of this process, pointed at the private daemons before first use.
class TestDesktopServices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void notificationCarriesTheSummaryAndItsClickShowsTheResult();
    void onlyTheDefaultActionOfOurOwnNotificationReveals();
    void loginLockIsSharedByHoldersAndGivenBackByTheLast();
    void loginLockEndsWithItsHolderOrTheProgram();
    void anAnswerAfterTheLastReleaseIsGivenBackAtOnce();
    void screenSaverStandsInWithoutLogin();
    void noServiceOrNoBusChangesNothing();

private:
    PrivateBus m_session;
    PrivateBus m_system;
    PrivateBus m_bare;
    QTemporaryDir m_dir;
};

void TestDesktopServices::initTestCase()
{
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
        QSKIP("dbus-daemon is needed for a private bus");
    QVERIFY(m_session.start());
    QVERIFY(m_system.start());
    QVERIFY(m_bare.start());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_session.address().toUtf8());
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_system.address().toUtf8());
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    QVERIFY(QDBusConnection::systemBus().isConnected());
}

void TestDesktopServices::notificationCarriesTheSummaryAndItsClickShowsTheResult()
{
    FakeDesktop desktop(m_session.address(), m_system.address(),
                        FakeDesktop::Notifications | FakeDesktop::FileManager);
    QVERIFY(desktop.begin());
    DesktopNotifier notifier(nullptr);
    QSignalSpy activated(&notifier, &DesktopNotifier::activated);
    const QString result = m_dir.filePath("照片 1.jpg");
    notifier.notify("完成 24 个，失败 3 个", result);
    QTRY_COMPARE(desktop.calls("Notify").size(), 1);
    const QVariantList call = desktop.calls("Notify").first();
    QCOMPARE(call.at(0).toString(), AppPaths::displayName());
    QCOMPARE(call.at(2).toString(), QStringLiteral("io.github.chengying.Chengying"));
    QCOMPARE(call.at(4).toString(), QStringLiteral("完成 24 个，失败 3 个"));
    QVERIFY(call.at(5).toStringList().contains("default"));
    QCOMPARE(call.at(6).toMap().value("desktop-entry").toString(),
             QStringLiteral("io.github.chengying.Chengying"));

    // The stand-in numbers its notifications from 41.
    desktop.invokeAction(41, "default");
    QTRY_COMPARE(activated.size(), 1);
    QCOMPARE(activated.first().first().toString(), result);
    QTRY_COMPARE(desktop.calls("ShowItems").size(), 1);
    QCOMPARE(desktop.calls("ShowItems").first().first().toStringList(),
             QStringList{QUrl::fromLocalFile(result).toString()});
}

void TestDesktopServices::onlyTheDefaultActionOfOurOwnNotificationReveals()
{
    FakeDesktop desktop(m_session.address(), m_system.address(),
                        FakeDesktop::Notifications | FakeDesktop::FileManager);
    QVERIFY(desktop.begin());
    DesktopNotifier notifier(nullptr);
    QSignalSpy activated(&notifier, &DesktopNotifier::activated);
    notifier.notify("完成 1 个，失败 0 个", m_dir.filePath("a.png"));
    QTRY_COMPARE(desktop.calls("Notify").size(), 1);
    // Another program's notification, and another action of ours.
    desktop.invokeAction(7, "default");
    desktop.invokeAction(41, "dismiss");
    // A click that does count follows them on the same connection, so the two before were read.
    desktop.invokeAction(41, "default");
    QTRY_COMPARE(activated.size(), 1);
    QCOMPARE(desktop.calls("ShowItems").size(), 1);
}

void TestDesktopServices::loginLockIsSharedByHoldersAndGivenBackByTheLast()
{
    FakeDesktop desktop(m_session.address(), m_system.address(),
                        FakeDesktop::Login | FakeDesktop::ScreenSaver);
    QVERIFY(desktop.begin());
    SleepInhibitor inhibitor(QDBusConnection::systemBus(), QDBusConnection::sessionBus(), nullptr);
    inhibitor.acquire();
    inhibitor.acquire();
    QTRY_VERIFY(desktop.loginLockHeld());
    QVERIFY(inhibitor.isInhibiting());
    const QVariantList call = desktop.calls("LoginInhibit").first();
    QCOMPARE(call.at(0).toString(), QStringLiteral("sleep"));
    QCOMPARE(call.at(1).toString(), AppPaths::displayName());
    QVERIFY(!call.at(2).toString().isEmpty());
    QCOMPARE(call.at(3).toString(), QStringLiteral("block"));

    inhibitor.release();
    QTest::qWait(200);
    QVERIFY(desktop.loginLockHeld());
    inhibitor.release();
    QTRY_VERIFY(!desktop.loginLockHeld());
    // A release too many is no error and asks nothing.
    inhibitor.release();
    QCOMPARE(inhibitor.holders(), 0);

    // The next batch takes a fresh lock.
    inhibitor.acquire();
    QTRY_COMPARE(desktop.loginLocksHandedOut(), 2);
    QTRY_VERIFY(desktop.loginLockHeld());
    inhibitor.release();
    QTRY_VERIFY(!desktop.loginLockHeld());
    QCOMPARE(desktop.calls("LoginInhibit").size(), 2);
    QVERIFY(desktop.calls("Inhibit").isEmpty());
}

void TestDesktopServices::loginLockEndsWithItsHolderOrTheProgram()
{
    FakeDesktop desktop(m_session.address(), m_system.address(), FakeDesktop::Login);
    QVERIFY(desktop.begin());
    auto* inhibitor =
        new SleepInhibitor(QDBusConnection::systemBus(), QDBusConnection::sessionBus(), nullptr);
    auto* page = new QObject();
    inhibitor->hold(page);
    QTRY_VERIFY(desktop.loginLockHeld());
    delete page;
    QTRY_VERIFY(!desktop.loginLockHeld());
    QCOMPARE(inhibitor->holders(), 0);

    inhibitor->acquire();
    QTRY_VERIFY(desktop.loginLockHeld());
    delete inhibitor;
    QTRY_VERIFY(!desktop.loginLockHeld());
}

void TestDesktopServices::anAnswerAfterTheLastReleaseIsGivenBackAtOnce()
{
    FakeDesktop desktop(m_session.address(), m_system.address(), FakeDesktop::Login);
    QVERIFY(desktop.begin());
    desktop.holdLogin(true);
    SleepInhibitor inhibitor(QDBusConnection::systemBus(), QDBusConnection::sessionBus(), nullptr);
    QElapsedTimer timer;
    timer.start();
    inhibitor.acquire();
    // The page goes on while logind thinks: nothing here waits for its answer.
    QVERIFY(timer.elapsed() < 1000);
    QTRY_COMPARE(desktop.calls("LoginInhibit").size(), 1);
    inhibitor.release();
    desktop.answerLogin();
    QTRY_COMPARE(desktop.loginLocksHandedOut(), 1);
    QTRY_VERIFY(!desktop.loginLockHeld());
    QVERIFY(!inhibitor.isInhibiting());
}

void TestDesktopServices::screenSaverStandsInWithoutLogin()
{
    FakeDesktop desktop(m_session.address(), m_system.address(), FakeDesktop::ScreenSaver);
    QVERIFY(desktop.begin());
    {
        SleepInhibitor inhibitor(QDBusConnection::systemBus(), QDBusConnection::sessionBus(), nullptr);
        inhibitor.acquire();
        inhibitor.acquire();
        QTRY_COMPARE(desktop.calls("Inhibit").size(), 1);
        QTRY_VERIFY(inhibitor.isInhibiting());
        QCOMPARE(desktop.calls("Inhibit").first().at(0).toString(), AppPaths::displayName());
        const uint cookie = desktop.calls("Inhibit").first().at(2).toUInt();
        inhibitor.release();
        inhibitor.release();
        QTRY_COMPARE(desktop.calls("UnInhibit").size(), 1);
        QCOMPARE(desktop.calls("UnInhibit").first().first().toUInt(), cookie);

        // Held at exit: given back before the program goes.
        inhibitor.acquire();
        QTRY_VERIFY(inhibitor.isInhibiting());
    }
    QCOMPARE(desktop.calls("Inhibit").size(), 2);
    QCOMPARE(desktop.calls("UnInhibit").size(), 2);
    QCOMPARE(desktop.calls("UnInhibit").last().first().toUInt(),
             desktop.calls("Inhibit").last().at(2).toUInt());
}

void TestDesktopServices::noServiceOrNoBusChangesNothing()
{
    QDBusConnection bare = QDBusConnection::connectToBus(m_bare.address(), "bare");
    QVERIFY(bare.isConnected());
    QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none");
    QVERIFY(!none.isConnected());
    for (const QDBusConnection& bus : {bare, none}) {
        QElapsedTimer timer;
        timer.start();
        SleepInhibitor inhibitor(bus, bus, nullptr);
        DesktopNotifier notifier(bus, nullptr);
        inhibitor.acquire();
        notifier.notify("完成 1 个，失败 0 个", m_dir.path());
        inhibitor.release();
        inhibitor.acquire();
        QVERIFY(timer.elapsed() < 1000);
        // Whatever answers come (errors), they leave nothing held and nothing to undo.
        QTest::qWait(300);
        QVERIFY(!inhibitor.isInhibiting());
        inhibitor.release();
        QCOMPARE(inhibitor.holders(), 0);
    }
    QDBusConnection::disconnectFromBus("bare");
    QDBusConnection::disconnectFromBus("none");
}

QTEST_GUILESS_MAIN(TestDesktopServices)
#include "tst_desktopservices.moc"

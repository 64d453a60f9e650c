#include "platform/singleinstanceguard.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>
#include <unistd.h>

// Starts the real executable under a private X server, as a user would, and answers its
// notice with the keyboard.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void secondStartShowsTheNoticeAndExitsZero();
    void aKilledInstanceDoesNotLockOutTheNextStart();
    void anotherUserStartsAnInstanceOfTheirOwn();

private:
    QProcess* startApp(const QStringList& asUser = {});
    int windowCount(const QString& title);
    bool waitForWindow(const QString& title, int timeoutMs);
    void answerNotice();
    QString xdotool(const QStringList& args);

    QProcess m_xvfb;
    QString m_display;
    QList<QProcess*> m_apps;
};

void TestSingleInstance::initTestCase()
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        QSKIP("Xvfb and xdotool are needed to answer the notice");
    // The guard is per user and IPC namespace: a copy of the application running in ours would
    // answer for us. Copies in sandboxes of their own ("unshare --ipc") do not count.
    if (!SingleInstanceGuard(QStringLiteral("chengying")).tryAcquire())
        QSKIP("the application is running in this IPC namespace already");
    m_display = QStringLiteral(":%1").arg(200 + QCoreApplication::applicationPid() % 500);
    // -noreset: the server would otherwise restart, refusing clients, each time the last one leaves.
    m_xvfb.start("Xvfb", {m_display, "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"});
    QVERIFY(m_xvfb.waitForStarted());
    // The socket appears before the server accepts clients: wait until one gets an answer.
    QTRY_VERIFY_WITH_TIMEOUT(!xdotool({"getdisplaygeometry"}).isEmpty(), 20000);
}

void TestSingleInstance::cleanupTestCase()
{
    for (QProcess* app : m_apps) {
        app->kill();
        app->waitForFinished();
        delete app;
    }
    m_xvfb.terminate();
    m_xvfb.waitForFinished();
}

QProcess* TestSingleInstance::startApp(const QStringList& asUser)
{
    auto* app = new QProcess();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    app->setProcessEnvironment(env);
    app->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (asUser.isEmpty())
        app->start(QStringLiteral(APP_BINARY_DIR "/chengying"), {});
    else
        app->start(asUser.first(), asUser.mid(1) + QStringList{QStringLiteral(APP_BINARY_DIR "/chengying")});
    m_apps << app;
    return app;
}

QString TestSingleInstance::xdotool(const QStringList& args)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    tool.setProcessEnvironment(env);
    tool.start("xdotool", args);
    tool.waitForFinished(5000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

bool TestSingleInstance::waitForWindow(const QString& title, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (!xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}).isEmpty())
            return true;
        QTest::qWait(200);
    }
    return false;
}

void TestSingleInstance::answerNotice()
{
    const QString window = xdotool({"search", "--onlyvisible", "--name", "^温馨提示$"}).section('\n', 0, 0);
    // Focus, then type through XTEST: a key sent to the window itself loses its release when the
    // press already closed the window, and the key then stays down for the next test.
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "Return"});
}

void TestSingleInstance::secondStartShowsTheNoticeAndExitsZero()
{
    QProcess* first = startApp();
    QVERIFY(waitForWindow("澄影HEIC图片转换器", 20000));
    QProcess* second = startApp();
    QVERIFY2(waitForWindow("温馨提示", 20000), "the second start showed no notice");
    answerNotice();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    first->terminate();
    QVERIFY(first->waitForFinished(10000));
}

void TestSingleInstance::aKilledInstanceDoesNotLockOutTheNextStart()
{
    QProcess* crashed = startApp();
    QVERIFY(waitForWindow("澄影HEIC图片转换器", 20000));
    ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
    QVERIFY(crashed->waitForFinished(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!waitForWindow("澄影HEIC图片转换器", 100), 10000);

    QProcess* next = startApp();
    QVERIFY2(waitForWindow("澄影HEIC图片转换器", 20000), "the start after a crash did not open its window");
    QVERIFY(!waitForWindow("温馨提示", 1000));
    QCOMPARE(next->state(), QProcess::Running);

    // And it holds the guard itself: one more start is refused.
    QProcess* refused = startApp();
    QVERIFY(waitForWindow("温馨提示", 20000));
    answerNotice();
    QVERIFY(refused->waitForFinished(10000));
    QCOMPARE(refused->exitCode(), 0);
    next->terminate();
    QVERIFY(next->waitForFinished(10000));
}

int TestSingleInstance::windowCount(const QString& title)
{
    const QString found = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
    return found.isEmpty() ? 0 : found.split('\n').size();
}

void TestSingleInstance::anotherUserStartsAnInstanceOfTheirOwn()
{
    // Root ignores IPC permissions, so only a real second user shows that the keys are the user's.
    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("needs root and setpriv to start as a second user");
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::WriteOther | QFileDevice::ExeOther));
    QProcess* mine = startApp();
    QVERIFY(waitForWindow("澄影HEIC图片转换器", 20000));
    const QStringList nobody{"env",           "HOME=" + home.path(), "XDG_RUNTIME_DIR=", "setpriv",
                             "--reuid=65534", "--regid=65534",       "--clear-groups"};
    QProcess* theirs = startApp(nobody);
    QTRY_COMPARE_WITH_TIMEOUT(windowCount("澄影HEIC图片转换器"), 2, 20000);
    QVERIFY(!waitForWindow("温馨提示", 1000));
    QCOMPARE(theirs->state(), QProcess::Running);
    // And the first user's own second start is still refused.
    QProcess* refused = startApp();
    QVERIFY(waitForWindow("温馨提示", 20000));
    answerNotice();
    QVERIFY(refused->waitForFinished(10000));
    QCOMPARE(refused->exitCode(), 0);
    for (QProcess* app : {theirs, mine}) {
        app->terminate();
        QVERIFY(app->waitForFinished(10000));
    }
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

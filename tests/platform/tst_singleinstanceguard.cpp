#include "platform/singleinstanceguard.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

// The per-user lock, in a runtime folder of the test's own so that a running copy of the
// program never answers for it.
class TestSingleInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void oneHolderPerNameUntilItGoes();
    void aKilledHolderLeavesNothingBehind();
    void toolsStartedByTheHolderDoNotKeepTheLock();

private:
    QTemporaryDir m_runtime;
};

void TestSingleInstanceGuard::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    QVERIFY(QFile::setPermissions(m_runtime.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QVERIFY(SingleInstanceGuard::lockPath("guarded").startsWith(m_runtime.path() + "/guarded-"));
}

void TestSingleInstanceGuard::oneHolderPerNameUntilItGoes()
{
    auto* first = new SingleInstanceGuard("guarded");
    QVERIFY(first->tryAcquire());
    QVERIFY(first->tryAcquire());
    SingleInstanceGuard second("guarded");
    QVERIFY(!second.tryAcquire());
    SingleInstanceGuard other("another");
    QVERIFY(other.tryAcquire());
    delete first;
    QVERIFY(second.tryAcquire());
    // The file stays for the next start: a start that had it open already must lock the same file.
    QVERIFY(QFile::exists(SingleInstanceGuard::lockPath("guarded")));
}

void TestSingleInstanceGuard::aKilledHolderLeavesNothingBehind()
{
    if (QStandardPaths::findExecutable("flock").isEmpty())
        QSKIP("util-linux's flock holds the lock from another process");
    // One process holds the lock on its own descriptor, as the program does, and dies by SIGKILL.
    QProcess holder;
    holder.start("sh", {"-c", "exec 9>>\"$0\" && flock --exclusive 9 && exec sleep 60",
                        SingleInstanceGuard::lockPath("crashing")});
    QVERIFY(holder.waitForStarted());
    QTRY_VERIFY(!SingleInstanceGuard("crashing").tryAcquire());
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    QVERIFY(holder.waitForFinished(5000));
    QVERIFY(SingleInstanceGuard("crashing").tryAcquire());
}

void TestSingleInstanceGuard::toolsStartedByTheHolderDoNotKeepTheLock()
{
    auto* holder = new SingleInstanceGuard("tools");
    QVERIFY(holder->tryAcquire());
    QProcess tool;
    tool.start("sleep", {"30"});
    QVERIFY(tool.waitForStarted());
    delete holder;
    QVERIFY(SingleInstanceGuard("tools").tryAcquire());
    tool.kill();
    tool.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSingleInstanceGuard)
#include "tst_singleinstanceguard.moc"

#include "platform/apppaths.h"
#include "platform/toollauncher.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

// The launcher must tell apart every way a tool can end, because callers judge success by it.
class TestToolLauncher : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        AppPaths::setAppDirForTesting(m_dir.path());
    }
    void cleanup() { AppPaths::setAppDirForTesting(QString()); }

    void outcomes_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("stderrText");
        QTest::newRow("success") << "exit 0\n" << true << true << 0 << QByteArray();
        QTest::newRow("warning on stderr, exit 0")
            << "echo 'convert: Warning @ warning/x.c' >&2\nexit 0\n"
            << true << true << 0 << QByteArray("convert: Warning @ warning/x.c\n");
        QTest::newRow("exit 2") << "echo bad >&2\nexit 2\n" << true << false << 2 << QByteArray("bad\n");
        QTest::newRow("silent failure") << "exit 1\n" << true << false << 1 << QByteArray();
    }
    void outcomes()
    {
        QFETCH(QString, body);
        QFETCH(bool, started);
        QFETCH(bool, clean);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, stderrText);
        QVERIFY(Fixtures::writeScript(m_dir.filePath("tool"), body));
        const ToolResult r = ToolLauncher::run("tool", {});
        QCOMPARE(r.started, started);
        QCOMPARE(r.exitedCleanly(), clean);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.standardError, stderrText);
        QCOMPARE(r.failureReason().isEmpty(), clean);
    }

    void crashIsAFailure()
    {
        QVERIFY(Fixtures::writeScript(m_dir.filePath("tool"), "kill -SEGV $$\n"));
        const ToolResult r = ToolLauncher::run("tool", {});
        QVERIFY(r.started);
        QCOMPARE(r.exitStatus, QProcess::CrashExit);
        QVERIFY(!r.exitedCleanly());
    }

    void missingToolNeverStarts()
    {
        const ToolResult r = ToolLauncher::run("decoder/nothing/here", {});
        QVERIFY(!r.started);
        QVERIFY(!r.exitedCleanly());
        QVERIFY(r.failureReason().startsWith("could not start"));
    }

    void runsInAppFolderWithArgumentsVerbatimAndNoInput()
    {
        // A tool that reads its input would wait forever on a terminal: input must be closed.
        QVERIFY(Fixtures::writeScript(m_dir.filePath("tool"),
                                      "pwd > out.txt\nfor a in \"$@\"; do echo \"[$a]\" >> out.txt; done\n"
                                      "cat >> out.txt\necho \"$XDG_CONFIG_HOME\" >> out.txt\n"));
        const ToolResult r = ToolLauncher::run("tool", {"-leading dash", "two words", "*.png", ""}, 20000);
        QVERIFY(r.exitedCleanly());
        QFile out(m_dir.filePath("out.txt"));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(out.readAll()).split('\n');
        QCOMPARE(lines.value(0), QDir(m_dir.path()).canonicalPath());
        QCOMPARE(lines.mid(1, 4), QStringList({"[-leading dash]", "[two words]", "[*.png]", "[]"}));
        QCOMPARE(lines.value(5), m_dir.path() + "/config");
    }

    void magickFindsOurPolicyFirst_data()
    {
        QTest::addColumn<QByteArray>("userPath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unset") << QByteArray() << "/config/ImageMagick";
        QTest::newRow("the user's own path stays, after ours")
            << QByteArray("/home/someone/magick") << "/config/ImageMagick:/home/someone/magick";
    }
    void magickFindsOurPolicyFirst()
    {
        QFETCH(QByteArray, userPath);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("MAGICK_CONFIGURE_PATH");
        const bool wasSet = qEnvironmentVariableIsSet("MAGICK_CONFIGURE_PATH");
        if (userPath.isEmpty())
            qunsetenv("MAGICK_CONFIGURE_PATH");
        else
            qputenv("MAGICK_CONFIGURE_PATH", userPath);
        const QString value = ToolLauncher::childEnvironment().value("MAGICK_CONFIGURE_PATH");
        if (wasSet)
            qputenv("MAGICK_CONFIGURE_PATH", saved);
        else
            qunsetenv("MAGICK_CONFIGURE_PATH");
        QCOMPARE(value, m_dir.path() + expected);
    }

    void hangingToolIsKilledAfterTheFinishWait()
    {
        QVERIFY(Fixtures::writeScript(m_dir.filePath("tool"), "sleep 30\n"));
        const ToolResult r = ToolLauncher::run("tool", {}, 300);
        QVERIFY(r.started);
        QVERIFY(!r.finished);
        QVERIFY(!r.exitedCleanly());
    }

    // A stopped tool gets SIGTERM and a moment to tidy up; one that ignores it is killed.
    void stopEndsWithAGraceThenKills_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("tidied");
        QTest::newRow("tidies up on SIGTERM")
            << "trap 'kill $!; echo tidied > tidied.txt; exit 3' TERM\nsleep 20 &\nwait\n"
            << true;
        QTest::newRow("ignores SIGTERM") << "trap '' TERM\nsleep 20 &\nwait\n" << false;
    }
    void stopEndsWithAGraceThenKills()
    {
        QFETCH(QString, body);
        QFETCH(bool, tidied);
        QFile::remove(m_dir.filePath("tidied.txt"));
        QVERIFY(Fixtures::writeScript(m_dir.filePath("tool"), body));
        std::atomic_bool cancel{false};
        std::thread stopper([&cancel]() {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            cancel = true;
        });
        QElapsedTimer timer;
        timer.start();
        const ToolResult r = ToolLauncher::run("tool", {}, ToolLauncher::kFinishWaitMs, &cancel);
        stopper.join();
        // Far less than the tool's own 20 s: it was ended, not waited for.
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(!r.finished);
        QCOMPARE(QFile::exists(m_dir.filePath("tidied.txt")), tidied);
        QCOMPARE(r.exitStatus, tidied ? QProcess::NormalExit : QProcess::CrashExit);
    }

    void runTempDirsAreDistinct()
    {
        const QString a = AppPaths::makeRunTempDir("batch");
        const QString b = AppPaths::makeRunTempDir("batch");
        QVERIFY(!a.isEmpty());
        QVERIFY(a != b);
        QVERIFY(a.startsWith(m_dir.path() + "/temp/.chengying-unfinished-"));
        QVERIFY(QDir(a).exists() && QDir(b).exists());
    }

    void tempFallsBackWhenAppFolderIsNotWritable()
    {
        // A regular file where the folder would be: no one, root included, can make "temp" there.
        QFile blocker(m_dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        AppPaths::setAppDirForTesting(m_dir.filePath("blocker/app"));
        const QString root = AppPaths::tempRoot();
        QVERIFY(!root.startsWith(m_dir.path()));
        QVERIFY(QFileInfo(root).isDir());
        QVERIFY(QFileInfo(root).isWritable());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestToolLauncher)
#include "tst_toollauncher.moc"

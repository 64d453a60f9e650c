#include "../media/mediafixtures.h"
#include "platform/apppaths.h"
#include "platform/partialoutput.h"
#include "support/fixtures.h"
#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// A program killed with SIGKILL mid-batch leaves no tool running and no file under a final name;
// what it left under partial names goes at the next start.
class TestKilledRun : public QObject
{
    Q_OBJECT
private slots:
    void killedMidBatch_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("mustSee");
        QTest::newRow("media: ffmpeg") << "media"
                                       << "ffmpeg";
        // magick -> convert -> Ghostscript, which no death signal of ours reaches directly.
        QTest::newRow("picture: magick, convert and Ghostscript") << "picture"
                                                                  << "gs";
    }
    void killedMidBatch()
    {
        QFETCH(QString, mode);
        QFETCH(QString, mustSee);
        QTemporaryDir work;
        const QString out = work.filePath("out");
        QVERIFY(QDir().mkpath(out));
        QStringList sources;
        if (mode == "media") {
            MediaFixtures::Clip clip;
            clip.seconds = 60;
            clip.audioCodec.clear();
            sources << work.filePath("long.mp4");
            QVERIFY(MediaFixtures::make(sources.first(), clip));
        } else {
            for (const char* name : {"a.pdf", "b.pdf"}) {
                sources << work.filePath(name);
                QVERIFY(Fixtures::makePdf(sources.last(), 30, 595, 842));
            }
        }

        QProcess driver;
        driver.start(QStringLiteral(APP_BINARY_DIR "/killed_run_driver"), QStringList{mode, out} + sources);
        QVERIFY(driver.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Processes::contains(Processes::descendantsOf(driver.processId()), mustSee),
                                 60000);
        // Something is being written by now: a partial file with content, or a partial folder.
        const auto writing = [&out]() {
            const QFileInfoList entries =
                QDir(out).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            return std::any_of(entries.begin(), entries.end(),
                               [](const QFileInfo& entry) { return entry.isDir() || entry.size() > 0; });
        };
        QTRY_VERIFY_WITH_TIMEOUT(writing(), 30000);
        const qint64 pid = driver.processId();
        const QList<Processes::Proc> tools = Processes::descendantsOf(pid);
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        QVERIFY(driver.waitForFinished(10000));
        QTRY_COMPARE_WITH_TIMEOUT(Processes::stillRunning(tools), QStringList(), 10000);
        // A tool that has not quite gone could still write: look once more a moment later.
        QTest::qWait(300);

        const QStringList left = QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY(!left.isEmpty());
        for (const QString& name : left)
            QVERIFY2(PartialOutput::ownerOf(name) > 0, qPrintable(name));

        // The next start's cleanup: the output folder and the temporary folder keep nothing of it.
        PartialOutput::removeStale(out, QDateTime::currentDateTime().addSecs(1));
        PartialOutput::removeStale(AppPaths::tempRoot(), QDateTime::currentDateTime().addSecs(1));
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        for (const QString& name :
             QDir(AppPaths::tempRoot()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            QVERIFY2(PartialOutput::ownerOf(name) != pid, qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestKilledRun)
#include "tst_killedrun.moc"

#include "mediafixtures.h"

#include "media/mediabatchrunner.h"
#include "platform/apppaths.h"
#include "support/fixtures.h"
#include "support/processes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The media runner as a page sees it: slots instead of object names, failures that stay failures.
class TestMediaBatchRunner : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_app.isValid() && m_work.isValid());
        QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
        AppPaths::setAppDirForTesting(m_app.path());
        QVERIFY(MediaFixtures::makeMp3(m_work.filePath("song.mp3")));
        QFile broken(m_work.filePath("broken.mp3"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a song at all");
    }

    void reportsNameTheirSlotsAndFailuresStayFailed()
    {
        const MediaJobList jobs{job("song.mp3", "rowA"), job("broken.mp3", "rowB")};
        MediaBatchRunner runner(AudioConversion, jobs, m_work.filePath("out"), {{"rowA", 4}, {"rowB", 7}},
                                nullptr);
        QSignalSpy progress(&runner, &BatchRunner::rowProgress);
        QSignalSpy done(&runner, &BatchRunner::rowDone);
        QSignalSpy end(&runner, &BatchRunner::batchDone);
        runner.start();
        QVERIFY(end.wait(60000));
        QCOMPARE(done.size(), 2);
        QCOMPARE(done.at(0).at(0).toInt(), 4);
        QVERIFY(done.at(0).at(2).toBool());
        QVERIFY(QFile::exists(done.at(0).at(1).toString()));
        QCOMPARE(done.at(1).at(0).toInt(), 7);
        QVERIFY(!done.at(1).at(2).toBool());
        QVERIFY(!qvariant_cast<JobFailure>(done.at(1).at(3)).detail.isEmpty());
        // The runner's closing 100 of the failed job never reaches its row.
        for (const QList<QVariant>& report : qAsConst(progress))
            QVERIFY(report.at(0).toInt() == 4 || report.at(1).toInt() < 100);
    }

    void stopEndsTheBatchPromptly()
    {
        // A long run: sound made of a generated tone, twenty minutes of it.
        const QString longSong = m_work.filePath("long.wav");
        QVERIFY(Fixtures::runTool(
            "ffmpeg", {"-v", "quiet", "-f", "lavfi", "-i", "sine=d=1200:r=8000", "-y", longSong}));
        MediaJob slow = job("long.wav", "rowA");
        slow.timeLen = 1200000;
        MediaBatchRunner runner(AudioConversion, {slow}, m_work.filePath("stopped"), {{"rowA", 0}}, nullptr);
        QSignalSpy end(&runner, &BatchRunner::batchDone);
        QSignalSpy progress(&runner, &BatchRunner::rowProgress);
        runner.start();
        // The encoder is under way once it reports.
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty(), 20000);
        QElapsedTimer timer;
        timer.start();
        runner.stop();
        QVERIFY(end.wait(10000));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        const QStringList left =
            Processes::stillRunning(Processes::descendantsOf(QCoreApplication::applicationPid()));
        QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
    }

private:
    MediaJob job(const QString& name, const QString& objectName) const
    {
        MediaJob job;
        job.oriFilePath = m_work.filePath(name);
        job.objectName = objectName;
        job.timeLen = 1000;
        job.format = CombEnum::MP3;
        job.audioQuality = 2;
        return job;
    }

    QTemporaryDir m_app;
    QTemporaryDir m_work;
};

QTEST_GUILESS_MAIN(TestMediaBatchRunner)
#include "tst_media_batchrunner.moc"

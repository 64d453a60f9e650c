#include "imaging/imgbatchrunner.h"
#include "imaging/imgjob.h"
#include "media/mediabatchrunner.h"
#include "media/mediafixtures.h"
#include "support/fixtures.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {
// Threads that keep every core busy while they live: tools start, end and report late.
class Load final
{
public:
    Load()
    {
        const int count = qMax(2, QThread::idealThreadCount());
        for (int i = 0; i < count; ++i) {
            m_threads.emplace_back([this] {
                volatile unsigned long spin = 0;
                while (!m_stop.load(std::memory_order_relaxed))
                    spin = spin + 1;
            });
        }
    }
    ~Load()
    {
        m_stop = true;
        for (std::thread& thread : m_threads)
            thread.join();
    }
    Q_DISABLE_COPY_MOVE(Load)

private:
    std::atomic_bool m_stop{false};
    std::vector<std::thread> m_threads;
};

struct Outcome
{
    bool ended = false;
    QVector<int> reportsPerSlot;
    int failures = 0;
    QStringList outputs;
};

// Runs the batch to its end, or until the deadline: a batch that never ends is the fault sought.
Outcome runToEnd(BatchRunner* runner, int jobCount, int deadlineMs)
{
    Outcome outcome;
    outcome.reportsPerSlot.fill(0, jobCount);
    QObject::connect(runner, &BatchRunner::rowDone, runner,
                     [&outcome](int slot, const QString& path, bool success, const JobFailure&) {
                         if (slot >= 0 && slot < outcome.reportsPerSlot.size())
                             ++outcome.reportsPerSlot[slot];
                         if (!success)
                             ++outcome.failures;
                         else
                             outcome.outputs << path;
                     });
    QSignalSpy end(runner, &BatchRunner::batchDone);
    runner->start();
    outcome.ended = end.wait(deadlineMs);
    return outcome;
}

QString missing(const Outcome& outcome)
{
    QStringList wrong;
    for (int slot = 0; slot < outcome.reportsPerSlot.size(); ++slot) {
        if (outcome.reportsPerSlot.at(slot) != 1)
            wrong << QStringLiteral("%1:%2").arg(slot).arg(outcome.reportsPerSlot.at(slot));
    }
    return wrong.mid(0, 20).join(QLatin1Char(' '));
}
} // namespace

// Hundreds of short jobs through both engines on a loaded machine: every job reports once and
// every batch ends, also when it is stopped at any moment.
class TestBatchStress : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void hundredsOfShortJobsAllReport();
    void stopsAtAnyMomentEndTheBatch();

private:
    ImgBatchRunner* pictureRunner(int count, const QString& out) const;
    MediaBatchRunner* mediaRunner(int count, const QString& out) const;

    QTemporaryDir m_in;
};

void TestBatchStress::initTestCase()
{
    QVERIFY(m_in.isValid());
    QVERIFY(
        Fixtures::makePicture(m_in.filePath("a.png"), QStringLiteral("gradient:"), QStringLiteral("24x16")));
    QVERIFY(Fixtures::makePicture(m_in.filePath("b.jpg"), QStringLiteral("rose:"), QStringLiteral("20x30")));
    MediaFixtures::Clip sound;
    sound.size = QSize(64, 48);
    sound.seconds = 0.36;
    QVERIFY(MediaFixtures::make(m_in.filePath("sound.mp4"), sound));
    MediaFixtures::Clip silent;
    silent.size = QSize(36, 64);
    silent.seconds = 0.52;
    silent.rate = 30;
    silent.audioCodec.clear();
    QVERIFY(MediaFixtures::make(m_in.filePath("silent.mp4"), silent));
}

ImgBatchRunner* TestBatchStress::pictureRunner(int count, const QString& out) const
{
    QList<ImgJobRecord> records;
    for (int i = 0; i < count; ++i)
        records << ImgJobRecords::make(
            i, m_in.filePath(i % 2 ? QStringLiteral("b.jpg") : QStringLiteral("a.png")));
    ImgJobParams params;
    params.operation = ImgOperation::Conversion;
    params.format = ImgFormat::Jpg;
    params.outputDir = out;
    return new ImgBatchRunner(params, records, nullptr);
}

MediaBatchRunner* TestBatchStress::mediaRunner(int count, const QString& out) const
{
    MediaJobList jobs;
    QHash<QString, int> slotOf;
    for (int i = 0; i < count; ++i) {
        MediaJob job;
        job.oriFilePath = m_in.filePath(i % 2 ? QStringLiteral("silent.mp4") : QStringLiteral("sound.mp4"));
        job.objectName = QStringLiteral("row_%1").arg(i);
        job.timeLen = i % 2 ? 520 : 360;
        job.format = CombEnum::MP4;
        job.mediaLocalType = 0;
        jobs << job;
        slotOf.insert(job.objectName, i);
    }
    return new MediaBatchRunner(FormatConversion, jobs, out, slotOf, nullptr);
}

void TestBatchStress::hundredsOfShortJobsAllReport()
{
    QTemporaryDir pictures;
    QTemporaryDir media;
    const Load load;
    constexpr int kPictures = 300;
    constexpr int kMedia = 150;
    QScopedPointer<ImgBatchRunner> picture(pictureRunner(kPictures, pictures.path()));
    QScopedPointer<MediaBatchRunner> clips(mediaRunner(kMedia, media.path()));
    // Both engines at once, as two pages would run them.
    QSignalSpy pictureEnd(picture.data(), &BatchRunner::batchDone);
    Outcome pictureOutcome;
    pictureOutcome.reportsPerSlot.fill(0, kPictures);
    connect(picture.data(), &BatchRunner::rowDone, this,
            [&pictureOutcome](int slot, const QString&, bool success, const JobFailure&) {
                if (slot >= 0 && slot < kPictures)
                    ++pictureOutcome.reportsPerSlot[slot];
                pictureOutcome.failures += success ? 0 : 1;
            });
    picture->start();
    const Outcome mediaOutcome = runToEnd(clips.data(), kMedia, 150000);
    pictureOutcome.ended = pictureEnd.count() > 0 || pictureEnd.wait(150000);
    QVERIFY2(mediaOutcome.ended, qPrintable(missing(mediaOutcome)));
    QVERIFY2(pictureOutcome.ended, qPrintable(missing(pictureOutcome)));
    QVERIFY2(missing(mediaOutcome).isEmpty(), qPrintable(missing(mediaOutcome)));
    QVERIFY2(missing(pictureOutcome).isEmpty(), qPrintable(missing(pictureOutcome)));
    QCOMPARE(mediaOutcome.failures, 0);
    QCOMPARE(pictureOutcome.failures, 0);
    QCOMPARE(QDir(pictures.path()).entryList(QDir::Files).size(), kPictures);
    QCOMPARE(QDir(media.path()).entryList(QDir::Files).size(), kMedia);
}

void TestBatchStress::stopsAtAnyMomentEndTheBatch()
{
    const Load load;
    QRandomGenerator random(20);
    for (int round = 0; round < 16; ++round) {
        QTemporaryDir out;
        QScopedPointer<BatchRunner> runner(round % 2
                                               ? static_cast<BatchRunner*>(pictureRunner(60, out.path()))
                                               : mediaRunner(30, out.path()));
        QSignalSpy end(runner.data(), &BatchRunner::batchDone);
        runner->start();
        QTest::qWait(int(random.bounded(20, 600)));
        QElapsedTimer timer;
        timer.start();
        runner->stop();
        QVERIFY2(end.count() > 0 || end.wait(5000), qPrintable(QStringLiteral("round %1").arg(round)));
        // Generous on a loaded machine; the page tests hold the one-second promise.
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    }
}

QTEST_GUILESS_MAIN(TestBatchStress)
#include "tst_batchstress.moc"

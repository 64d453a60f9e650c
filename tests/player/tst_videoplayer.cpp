#include "media/mediafixtures.h"
#include "player/videooutputwt.h"
#include "player/videoplayer.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The player on real clips made by ffmpeg: what the cut dialogs rely on.
class TestVideoPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playsAndPaintsFrames();
    void seekLandsOnTheAskedFrame();
    void seekWhilePausedPaintsTheNewFrame();
    void endOfFileStopsAndPlayRestarts();
    void unplayableFilesReportAnError_data();
    void unplayableFilesReportAnError();
    void resizeRendersTheFrameAgain();

private:
    QString clip(double seconds);

    QTemporaryDir m_dir;
};

void TestVideoPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestVideoPlayer::clip(double seconds)
{
    const QString path = m_dir.filePath(QStringLiteral("clip_%1.mp4").arg(seconds));
    if (!QFile::exists(path)) {
        MediaFixtures::Clip spec;
        spec.size = QSize(320, 180);
        spec.seconds = seconds;
        spec.rate = 25;
        MediaFixtures::make(path, spec);
    }
    return path;
}

namespace {
bool hasColour(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (qGray(image.pixel(x, y)) > 40)
                return true;
        }
    }
    return false;
}
} // namespace

void TestVideoPlayer::playsAndPaintsFrames()
{
    VideoOutputWT output;
    output.resize(320, 180);
    output.show();
    VideoPlayer player;
    QVERIFY(player.isAvailable());
    player.setRenderer(&output);
    QSignalSpy started(&player, &VideoPlayer::started);
    QSignalSpy positions(&player, &VideoPlayer::positionChanged);
    QSignalSpy painted(&output, &VideoOutputWT::framePainted);
    player.setFile(clip(3));
    QCOMPARE(player.mediaStartPosition(), 0);
    QVERIFY(!player.isPlaying());
    player.play();
    QVERIFY(player.isPlaying());
    QVERIFY(started.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(positions.count() >= 5, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() >= 3, 5000);
    QVERIFY(player.isSeekable());
    QCOMPARE(player.mediaStopPosition(), 3000);
    // Positions only grow while playing.
    qint64 last = -1;
    for (const QList<QVariant>& report : positions) {
        QVERIFY(report.at(0).toLongLong() >= last);
        last = report.at(0).toLongLong();
    }
    QVERIFY(last > 0);
    QVERIFY(hasColour(output.grab().toImage()));
}

void TestVideoPlayer::seekLandsOnTheAskedFrame()
{
    VideoOutputWT output;
    output.resize(320, 180);
    VideoPlayer player;
    player.setRenderer(&output);
    player.setFile(clip(3));
    QSignalSpy started(&player, &VideoPlayer::started);
    QSignalSpy finished(&player, &VideoPlayer::seekFinished);
    player.play();
    QVERIFY(started.wait(5000));
    for (const qint64 target : {2240, 520, 1000}) {
        finished.clear();
        player.seek(target);
        QVERIFY(finished.wait(5000));
        const qint64 landed = finished.last().at(0).toLongLong();
        // One frame is 40 ms at 25 frames per second.
        QVERIFY2(qAbs(landed - target) <= 40,
                 qPrintable(QStringLiteral("%1 for %2").arg(landed).arg(target)));
    }
}

void TestVideoPlayer::seekWhilePausedPaintsTheNewFrame()
{
    VideoOutputWT output;
    output.resize(320, 180);
    output.show();
    VideoPlayer player;
    player.setRenderer(&output);
    player.setFile(clip(3));
    QSignalSpy started(&player, &VideoPlayer::started);
    QSignalSpy painted(&output, &VideoOutputWT::framePainted);
    player.play();
    QVERIFY(started.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() >= 1, 5000);
    player.pause(true);
    QVERIFY(player.isPaused());
    QVERIFY(player.isPlaying());
    QTest::qWait(200);
    const QImage before = output.grab().toImage();
    QSignalSpy finished(&player, &VideoPlayer::seekFinished);
    painted.clear();
    player.seek(2000);
    QVERIFY(finished.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() >= 1, 5000);
    // testsrc2 moves every frame: the picture two seconds on differs.
    QVERIFY(output.grab().toImage() != before);
    // Still paused: the position stays where the seek put it.
    const qint64 landed = player.position();
    QTest::qWait(300);
    QCOMPARE(player.position(), landed);
}

void TestVideoPlayer::endOfFileStopsAndPlayRestarts()
{
    VideoOutputWT output;
    output.resize(160, 90);
    VideoPlayer player;
    player.setRenderer(&output);
    player.setFile(clip(1));
    QSignalSpy started(&player, &VideoPlayer::started);
    QSignalSpy stopped(&player, &VideoPlayer::stopped);
    player.play();
    QVERIFY(stopped.wait(8000));
    QCOMPARE(started.count(), 1);
    QVERIFY(!player.isPlaying());
    // Under load the last reports before the end are coalesced: only that it ran is certain.
    QVERIFY(player.position() > 0);
    // A seek while stopped does nothing.
    QSignalSpy finished(&player, &VideoPlayer::seekFinished);
    player.seek(100);
    QTest::qWait(200);
    QCOMPARE(finished.count(), 0);
    // Play again: from the start.
    QSignalSpy positions(&player, &VideoPlayer::positionChanged);
    player.play();
    QVERIFY(started.wait(5000));
    QVERIFY(player.isPlaying());
    QVERIFY(positions.count() >= 1);
    QCOMPARE(positions.first().at(0).toLongLong(), 0);
    QVERIFY(stopped.wait(8000));
    QCOMPARE(stopped.count(), 2);
}

void TestVideoPlayer::unplayableFilesReportAnError_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text named .mp4") << "text";
    QTest::newRow("missing file") << "missing";
    QTest::newRow("truncated mp4") << "truncated";
    QTest::newRow("no file set") << "none";
}

void TestVideoPlayer::unplayableFilesReportAnError()
{
    QFETCH(QString, kind);
    QString path;
    if (kind == "text") {
        path = m_dir.filePath("notes.mp4");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a video\n");
    } else if (kind == "missing") {
        path = m_dir.filePath("gone.mp4");
    } else if (kind == "truncated") {
        path = m_dir.filePath("half.mp4");
        QFile source(clip(3));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(source.read(300));
    }
    VideoOutputWT output;
    output.resize(160, 90);
    VideoPlayer player;
    player.setRenderer(&output);
    player.setFile(path);
    QSignalSpy started(&player, &VideoPlayer::started);
    QSignalSpy stopped(&player, &VideoPlayer::stopped);
    QSignalSpy error(&player, &VideoPlayer::error);
    player.play();
    QVERIFY(error.wait(5000));
    QVERIFY(!error.first().at(0).toString().isEmpty());
    QVERIFY(!player.isPlaying());
    QCOMPARE(started.count(), 0);
    QCOMPARE(stopped.count(), 0);
}

void TestVideoPlayer::resizeRendersTheFrameAgain()
{
    VideoOutputWT output;
    output.resize(320, 180);
    output.show();
    VideoPlayer player;
    player.setRenderer(&output);
    player.setFile(clip(3));
    QSignalSpy painted(&output, &VideoOutputWT::framePainted);
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() >= 1, 5000);
    player.pause(true);
    QTest::qWait(200);
    output.resize(200, 300);
    QCOMPARE(output.surface().size(), QSize(200, 300));
    QTRY_VERIFY_WITH_TIMEOUT(output.hasFrame(), 2000);
    // Fitted to the width, letterboxed above and below: the top rows are black.
    const QImage shot = output.grab().toImage();
    QCOMPARE(qGray(shot.pixel(100, 5)), 0);
    QVERIFY(hasColour(shot.copy(0, 100, 200, 100)));
}

QTEST_MAIN(TestVideoPlayer)
#include "tst_videoplayer.moc"

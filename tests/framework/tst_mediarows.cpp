#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/framegrabber.h"
#include "media/mediafixtures.h"
#include "media/mymediainfo.h"
#include "style/palette.h"

#include <QDir>
#include <QLabel>
#include <QMap>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QColor kLine(2, 125, 240);
const QColor kFill(229, 242, 255);
const QSize kCanvas(200, 100);

QImage painted(int percent, bool failed)
{
    QImage image(kCanvas, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TableRowWidget::paintProgress(painter, kCanvas, percent, failed, kLine, kFill);
    return image;
}

// Counts the paints a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Processes that are children of this test: a grab or a run left behind shows up here.
int childFfmpegs()
{
    int count = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(stat.readAll());
        const QStringList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.value(1) == self && text.contains("(ffmpeg)"))
            ++count;
    }
    return count;
}
} // namespace

// The card rows of the media pages and the frames of their thumbnails.
class TestMediaRows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(MediaFixtures::make(m_dir.filePath("clip.mp4"), MediaFixtures::Clip{}));
        MediaFixtures::Clip long_;
        long_.seconds = 20;
        long_.size = QSize(640, 360);
        QVERIFY(MediaFixtures::make(m_dir.filePath("long.mp4"), long_));
        QFile broken(m_dir.filePath("broken.mp4"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(4096, 'x'));
    }

    void fillFollowsThePercentage_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("fillEnd"); // last x of the fill, -1 for none
        QTest::newRow("0 paints nothing") << 0 << -1;
        QTest::newRow("50") << 50 << 98;
        QTest::newRow("100 all but two pixels") << 100 << 198;
    }
    void fillFollowsThePercentage()
    {
        QFETCH(int, percent);
        QFETCH(int, fillEnd);
        const QImage image = painted(percent, false);
        if (fillEnd < 0) {
            QCOMPARE(image.pixelColor(1, 50), QColor(Qt::white));
            QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
            return;
        }
        QCOMPARE(image.pixelColor(fillEnd - 1, 50), kFill);
        QCOMPARE(image.pixelColor(fillEnd + 1, 50), QColor(Qt::white));
        // Both line bars, along the top and the bottom.
        QCOMPARE(image.pixelColor(fillEnd - 1, 0), kLine);
        QCOMPARE(image.pixelColor(fillEnd - 1, 99), kLine);
        QCOMPARE(image.pixelColor(fillEnd + 1, 0), QColor(Qt::white));
    }

    void failedRowIsRedAcross()
    {
        const QImage image = painted(30, true);
        const QColor red = Palette::color(Palette::kFailure);
        QCOMPARE(image.pixelColor(150, 0), red);
        QCOMPARE(image.pixelColor(150, 99), red);
        const QColor tint = image.pixelColor(150, 50);
        QVERIFY2(tint.red() > tint.blue() + 20, qPrintable(tint.name()));
    }

    void percentageAndRepaints()
    {
        TableRowWidget row(new QLabel("target"), true, true, true, nullptr);
        row.resize(800, 100);
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        PaintCounter counter;
        row.installEventFilter(&counter);
        row.SetPersent(0);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);
        row.SetPersent(40);
        QTRY_COMPARE(counter.paints, 1);
        QCOMPARE(row.percentLabel()->text(), QString("40%"));
        row.SetPersent(40);
        QTest::qWait(20);
        QCOMPARE(counter.paints, 1);
        QCOMPARE(row.persent(), 40);
    }

    void failureOutlivesTheClosingHundred()
    {
        TableRowWidget row(new QLabel("target"), true, true, true, nullptr);
        row.SetPersent(35);
        row.setFailed(JobFailure(FailureKind::SourceUnreadable, "Invalid data found when processing input"));
        row.SetPersent(100);
        QVERIFY(row.isFailed());
        QCOMPARE(row.persent(), 35);
        QCOMPARE(row.percentLabel()->text(), QString("转换失败！"));
        QCOMPARE(row.percentLabel()->toolTip().split('\n'),
                 QStringList({JobFailure::sentence(FailureKind::SourceUnreadable),
                              "Invalid data found when processing input"}));
        QCOMPARE(row.toolTip(), row.percentLabel()->toolTip());
        // Started again, the row is a plain row.
        row.resetProgress();
        QVERIFY(!row.isFailed());
        QCOMPARE(row.percentLabel()->text(), QString("0%"));
        row.SetPersent(100);
        QCOMPARE(row.percentLabel()->text(), QString("100%"));
    }

    void closeRemovesOnlyThatRow()
    {
        TableWidget table(nullptr);
        table.resize(900, 400);
        QList<TableRowWidget*> rows;
        for (const char* name : {"a", "b", "c"}) {
            auto* row = new TableRowWidget(nullptr, false, true, false, nullptr);
            row->setObjectName(name);
            table.addRow(row);
            rows << row;
        }
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QSignalSpy removed(&table, &TableWidget::rowRemoved);
        QPointer<TableRowWidget> middle = rows.at(1);
        QTest::mouseClick(middle->closeButton(), Qt::LeftButton);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(table.row(0)->objectName(), QString("a"));
        QCOMPARE(table.row(1)->objectName(), QString("c"));
        QCOMPARE(table.rowByObjectName("b"), nullptr);
        QTRY_VERIFY(middle.isNull());
        table.removeAllRows();
        QCOMPARE(table.rowCount(), 0);
        QTRY_VERIFY(table.findChildren<TableRowWidget*>().isEmpty());
    }

    void rowProbesItsFile()
    {
        TableRowWidget row(nullptr, false, true, false, nullptr);
        row.setSourcePath(m_dir.filePath("clip.mp4"));
        QCOMPARE(row.sourcePath(), m_dir.filePath("clip.mp4"));
        QVERIFY(row.mediaInfo());
        QCOMPARE(row.mediaInfo()->parent(), &row);
        QCOMPARE(row.mediaInfo()->width(), 160);
        QCOMPARE(row.mediaInfo()->height(), 90);
        QVERIFY(row.mediaInfo()->videoDuration() > 900);
    }

    void frameOfAVideo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("hasFrame");
        QTest::newRow("short clip") << "clip.mp4" << true;
        QTest::newRow("longer clip, taken a way in") << "long.mp4" << true;
        QTest::newRow("broken file") << "broken.mp4" << false;
    }
    void frameOfAVideo()
    {
        QFETCH(QString, file);
        QFETCH(bool, hasFrame);
        FrameGrabber grabber;
        QSignalSpy ready(&grabber, &FrameGrabber::frameReady);
        MyMediaInfo info;
        info.probe(m_dir.filePath(file));
        grabber.request(7, m_dir.filePath(file), info.videoDuration());
        QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 1, 30000);
        QCOMPARE(ready.first().at(0).value<quint64>(), quint64(7));
        const QImage frame = ready.first().at(1).value<QImage>();
        QCOMPARE(!frame.isNull(), hasFrame);
        if (hasFrame) {
            QVERIFY(frame.width() <= 300 && frame.height() <= 180);
            // testsrc2 is colourful, never a black first frame.
            const QColor centre = frame.pixelColor(frame.width() / 2, frame.height() / 2);
            QVERIFY(centre.lightness() > 10);
        }
    }

    // Files of one ffmpeg batch: one it cannot open, one whose length is misstated (the moment
    // lies past its end), portrait without sound, 4:3 with key frames every few frames.
    void framesOfAMixedBatch()
    {
        MediaFixtures::Clip portrait;
        portrait.size = QSize(90, 160);
        portrait.seconds = 2.7;
        portrait.audioCodec.clear();
        QVERIFY(MediaFixtures::make(m_dir.filePath("portrait.mp4"), portrait));
        MediaFixtures::Clip fourThree;
        fourThree.size = QSize(160, 120);
        fourThree.seconds = 4.3;
        fourThree.extra = QStringList{"-g", "7"};
        QVERIFY(MediaFixtures::make(m_dir.filePath("fourthree.mkv"), fourThree));
        struct Case
        {
            QString file;
            qint64 durationMs;
            QSize frame; // 0x0: no frame
        };
        const QVector<Case> cases{
            {"clip.mp4", 1000, QSize(300, 169)},      {"broken.mp4", 5000, QSize(0, 0)},
            {"portrait.mp4", 2700, QSize(101, 180)},  {"clip.mp4", 60000, QSize(300, 169)},
            {"fourthree.mkv", 4300, QSize(240, 180)}, {"long.mp4", 20000, QSize(300, 169)}};
        FrameGrabber grabber;
        QSignalSpy ready(&grabber, &FrameGrabber::frameReady);
        for (int i = 0; i < cases.size(); ++i)
            grabber.request(100 + i, m_dir.filePath(cases.at(i).file), cases.at(i).durationMs);
        QVERIFY(grabber.waitForIdle(60000));
        QTRY_COMPARE(ready.size(), cases.size());
        QMap<quint64, QImage> frames;
        for (const QList<QVariant>& signal : qAsConst(ready))
            frames.insert(signal.at(0).value<quint64>(), signal.at(1).value<QImage>());
        for (int i = 0; i < cases.size(); ++i) {
            const QImage frame = frames.value(100 + i);
            QVERIFY2(frames.contains(100 + i), qPrintable(cases.at(i).file));
            QCOMPARE(frame.size(), cases.at(i).frame);
            if (!frame.isNull())
                QVERIFY(frame.pixelColor(frame.width() / 2, frame.height() / 2).lightness() > 10);
        }
    }

    void rowFitsTheFrameIntoItsBox()
    {
        TableRowWidget row(nullptr, false, true, false, nullptr);
        QImage frame(300, 100, QImage::Format_RGB32);
        frame.fill(Qt::red);
        row.setThumbnail(frame);
        const QPixmap shown = row.thumbnailLabel()->pixmap(Qt::ReturnByValue);
        QCOMPARE(shown.size(), QSize(150, 50));
        row.showSoundIcon();
        QVERIFY(!row.thumbnailLabel()->pixmap(Qt::ReturnByValue).isNull());
    }

    void seekPointStaysInsideTheClip()
    {
        QCOMPARE(FrameGrabber::seekPoint(0), qint64(0));
        QCOMPARE(FrameGrabber::seekPoint(900), qint64(300));
        QCOMPARE(FrameGrabber::seekPoint(3600000), qint64(3000));
    }

    void goneGrabberLeavesNoFfmpeg()
    {
        {
            FrameGrabber grabber;
            for (quint64 key = 0; key < 6; ++key)
                grabber.request(key, m_dir.filePath("long.mp4"), 20000);
            QTRY_VERIFY_WITH_TIMEOUT(childFfmpegs() > 0, 10000);
        }
        QCOMPARE(childFfmpegs(), 0);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestMediaRows)
#include "tst_mediarows.moc"

#include "framework/mediacenterwt.h"
#include "framework/tableitemwidget.h"
#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediafixtures.h"
#include "media/mymediainfo.h"
#include "player/videoplayer.h"
#include "support/fixtures.h"
#include "tools/editing/cutsliderwt.h"
#include "tools/editing/videoconcat/videoconcatcenterwt.h"
#include "tools/editing/videoconcat/videoconcatdistitem.h"
#include "tools/editing/videoconcat/videoconcatmainwt.h"
#include "tools/editing/videoconcat/videoconcatparamwt.h"
#include "tools/editing/videocutwt.h"
#include "tools/editing/videoslicing/videoslicingcenterwt.h"
#include "tools/editing/videoslicing/videoslicingmainwt.h"
#include "tools/editing/videoslicing/videoslicingparamwt.h"
#include "tools/editing/videoslicing/vstabledistitemwt.h"
#include "tools/editing/videotogif/videotogifcenterwt.h"
#include "tools/editing/videotogif/videotogifmainwt.h"
#include "tools/editing/videotogif/videotogifparamwt.h"
#include "tools/editing/videotogifcut.h"
#include "tools/media/fmtchoosen/videofmtcombox.h"
#include "widgets/mycombobox.h"
#include "widgets/mydialog.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void send(QWidget* widget, QEvent::Type type, const QPoint& pos)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    send(widget, QEvent::MouseButtonPress, from);
    send(widget, QEvent::MouseMove, to);
    send(widget, QEvent::MouseButtonRelease, to);
}

QString noticeText(QWidget* page)
{
    const QList<MyDialog*> dialogs = page->findChildren<MyDialog*>();
    const QString text = dialogs.isEmpty() ? QString() : dialogs.last()->message();
    qDeleteAll(dialogs);
    return text;
}

QStringList filesIn(const QString& folder, const QString& pattern)
{
    QStringList paths;
    for (const QString& name : QDir(folder).entryList({pattern}, QDir::Files, QDir::Name))
        paths << QDir(folder).filePath(name);
    return paths;
}

// A clip of one plain colour, so a joined file shows whose piece plays when.
bool makeColourClip(const QString& path, const QString& colour, double seconds, const QSize& size, int rate)
{
    const QString length = QString::number(seconds);
    return Fixtures::runTool("ffmpeg", {"-hide_banner",
                                        "-nostdin",
                                        "-loglevel",
                                        "error",
                                        "-y",
                                        "-f",
                                        "lavfi",
                                        "-i",
                                        QString("color=c=%1:size=%2x%3:rate=%4:duration=%5")
                                            .arg(colour)
                                            .arg(size.width())
                                            .arg(size.height())
                                            .arg(rate)
                                            .arg(length),
                                        "-f",
                                        "lavfi",
                                        "-i",
                                        "sine=frequency=440:duration=" + length,
                                        "-c:v",
                                        "libx264",
                                        "-preset",
                                        "ultrafast",
                                        "-pix_fmt",
                                        "yuv420p",
                                        "-c:a",
                                        "aac",
                                        "-shortest",
                                        path});
}

// The colour of the picture at a time, averaged down to one pixel.
QColor colourAt(const QString& path, double seconds)
{
    QProcess ffmpeg;
    ffmpeg.start("/usr/bin/ffmpeg",
                 {"-hide_banner", "-loglevel", "error", "-ss", QString::number(seconds), "-i", path,
                  "-frames:v", "1", "-vf", "scale=1:1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    if (!ffmpeg.waitForFinished(60000))
        return {};
    const QByteArray pixel = ffmpeg.readAllStandardOutput();
    if (pixel.size() != 3)
        return {};
    return QColor(quint8(pixel[0]), quint8(pixel[1]), quint8(pixel[2]));
}

QString dominant(const QColor& colour)
{
    if (!colour.isValid())
        return "none";
    if (colour.red() > 150 && colour.green() < 100 && colour.blue() < 100)
        return "red";
    if (colour.green() > 100 && colour.red() < 100 && colour.blue() < 100)
        return "green";
    if (colour.blue() > 150 && colour.red() < 100 && colour.green() < 100)
        return "blue";
    return colour.name();
}
} // namespace

// The three editing pages end to end: rows, the editors they open, the job records, and what
// ffmpeg really writes.
class TestEditingPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void slicingRowsNamesAndUneditedJobs();
    void slicingCutsTheEditedPieceAndCrop();
    void noticesGuardTheStart();
    void gifTakesTheEditedPieceAndWidth();
    void concatJoinsInTheOrderOfTheRows();
    void concatOfOneFileAndItsFailure();
    void lengthUnknownToTheLibraryIsRead();

private:
    QString in(const QString& name) const { return m_in.filePath(name); }
    template <class Page> void useOutput(Page* page)
    {
        page->centerWidget()->param()->savePathBox()->setCurrentIndex(1);
        page->centerWidget()->param()->setCustomFolder(m_out->path());
    }
    template <class Page> void waitIdle(Page* page) { QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 120000); }

    QTemporaryDir m_in;
    QScopedPointer<QTemporaryDir> m_out;
};

void TestEditingPages::initTestCase()
{
    QVERIFY(m_in.isValid());
    MediaFixtures::Clip six;
    six.size = QSize(320, 180);
    six.seconds = 6;
    QVERIFY(MediaFixtures::make(in("six.mp4"), six));
    QVERIFY(makeColourClip(in("red.mp4"), "red", 1, QSize(320, 180), 25));
    QVERIFY(makeColourClip(in("green.mkv"), "green", 2, QSize(640, 360), 30));
    QVERIFY(makeColourClip(in("blue.mp4"), "blue", 1.5, QSize(160, 120), 25));
    QFile broken(in("broken.mp4"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(8192, '\x5a'));
    // Matroska written to a pipe: no duration in its header.
    QVERIFY(Fixtures::runTool(
        "sh", {"-c", "ffmpeg -hide_banner -nostdin -loglevel error -f lavfi -i "
                     "testsrc2=size=160x90:rate=25:duration=2.4 -c:v libx264 -f matroska - > '" +
                         in("noduration.mkv") + "'"}));
}

void TestEditingPages::init()
{
    m_out.reset(new QTemporaryDir);
    QVERIFY(m_out->isValid());
}

void TestEditingPages::slicingRowsNamesAndUneditedJobs()
{
    VideoSlicingMainWT page(nullptr);
    page.resize(1500, 800);
    page.show();
    QCOMPARE(page.addPaths({in("six.mp4"), in("red.mp4"), in("notes.txt"), in("green.mkv")}), 3);
    const QList<TableRowWidget*> rows = page.table()->rows();
    const QString stamp = rows.at(0)->objectName().section('_', 0, 0);
    QCOMPARE(rows.at(0)->objectName(), stamp + "_0");
    QCOMPARE(rows.at(1)->objectName(), stamp + "_0_1");
    QCOMPARE(rows.at(2)->objectName(), stamp + "_0_1_2");
    QCOMPARE(rows.at(0)->actionButton()->text(), QString("编辑片段"));
    const VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(rows.at(0));
    QVERIFY(item);
    // Never edited: the whole file and picture.
    QCOMPARE(item->beginText(), QString("00:00:00.0"));
    QCOMPARE(item->endText(), QString("00:00:06.0"));
    const MediaJobList jobs = page.jobRecords(rows);
    QCOMPARE(jobs.size(), 3);
    const MediaJob& job = jobs.at(0);
    QCOMPARE(job.oriFilePath, in("six.mp4"));
    QCOMPARE(job.objectName, rows.at(0)->objectName());
    QCOMPARE(int(job.format), page.centerWidget()->param()->target().format);
    // The whole clip to the frame: neither sought nor cut.
    QVERIFY(job.wholeClip);
    QCOMPARE(job.beginTime, qint64(0));
    QVERIFY(qAbs(job.timeLen - 6000) < 100);
    QVERIFY(job.cut.isNull());
    // The first entry keeps the source's size and codec.
    QCOMPARE(page.centerWidget()->param()->box()->text(), QString("MP4 同原文件"));
}

void TestEditingPages::slicingCutsTheEditedPieceAndCrop()
{
    VideoSlicingMainWT page(nullptr);
    page.resize(1500, 800);
    page.show();
    useOutput(&page);
    page.addPaths({in("six.mp4"), in("six.mp4")});
    TableRowWidget* row = page.table()->row(0);
    QTest::mouseClick(row->actionButton(), Qt::LeftButton);
    auto* dialog = row->findChild<VideoCutWT*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isModal());
    QTRY_VERIFY_WITH_TIMEOUT(dialog->player()->isPlaying() && dialog->player()->position() > 0, 10000);
    // Seconds 1 to 4 of 6, and the picture's middle: (100, 50, 200, 100) on the preview.
    drag(dialog->timeline(), QPoint(5, 40), QPoint(81, 40));
    drag(dialog->timeline(), QPoint(490, 40), QPoint(324, 40));
    dialog->onCaptureMove(100, 50, 200, 100);
    QCOMPARE(dialog->widthField()->text(), QString("72"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QTRY_VERIFY(!row->findChild<VideoCutWT*>());
    const VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(row);
    QCOMPARE(item->beginText(), VideoCutBaseWT::timeText(item->beginTime()));
    QCOMPARE(item->endText(), VideoCutBaseWT::timeText(item->endTime()));
    const MediaJob job = page.jobRecords({row}).first();
    // Milliseconds where the markers were let go, within a pixel of the track (6000 / 485 ms).
    QVERIFY(!job.wholeClip);
    QVERIFY2(qAbs(job.beginTime - 1000) <= 13, qPrintable(QString::number(job.beginTime)));
    QVERIFY2(qAbs(job.beginTime + job.timeLen - 4000) <= 13, qPrintable(QString::number(job.timeLen)));
    QCOMPARE(job.cut, QRect(33, 18, 72, 36));

    page.slice();
    QVERIFY(page.isBusy());
    waitIdle(&page);
    for (const TableRowWidget* done : page.table()->rows()) {
        QVERIFY2(!done->isFailed(), qPrintable(done->failureReason()));
        QCOMPARE(done->persent(), 100);
    }
    const QStringList outputs = filesIn(m_out->path(), "*.mp4");
    QCOMPARE(outputs.size(), 2);
    QList<MediaFixtures::Probe> probes;
    for (const QString& path : outputs)
        probes << MediaFixtures::probe(path);
    std::sort(probes.begin(), probes.end(), [](const MediaFixtures::Probe& a, const MediaFixtures::Probe& b) {
        return a.duration < b.duration;
    });
    QCOMPARE(probes.at(0).size, QSize(72, 36));
    QVERIFY2(qAbs(probes.at(0).duration - 3.0) < 0.15, qPrintable(QString::number(probes.at(0).duration)));
    // The row that was never edited: all of it.
    QCOMPARE(probes.at(1).size, QSize(320, 180));
    QVERIFY2(qAbs(probes.at(1).duration - 6.0) < 0.15, qPrintable(QString::number(probes.at(1).duration)));
}

void TestEditingPages::noticesGuardTheStart()
{
    VideoSlicingMainWT slicing(nullptr);
    useOutput(&slicing);
    slicing.slice();
    QCOMPARE(noticeText(&slicing), QString("请添加要压缩的文件！"));
    slicing.addPaths({in("six.mp4")});
    slicing.slice();
    QVERIFY(slicing.isBusy());
    // A second start is the stop.
    slicing.slice();
    QVERIFY(slicing.isStopping());
    QCOMPARE(noticeText(&slicing), QString());

    VideoToGifMainWT gif(nullptr);
    gif.toGif();
    QCOMPARE(noticeText(&gif), QString("请添加要压缩的文件！"));
    VideoConcatMainWT concat(nullptr);
    useOutput(&concat);
    concat.concat();
    QCOMPARE(noticeText(&concat), QString("请添加要压缩的文件！"));
    concat.addPaths({in("six.mp4"), in("red.mp4")});
    concat.concat();
    QVERIFY(concat.isBusy());
    concat.concat();
    QVERIFY(concat.isStopping());
    QCOMPARE(noticeText(&concat), QString());
    waitIdle(&slicing);
    waitIdle(&concat);
}

void TestEditingPages::gifTakesTheEditedPieceAndWidth()
{
    VideoToGifMainWT page(nullptr);
    page.resize(1500, 800);
    page.show();
    useOutput(&page);
    page.addPaths({in("six.mp4"), in("red.mp4")});
    TableRowWidget* row = page.table()->row(0);
    QTest::mouseClick(row->actionButton(), Qt::LeftButton);
    auto* dialog = row->findChild<VideoToGifCut*>();
    QVERIFY(dialog);
    // Seconds 2 to 4, half the width.
    drag(dialog->timeline(), QPoint(5, 40), QPoint(162, 40));
    drag(dialog->timeline(), QPoint(490, 40), QPoint(324, 40));
    dialog->widthField()->selectAll();
    QTest::keyClicks(dialog->widthField(), "160");
    QCOMPARE(dialog->heightField()->text(), QString("90"));
    QCOMPARE(dialog->scaleField()->text(), QString("50"));
    dialog->onOKBtn();
    const VSTableDistItemWT* item = VideoSlicingMainWT::itemOf(row);
    QCOMPARE(item->beginText(), VideoCutBaseWT::timeText(item->beginTime()));
    QCOMPARE(item->endText(), VideoCutBaseWT::timeText(item->endTime()));
    const MediaJobList jobs = page.jobRecords(page.table()->rows());
    QVERIFY(qAbs(jobs.at(0).beginTime - 2000) <= 13);
    QVERIFY(qAbs(jobs.at(0).timeLen - 2000) <= 26);
    QCOMPARE(jobs.at(0).scale, QSize(160, 90));
    QCOMPARE(jobs.at(0).film, QSize(320, 180));
    // Never edited: the source size is kept, and the whole clip.
    QVERIFY(!jobs.at(1).scale.isValid());
    QVERIFY(jobs.at(1).wholeClip);

    page.toGif();
    waitIdle(&page);
    for (const TableRowWidget* done : page.table()->rows())
        QVERIFY2(!done->isFailed(), qPrintable(done->failureReason()));
    QList<MediaFixtures::Probe> probes;
    for (const QString& path : filesIn(m_out->path(), "*.gif"))
        probes << MediaFixtures::probe(path);
    QCOMPARE(probes.size(), 2);
    std::sort(probes.begin(), probes.end(), [](const MediaFixtures::Probe& a, const MediaFixtures::Probe& b) {
        return a.size.width() < b.size.width();
    });
    QCOMPARE(probes.at(0).videoCodec, QString("gif"));
    QCOMPARE(probes.at(0).size, QSize(160, 90));
    QVERIFY2(qAbs(probes.at(0).duration - 2.0) < 0.15, qPrintable(QString::number(probes.at(0).duration)));
    QCOMPARE(probes.at(1).size, QSize(320, 180));
    QVERIFY2(qAbs(probes.at(1).duration - 1.0) < 0.15, qPrintable(QString::number(probes.at(1).duration)));
}

void TestEditingPages::concatJoinsInTheOrderOfTheRows()
{
    VideoConcatMainWT page(nullptr);
    page.resize(1500, 800);
    page.show();
    useOutput(&page);
    QCOMPARE(page.centerWidget()->param()->box()->text(), QString("MP4 高清 1080P"));
    page.addPaths({in("red.mp4"), in("green.mkv"), in("blue.mp4")});
    TableWidget* table = page.table();
    const auto item = [table](int row) {
        return static_cast<VideoConcatDistItem*>(table->row(row)->targetWidget());
    };
    QVERIFY(table->row(0)->findChildren<QPushButton*>().size() >= 3);
    QVERIFY(!table->row(0)->actionButton());
    QVERIFY(!item(0)->upButton()->isEnabled());
    QVERIFY(item(0)->downButton()->isEnabled());
    QVERIFY(!item(2)->downButton()->isEnabled());
    // Blue to the front, then red below green: blue, green, red.
    QTest::mouseClick(item(2)->upButton(), Qt::LeftButton);
    QTest::mouseClick(item(1)->upButton(), Qt::LeftButton);
    QTest::mouseClick(item(1)->downButton(), Qt::LeftButton);
    QStringList order;
    for (const TableRowWidget* row : table->rows())
        order << QFileInfo(row->sourcePath()).baseName();
    QCOMPARE(order, QStringList({"blue", "green", "red"}));
    QVERIFY(!item(0)->upButton()->isEnabled());
    QVERIFY(!item(2)->downButton()->isEnabled());
    QVERIFY(item(1)->upButton()->isEnabled() && item(1)->downButton()->isEnabled());
    // The rows are laid out in that order too.
    page.mediaCenter()->showTable();
    QApplication::processEvents();
    QVERIFY(table->row(0)->y() < table->row(1)->y());
    QVERIFY(table->row(1)->y() < table->row(2)->y());

    const MediaJobList jobs = page.jobRecords(table->rows());
    QCOMPARE(jobs.at(0).oriFilePath, in("blue.mp4"));
    QVERIFY(qAbs(jobs.at(1).timeLen - 2000) < 100);

    page.concat();
    waitIdle(&page);
    QCOMPARE(table->persent(), 100);
    for (const TableRowWidget* row : table->rows())
        QVERIFY2(!row->isFailed(), qPrintable(row->failureReason()));
    const QStringList outputs = filesIn(m_out->path(), "*");
    QCOMPARE(outputs.size(), 1);
    const MediaFixtures::Probe probe = MediaFixtures::probe(outputs.first());
    QCOMPARE(probe.streamTypes, QStringList({"video", "audio"}));
    QVERIFY2(qAbs(probe.duration - 4.5) < 0.25, qPrintable(QString::number(probe.duration)));
    QCOMPARE(dominant(colourAt(outputs.first(), 0.7)), QString("blue"));
    QCOMPARE(dominant(colourAt(outputs.first(), 2.5)), QString("green"));
    QCOMPARE(dominant(colourAt(outputs.first(), 4.0)), QString("red"));
}

void TestEditingPages::concatOfOneFileAndItsFailure()
{
    VideoConcatMainWT page(nullptr);
    useOutput(&page);
    page.addPaths({in("green.mkv")});
    page.concat();
    waitIdle(&page);
    QCOMPARE(page.table()->persent(), 100);
    QStringList outputs = filesIn(m_out->path(), "*");
    QCOMPARE(outputs.size(), 1);
    QVERIFY(qAbs(MediaFixtures::probe(outputs.first()).duration - 2.0) < 0.2);

    // A piece that cannot be read: the list does not look finished, that clip's row says why.
    page.clearTable();
    page.addPaths({in("red.mp4"), in("broken.mp4")});
    page.concat();
    waitIdle(&page);
    QCOMPARE(page.table()->persent(), 0);
    QVERIFY(!page.table()->row(0)->isFailed());
    QVERIFY(page.table()->row(1)->isFailed());
    QVERIFY(page.table()->row(1)->failureReason().contains("broken.mp4"));
    QCOMPARE(page.table()->row(1)->percentLabel()->text(), QString("转换失败！"));
    QCOMPARE(filesIn(m_out->path(), "*").size(), 1);
}

void TestEditingPages::lengthUnknownToTheLibraryIsRead()
{
    VideoToGifMainWT page(nullptr);
    useOutput(&page);
    page.addPaths({in("noduration.mkv")});
    TableRowWidget* row = page.table()->row(0);
    // Read from the packets off the GUI thread, then shown, and the unedited segment is the whole clip.
    QTRY_VERIFY_WITH_TIMEOUT(row->mediaInfo()->videoDuration() > 0, 10000);
    // The packet clock stops at the last packet in decode order, a few B-frames short of the end;
    // the row stays the whole clip all the same.
    QVERIFY2(qAbs(row->mediaInfo()->videoDuration() - 2400) <= 200,
             qPrintable(QString::number(row->mediaInfo()->videoDuration())));
    QCOMPARE(row->itemWidget()->duration(), QString("00:00:02"));
    QCOMPARE(VideoSlicingMainWT::itemOf(row)->endTime(), row->mediaInfo()->videoDuration());
    page.toGif();
    waitIdle(&page);
    QVERIFY2(!row->isFailed(), qPrintable(row->failureReason()));
    const MediaFixtures::Probe gif = MediaFixtures::probe(filesIn(m_out->path(), "*.gif").value(0));
    QVERIFY2(qAbs(gif.duration - 2.4) < 0.1, qPrintable(QString::number(gif.duration)));
}

QTEST_MAIN(TestEditingPages)
#include "tst_editingpages.moc"

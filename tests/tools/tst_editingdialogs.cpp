#include "media/mediafixtures.h"
#include "player/videooutputwt.h"
#include "player/videoplayer.h"
#include "tools/editing/cutsliderwt.h"
#include "tools/editing/videocutwt.h"
#include "tools/editing/videotogifcut.h"
#include "widgets/capturescreenwt.h"
#include "widgets/maskwt.h"

#include "widgets/mydialog.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The cut dialogs on real clips: the player inside them, the timeline, and what they send.
class TestEditingDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playbackStartsAndPositionsArrive();
    void timelineDragSeeksAndSetsTheStart();
    void endOfFileKeepsTheMarkersUsable();
    void unplayableFileShowsANoticeAndStaysUsable();
    void cutConfirmWithoutChangesSendsTheWholePicture();
    void cutCropMapping_data();
    void cutCropMapping();
    void cutDraggingTheCaptureBoxFillsTheFields();
    void cutPlaysUnderTheMaskAndShowsNoticesAboveIt();
    void gifSizeFieldsStayLinked_data();
    void gifSizeFieldsStayLinked();
    void gifConfirmSendsSegmentAndSize();
    void gifEndPointerSetsTheEnd();

private:
    QString clip(double seconds);

    QTemporaryDir m_dir;
};

namespace {
void send(QWidget* widget, QEvent::Type type, const QPoint& pos)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

bool dialogNoticeShown(QWidget* parent, const QString& message)
{
    for (const MyDialog* notice : parent->findChildren<MyDialog*>()) {
        if (notice->message() == message)
            return true;
    }
    return false;
}

void drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    send(widget, QEvent::MouseButtonPress, from);
    send(widget, QEvent::MouseMove, to);
    send(widget, QEvent::MouseButtonRelease, to);
}

void type(QLineEdit* field, const QString& text)
{
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

bool hasColour(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 5) {
        for (int x = 0; x < image.width(); x += 5) {
            if (qGray(image.pixel(x, y)) > 40)
                return true;
        }
    }
    return false;
}

// What a dialog sent; QSignalSpy cannot take the QString& of the signals.
struct Sent
{
    QList<QVariantList> calls;
    int count() const { return calls.size(); }
    const QVariantList& first() const { return calls.first(); }
};

Sent* record(VideoToGifCut* dialog)
{
    auto* sent = new Sent;
    QObject::connect(dialog, &VideoToGifCut::sendData, dialog,
                     [sent](qint64 begin, qint64 end, int width, int height, QString& name) {
                         sent->calls.append({begin, end, width, height, name});
                     });
    return sent;
}

Sent* record(VideoCutWT* dialog)
{
    auto* sent = new Sent;
    QObject::connect(dialog, &VideoCutWT::sendSliceData, dialog,
                     [sent](qint64 begin, qint64 end, int x, int y, int width, int height, QString& name) {
                         sent->calls.append({begin, end, x, y, width, height, name});
                     });
    return sent;
}

QStringList cropFields(const VideoCutWT* dialog)
{
    return {dialog->xField()->text(), dialog->yField()->text(), dialog->widthField()->text(),
            dialog->heightField()->text()};
}

// The row a dialog belongs to: the page names it, the dialog reports the name back.
QWidget* makeRow(const QString& name)
{
    auto* row = new QWidget;
    row->setObjectName(name);
    return row;
}
} // namespace

void TestEditingDialogs::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestEditingDialogs::clip(double seconds)
{
    const QString path = m_dir.filePath(QStringLiteral("clip_%1.mp4").arg(seconds));
    if (!QFile::exists(path)) {
        MediaFixtures::Clip spec;
        spec.size = QSize(320, 180);
        spec.seconds = seconds;
        MediaFixtures::make(path, spec);
    }
    return path;
}

void TestEditingDialogs::playbackStartsAndPositionsArrive()
{
    QScopedPointer<QWidget> row(makeRow("T_0"));
    QPointer<VideoToGifCut> dialog = new VideoToGifCut(clip(4), 4000, 320, 180, row.data());
    QSignalSpy started(dialog->player(), &VideoPlayer::started);
    QSignalSpy painted(dialog->output(), &VideoOutputWT::framePainted);
    dialog->playOrPause();
    dialog->show();
    QVERIFY(dialog->isPlayingFlag());
    QCOMPARE(dialog->playButton()->toolTip(), QStringLiteral("暂停"));
    QVERIFY(started.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() >= 2, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->timeline()->processValue() >= 1000, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->currentTimeLabel()->text().startsWith(QStringLiteral("00:00:01.")),
                             3000);
    QVERIFY(hasColour(dialog->output()->grab().toImage()));
    // Pause keeps the position; the icon says play again.
    dialog->playOrPause();
    QVERIFY(!dialog->isPlayingFlag());
    QCOMPARE(dialog->playButton()->toolTip(), QStringLiteral("播放"));
    QTest::qWait(150);
    const qint64 paused = dialog->player()->position();
    QTest::qWait(300);
    QCOMPARE(dialog->player()->position(), paused);
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

void TestEditingDialogs::timelineDragSeeksAndSetsTheStart()
{
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog = new VideoToGifCut(clip(4), 4000, 320, 180, row.data());
    QSignalSpy started(dialog->player(), &VideoPlayer::started);
    dialog->playOrPause();
    dialog->show();
    QVERIFY(started.wait(5000));
    dialog->playOrPause();
    QSignalSpy finished(dialog->player(), &VideoPlayer::seekFinished);
    // The play marker to x 400 of 485 on a 4 s timeline: 3.298 s, not cut to whole seconds.
    drag(dialog->timeline(), QPoint(5, 20), QPoint(400, 20));
    QVERIFY(finished.wait(5000));
    QCOMPARE(dialog->segmentStart(), 400 * 4000 / 485);
    QVERIFY2(qAbs(finished.last().at(0).toLongLong() - dialog->segmentStart()) <= 40,
             qPrintable(QString::number(finished.last().at(0).toLongLong())));
    QCOMPARE(dialog->startField()->text(), QStringLiteral("00:00:03.2"));
    // The lower pointer seeks as well.
    finished.clear();
    drag(dialog->timeline(), QPoint(5, 40), QPoint(130, 40));
    QVERIFY(finished.wait(5000));
    QVERIFY(qAbs(dialog->segmentStart() - 1000) <= 80);
    QVERIFY(qAbs(finished.last().at(0).toLongLong() - dialog->segmentStart()) <= 40);
    QCOMPARE(dialog->startField()->text(), VideoCutBaseWT::timeText(dialog->segmentStart()));
    dialog->close();
}

void TestEditingDialogs::endOfFileKeepsTheMarkersUsable()
{
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog = new VideoToGifCut(clip(2), 2000, 320, 180, row.data());
    QSignalSpy stopped(dialog->player(), &VideoPlayer::stopped);
    dialog->playOrPause();
    dialog->show();
    QVERIFY(dialog->timeline()->isEnabled());
    QVERIFY(stopped.wait(8000));
    QVERIFY(!dialog->isPlayingFlag());
    QCOMPARE(dialog->playButton()->toolTip(), QStringLiteral("播放"));
    // The last picture stays on screen, and the markers stay usable.
    QVERIFY(hasColour(dialog->output()->grab().toImage()));
    QVERIFY(dialog->timeline()->isEnabled());
    QSignalSpy moved(dialog->timeline(), &CutSliderWT::lowerPositionChanged);
    drag(dialog->timeline(), QPoint(5, 40), QPoint(250, 40));
    QCOMPARE(moved.count(), 1);
    QVERIFY2(qAbs(dialog->segmentStart() - 1000) <= 60, qPrintable(QString::number(dialog->segmentStart())));
    drag(dialog->timeline(), QPoint(490, 40), QPoint(400, 40));
    QVERIFY2(qAbs(dialog->segmentEnd() - 1650) <= 60, qPrintable(QString::number(dialog->segmentEnd())));
    // Play starts again from the start marker, not from the file's start.
    QSignalSpy started(dialog->player(), &VideoPlayer::started);
    dialog->playOrPause();
    QVERIFY(dialog->timeline()->isEnabled());
    QVERIFY(started.wait(5000));
    QTRY_VERIFY_WITH_TIMEOUT(dialog->player()->position() >= dialog->segmentStart() - 50, 3000);
    dialog->close();
}

void TestEditingDialogs::unplayableFileShowsANoticeAndStaysUsable()
{
    const QString path = m_dir.filePath("broken.mp4");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a video at all");
    file.close();
    QScopedPointer<QWidget> row(makeRow("T_0_1"));
    QPointer<VideoToGifCut> dialog = new VideoToGifCut(path, 12000, 640, 360, row.data());
    QSignalSpy error(dialog->player(), &VideoPlayer::error);
    QScopedPointer<Sent> sent(record(dialog));
    dialog->playOrPause();
    dialog->show();
    QVERIFY(error.wait(5000));
    QVERIFY(!dialog->output()->notice().isEmpty());
    QVERIFY(!dialog->isPlayingFlag());
    QCOMPARE(dialog->playButton()->toolTip(), QStringLiteral("播放"));
    // The segment can still be set and confirmed.
    QVERIFY(dialog->timeline()->isEnabled());
    drag(dialog->timeline(), QPoint(490, 40), QPoint(243, 40));
    QCOMPARE(dialog->endField()->text(), QStringLiteral("00:00:06.0"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(sent->count(), 1);
    QCOMPARE(sent->first().at(1).toLongLong(), 243 * 12000 / 485);
    QCOMPARE(sent->first().at(4).toString(), QStringLiteral("T_0_1"));
    QTRY_VERIFY(dialog.isNull());
}

void TestEditingDialogs::cutConfirmWithoutChangesSendsTheWholePicture()
{
    QScopedPointer<QWidget> row(makeRow("T_0_1"));
    QPointer<VideoCutWT> dialog = new VideoCutWT(m_dir.filePath("none.mp4"), 59999, 1920, 1080, row.data());
    QScopedPointer<Sent> sent(record(dialog));
    dialog->show();
    // Unedited, the segment is the whole clip to the millisecond.
    QCOMPARE(dialog->timeline()->maxValue(), 59999.0);
    QCOMPARE(cropFields(dialog), QStringList({"0", "0", "1920", "1080"}));
    QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(sent->count(), 1);
    QCOMPARE(sent->first(), QVariantList({qint64(0), qint64(59999), 0, 0, 1920, 1080, QString("T_0_1")}));
    QTRY_VERIFY(dialog.isNull());

    // Cancel sends nothing.
    dialog = new VideoCutWT(m_dir.filePath("none.mp4"), 59999, 1920, 1080, row.data());
    sent.reset(record(dialog));
    dialog->show();
    QTest::mouseClick(dialog->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(sent->count(), 0);
}

void TestEditingDialogs::cutCropMapping_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("whole picture") << QSize(1920, 1080) << QRect(6, 0, 888, 500)
                                   << QStringList({"0", "0", "1920", "1080"});
    QTest::newRow("inside") << QSize(1920, 1080) << QRect(100, 50, 200, 100)
                            << QStringList({"203", "108", "432", "216"});
    QTest::newRow("portrait, from the left band")
        << QSize(1080, 1920) << QRect(200, 0, 200, 500) << QStringList({"0", "0", "348", "1920"});
    QTest::newRow("in the band") << QSize(1080, 1920) << QRect(0, 100, 250, 100)
                                 << QStringList({"0", "0", "0", "0"});
}

void TestEditingDialogs::cutCropMapping()
{
    QFETCH(QSize, source);
    QFETCH(QRect, selection);
    QFETCH(QStringList, fields);
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog =
        new VideoCutWT(m_dir.filePath("none.mp4"), 10000, source.width(), source.height(), row.data());
    QScopedPointer<Sent> sent(record(dialog));
    dialog->show();
    QCOMPARE(dialog->output()->size(), QSize(900, 500));
    QCOMPARE(dialog->mask()->size(), QSize(900, 500));
    dialog->onCaptureMove(selection.x(), selection.y(), selection.width(), selection.height());
    QCOMPARE(cropFields(dialog), fields);
    dialog->onOKBtn();
    QCOMPARE(sent->first().mid(2, 4), QVariantList({fields.at(0).toInt(), fields.at(1).toInt(),
                                                    fields.at(2).toInt(), fields.at(3).toInt()}));
}

void TestEditingDialogs::cutDraggingTheCaptureBoxFillsTheFields()
{
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog = new VideoCutWT(m_dir.filePath("none.mp4"), 10000, 1920, 1080, row.data());
    dialog->show();
    CaptureScreenWT* box = dialog->mask()->captureScreen();
    QCOMPARE(box->geometry(), QRect(0, 0, 900, 500));
    // The right edge from 895 to 495: the box is 500 wide, of which 494 cover the picture.
    drag(box, QPoint(895, 250), QPoint(495, 250));
    QCOMPARE(box->width(), 500);
    QCOMPARE(cropFields(dialog), QStringList({"0", "0", "1066", "1080"}));
    // The bottom edge up by 250: half the height.
    drag(box, QPoint(250, 495), QPoint(250, 245));
    QCOMPARE(box->height(), 250);
    QCOMPARE(cropFields(dialog), QStringList({"0", "0", "1066", "540"}));
    // Moved by its inside: the offsets follow.
    drag(box, QPoint(250, 125), QPoint(350, 225));
    QCOMPARE(box->pos(), QPoint(100, 100));
    QCOMPARE(cropFields(dialog), QStringList({"203", "216", "1080", "540"}));
    dialog->close();
}

void TestEditingDialogs::cutPlaysUnderTheMaskAndShowsNoticesAboveIt()
{
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog = new VideoCutWT(clip(4), 4000, 320, 180, row.data());
    QSignalSpy painted(dialog->output(), &VideoOutputWT::framePainted);
    dialog->playOrPause();
    dialog->show();
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() >= 1, 5000);
    // The box covers the whole preview: the picture shows through it.
    QVERIFY(hasColour(dialog->grab(QRect(0, 45, 900, 500)).toImage()));
    dialog->close();

    const QString path = m_dir.filePath("broken.mkv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    dialog = new VideoCutWT(path, 4000, 320, 180, row.data());
    QSignalSpy error(dialog->player(), &VideoPlayer::error);
    dialog->playOrPause();
    dialog->show();
    QVERIFY(error.wait(5000));
    QVERIFY(!dialog->output()->notice().isEmpty());
    auto* notice = dialog->output()->findChild<QLabel*>();
    QVERIFY(notice && notice->isVisible());
    // Drawn above the mask, and the mask still takes drags.
    QCOMPARE(dialog->output()->children().last(), notice);
    drag(dialog->mask()->captureScreen(), QPoint(895, 250), QPoint(495, 250));
    QCOMPARE(dialog->widthField()->text(), QStringLiteral("176"));
    dialog->close();
}

void TestEditingDialogs::gifSizeFieldsStayLinked_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QSize>("preview");
    // 1920 x 1080 fitted into 900 x 490 shows 871 x 490.
    QTest::newRow("width 960") << "width"
                               << "960"
                               << "960"
                               << "540"
                               << "50" << QSize(435, 245);
    QTest::newRow("height 540 leaves the scale") << "height"
                                                 << "540"
                                                 << "960"
                                                 << "540"
                                                 << "100" << QSize(435, 245);
    QTest::newRow("scale 250 keeps the fitted size") << "scale"
                                                     << "250"
                                                     << "4800"
                                                     << "2700"
                                                     << "250" << QSize(871, 490);
    QTest::newRow("width cleared") << "width"
                                   << ""
                                   << ""
                                   << "0"
                                   << "0" << QSize(0, 0);
    QTest::newRow("scale 25") << "scale"
                              << "25"
                              << "480"
                              << "270"
                              << "25" << QSize(217, 122);
}

void TestEditingDialogs::gifSizeFieldsStayLinked()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, scale);
    QFETCH(QSize, preview);
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog = new VideoToGifCut(m_dir.filePath("none.mp4"), 10000, 1920, 1080, row.data());
    dialog->show();
    QCOMPARE(dialog->previewArea()->size(), QSize(900, 490));
    QCOMPARE(dialog->output()->size(), QSize(900, 490));
    QLineEdit* edited = field == "width"    ? dialog->widthField()
                        : field == "height" ? dialog->heightField()
                                            : dialog->scaleField();
    type(edited, text);
    QCOMPARE(dialog->widthField()->text(), width);
    QCOMPARE(dialog->heightField()->text(), height);
    QCOMPARE(dialog->scaleField()->text(), scale);
    QCOMPARE(dialog->output()->maximumSize(), preview);
    QApplication::processEvents();
    QCOMPARE(dialog->output()->size(), preview);
    dialog->close();
}

void TestEditingDialogs::gifConfirmSendsSegmentAndSize()
{
    QScopedPointer<QWidget> row(makeRow("T_0_1_2"));
    auto* dialog = new VideoToGifCut(m_dir.filePath("none.mp4"), 59999, 1920, 1080, row.data());
    QScopedPointer<Sent> sent(record(dialog));
    dialog->show();
    QCOMPARE(dialog->timeline()->maxValue(), 59999.0);
    QCOMPARE(dialog->endField()->text(), QStringLiteral("00:00:59.9"));
    dialog->onOKBtn();
    QCOMPARE(sent->count(), 1);
    const QList<QVariant> data = sent->first();
    QCOMPARE(data.at(0).toLongLong(), 0);
    QCOMPARE(data.at(1).toLongLong(), 59999);
    QCOMPARE(data.at(2).toInt(), 1920);
    QCOMPARE(data.at(3).toInt(), 1080);
    QCOMPARE(data.at(4).toString(), QStringLiteral("T_0_1_2"));
}

void TestEditingDialogs::gifEndPointerSetsTheEnd()
{
    QScopedPointer<QWidget> row(makeRow("T_0"));
    auto* dialog = new VideoToGifCut(m_dir.filePath("none.mp4"), 60000, 1920, 1080, row.data());
    QScopedPointer<Sent> sent(record(dialog));
    dialog->show();
    drag(dialog->timeline(), QPoint(490, 40), QPoint(242, 40));
    QCOMPARE(dialog->segmentEnd(), 242 * 60000 / 485);
    QCOMPARE(dialog->endField()->text(), QStringLiteral("00:00:29.9"));
    // The play marker moves the start too; past the end the dialog refuses to confirm.
    drag(dialog->timeline(), QPoint(5, 20), QPoint(400, 20));
    QCOMPARE(dialog->segmentStart(), 400 * 60000 / 485);
    dialog->onOKBtn();
    QCOMPARE(sent->count(), 0);
    QVERIFY(dialog->isVisible());
    // A segment of no length is refused as well, with its own notice.
    dialog->seek(int(dialog->segmentEnd()));
    dialog->onOKBtn();
    QCOMPARE(sent->count(), 0);
    QTRY_VERIFY(dialogNoticeShown(dialog, QStringLiteral("片段时长不能为0！")));
    dialog->close();
}

QTEST_MAIN(TestEditingDialogs)
#include "tst_editingdialogs.moc"

#include "tools/editing/cutsliderwt.h"
#include "tools/editing/previewgeometry.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

// The timeline driven by synthetic mouse events, and the preview geometry behind the crop fields.
class TestEditingWidgets : public QObject
{
    Q_OBJECT

private slots:
    void sliderStartsWithMarkersInPlace();
    void sliderValueMap_data();
    void sliderValueMap();
    void emptyRangeKeepsMarkersAtTheStart();
    void pressOnEmptyTrackDragsNothing();
    void pointersKeepOnePointerWidthApart();
    void dragsClampToTheTrack_data();
    void dragsClampToTheTrack();
    void overlapIsDecidedByHeight_data();
    void overlapIsDecidedByHeight();
    void everyMoveEmitsAndReleaseEndsTheDrag();
    void disabledSliderTakesNoDrag();
    void setProcessValueMovesOnlyThePlayMarker();
    void trackPainting();
    void fittedSize_data();
    void fittedSize();
    void selectionToSource_data();
    void selectionToSource();
};

namespace {
void send(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    send(widget, QEvent::MouseButtonPress, from);
    send(widget, QEvent::MouseMove, (from + to) / 2);
    send(widget, QEvent::MouseMove, to);
    send(widget, QEvent::MouseButtonRelease, to);
}

QColor pixel(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}
} // namespace

void TestEditingWidgets::sliderStartsWithMarkersInPlace()
{
    CutSliderWT slider;
    QCOMPARE(slider.size(), QSize(500, 50));
    QCOMPARE(slider.playMarkerX(), 0);
    QCOMPARE(slider.lowerPointerX(), 0);
    QCOMPARE(slider.upperPointerX(), 487);
    QCOMPARE(slider.maxValue(), 100.0);
    QCOMPARE(slider.pressedHandle(), CutSliderWT::NoHandle);
}

void TestEditingWidgets::sliderValueMap_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("value");
    QTest::newRow("0-60 at 242 truncates 29.94") << 0.0 << 60.0 << 242 << 29;
    QTest::newRow("0-60 at the end") << 0.0 << 60.0 << 485 << 60;
    QTest::newRow("0-60 at the start") << 0.0 << 60.0 << 0 << 0;
    QTest::newRow("10-70 offset") << 10.0 << 70.0 << 485 << 70;
    QTest::newRow("3600 s, one pixel") << 0.0 << 3600.0 << 1 << 7;
}

void TestEditingWidgets::sliderValueMap()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, x);
    QFETCH(int, value);
    CutSliderWT slider;
    slider.setMinValue(minimum);
    slider.setMaxValue(maximum);
    QCOMPARE(slider.valueOfPosition(x), value);
    // Dragging the play marker there reports the same value.
    QSignalSpy moved(&slider, &CutSliderWT::processPositonChange);
    drag(&slider, QPoint(6, 20), QPoint(x, 20));
    QCOMPARE(slider.playMarkerX(), x);
    QCOMPARE(moved.last().at(0).toInt(), value);
}

void TestEditingWidgets::emptyRangeKeepsMarkersAtTheStart()
{
    // A clip shorter than a second has the range 0 to 0.
    CutSliderWT slider;
    slider.setMaxValue(0);
    slider.setProcessValue(0);
    QCOMPARE(slider.playMarkerX(), 0);
    QCOMPARE(slider.valueOfPosition(300), 0);
}

void TestEditingWidgets::pressOnEmptyTrackDragsNothing()
{
    CutSliderWT slider;
    QSignalSpy play(&slider, &CutSliderWT::processPositonChange);
    QSignalSpy lower(&slider, &CutSliderWT::lowerPositionChanged);
    QSignalSpy upper(&slider, &CutSliderWT::upperPositionChanged);
    send(&slider, QEvent::MouseButtonPress, QPoint(200, 30));
    QCOMPARE(slider.pressedHandle(), CutSliderWT::NoHandle);
    send(&slider, QEvent::MouseMove, QPoint(300, 30));
    send(&slider, QEvent::MouseButtonRelease, QPoint(300, 30));
    QCOMPARE(play.count() + lower.count() + upper.count(), 0);
    QCOMPARE(slider.playMarkerX(), 0);
    QCOMPARE(slider.lowerPointerX(), 0);
    QCOMPARE(slider.upperPointerX(), 487);
}

void TestEditingWidgets::pointersKeepOnePointerWidthApart()
{
    CutSliderWT slider;
    slider.setMaxValue(60);
    // Upper pointer to 300 first (it starts beyond the track).
    drag(&slider, QPoint(490, 40), QPoint(300, 40));
    QCOMPARE(slider.upperPointerX(), 300);
    QSignalSpy lower(&slider, &CutSliderWT::lowerPositionChanged);
    drag(&slider, QPoint(5, 40), QPoint(450, 40));
    QCOMPARE(slider.lowerPointerX(), 287);
    QCOMPARE(lower.last().at(0).toInt(), slider.valueOfPosition(287));
    QSignalSpy upper(&slider, &CutSliderWT::upperPositionChanged);
    drag(&slider, QPoint(305, 40), QPoint(10, 40));
    QCOMPARE(slider.upperPointerX(), 300);
    QCOMPARE(upper.last().at(0).toInt(), slider.valueOfPosition(300));
}

void TestEditingWidgets::dragsClampToTheTrack_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<int>("toX");
    QTest::addColumn<int>("expectedX");
    QTest::newRow("play marker past the right end") << QPoint(6, 20) << 900 << 485;
    QTest::newRow("play marker past the left end") << QPoint(6, 20) << -50 << 0;
    QTest::newRow("upper pointer past the right end") << QPoint(492, 40) << 700 << 485;
}

void TestEditingWidgets::dragsClampToTheTrack()
{
    QFETCH(QPoint, press);
    QFETCH(int, toX);
    QFETCH(int, expectedX);
    CutSliderWT slider;
    slider.setMaxValue(60);
    QSignalSpy play(&slider, &CutSliderWT::processPositonChange);
    QSignalSpy upper(&slider, &CutSliderWT::upperPositionChanged);
    drag(&slider, press, QPoint(toX, press.y()));
    const bool isPlay = press.y() < 31;
    QCOMPARE(isPlay ? slider.playMarkerX() : slider.upperPointerX(), expectedX);
    QSignalSpy& spy = isPlay ? play : upper;
    QCOMPARE(spy.last().at(0).toInt(), expectedX == 485 ? 60 : 0);
}

void TestEditingWidgets::overlapIsDecidedByHeight_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("handle");
    QTest::newRow("upper part takes the play marker") << 20 << int(CutSliderWT::PlayMarker);
    QTest::newRow("y 30 is still the marker") << 30 << int(CutSliderWT::PlayMarker);
    QTest::newRow("y 31 takes the lower pointer") << 31 << int(CutSliderWT::LowerPointer);
    QTest::newRow("bottom takes the lower pointer") << 45 << int(CutSliderWT::LowerPointer);
}

void TestEditingWidgets::overlapIsDecidedByHeight()
{
    QFETCH(int, y);
    QFETCH(int, handle);
    CutSliderWT slider;
    send(&slider, QEvent::MouseButtonPress, QPoint(7, y));
    QCOMPARE(int(slider.pressedHandle()), handle);
    send(&slider, QEvent::MouseButtonRelease, QPoint(7, y));
    QCOMPARE(slider.pressedHandle(), CutSliderWT::NoHandle);

    // The same rule where the play marker overlaps the upper pointer.
    slider.setProcessValue(100);
    QCOMPARE(slider.playMarkerX(), 485);
    send(&slider, QEvent::MouseButtonPress, QPoint(490, y));
    QCOMPARE(int(slider.pressedHandle()), handle == CutSliderWT::PlayMarker ? int(CutSliderWT::PlayMarker)
                                                                            : int(CutSliderWT::UpperPointer));
    send(&slider, QEvent::MouseButtonRelease, QPoint(490, y));
}

void TestEditingWidgets::everyMoveEmitsAndReleaseEndsTheDrag()
{
    CutSliderWT slider;
    QSignalSpy play(&slider, &CutSliderWT::processPositonChange);
    send(&slider, QEvent::MouseButtonPress, QPoint(5, 20));
    send(&slider, QEvent::MouseMove, QPoint(100, 20));
    send(&slider, QEvent::MouseMove, QPoint(100, 20));
    send(&slider, QEvent::MouseMove, QPoint(101, 22));
    QCOMPARE(play.count(), 3);
    send(&slider, QEvent::MouseButtonRelease, QPoint(101, 22));
    send(&slider, QEvent::MouseMove, QPoint(300, 20));
    QCOMPARE(play.count(), 3);
    QCOMPARE(slider.playMarkerX(), 101);
}

void TestEditingWidgets::disabledSliderTakesNoDrag()
{
    CutSliderWT slider;
    slider.setEnabled(false);
    QSignalSpy play(&slider, &CutSliderWT::processPositonChange);
    drag(&slider, QPoint(5, 20), QPoint(200, 20));
    QCOMPARE(play.count(), 0);
    QCOMPARE(slider.playMarkerX(), 0);
}

void TestEditingWidgets::setProcessValueMovesOnlyThePlayMarker()
{
    CutSliderWT slider;
    slider.setMaxValue(60);
    QSignalSpy play(&slider, &CutSliderWT::processPositonChange);
    slider.setProcessValue(30);
    QCOMPARE(slider.processValue(), 30.0);
    QCOMPARE(slider.playMarkerX(), 242);
    slider.setProcessValue(120);
    QCOMPARE(slider.playMarkerX(), 970);
    QCOMPARE(play.count(), 0);
    QCOMPARE(slider.lowerPointerX(), 0);
    QCOMPARE(slider.upperPointerX(), 487);
}

void TestEditingWidgets::trackPainting()
{
    const QColor played(39, 105, 188), rest(206, 206, 206), selected(65, 205, 82);
    QImage image(500, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CutSliderWT::paintTrack(painter, 50, 200, 300, 400);
    }
    QCOMPARE(pixel(image, 100, 24), played);
    QCOMPARE(pixel(image, 250, 24), rest);
    QCOMPARE(pixel(image, 350, 24), selected);
    QCOMPARE(pixel(image, 450, 24), rest);
    QCOMPARE(pixel(image, 100, 18), QColor(Qt::white));
    QCOMPARE(pixel(image, 100, 30), QColor(Qt::white));

    // A play marker beyond the track: the blue part still ends at 485.
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CutSliderWT::paintTrack(painter, 50, 970, 0, 0);
    }
    QCOMPARE(pixel(image, 480, 24), played);
    QCOMPARE(pixel(image, 492, 24), QColor(Qt::white));
}

void TestEditingWidgets::fittedSize_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("1080p in the cut preview") << QSize(1920, 1080) << QSize(900, 500) << QSize(888, 500);
    QTest::newRow("1080p in the GIF preview") << QSize(1920, 1080) << QSize(900, 490) << QSize(871, 490);
    QTest::newRow("portrait") << QSize(1080, 1920) << QSize(900, 500) << QSize(281, 500);
    QTest::newRow("wide fills the width") << QSize(1920, 600) << QSize(900, 500) << QSize(900, 281);
    QTest::newRow("no size") << QSize(0, 0) << QSize(900, 500) << QSize();
}

void TestEditingWidgets::fittedSize()
{
    QFETCH(QSize, source);
    QFETCH(QSize, area);
    QFETCH(QSize, shown);
    QCOMPARE(PreviewGeometry::fitted(source, area), shown);
}

void TestEditingWidgets::selectionToSource_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<QRect>("crop");
    const QSize landscape(1920, 1080), portrait(1080, 1920), wide(1920, 600);
    QTest::newRow("whole picture") << landscape << QRect(6, 0, 888, 500) << QRect(0, 0, 1920, 1080);
    QTest::newRow("whole preview") << landscape << QRect(0, 0, 900, 500) << QRect(0, 0, 1920, 1080);
    QTest::newRow("inside") << landscape << QRect(100, 50, 200, 100) << QRect(203, 108, 432, 216);
    QTest::newRow("odd sizes round down to even")
        << landscape << QRect(100, 50, 199, 101) << QRect(203, 108, 428, 218);
    QTest::newRow("in the left band") << landscape << QRect(0, 0, 5, 100) << QRect();
    QTest::newRow("portrait clipped left") << portrait << QRect(200, 0, 200, 500) << QRect(0, 0, 348, 1920);
    QTest::newRow("portrait in the band") << portrait << QRect(0, 0, 300, 100) << QRect();
    QTest::newRow("portrait right of the picture") << portrait << QRect(600, 0, 100, 100) << QRect();
    QTest::newRow("wide whole preview") << wide << QRect(0, 0, 900, 500) << QRect(0, 0, 1920, 600);
    QTest::newRow("wide inside") << wide << QRect(90, 150, 300, 100) << QRect(192, 87, 640, 212);
    QTest::newRow("wide above the picture") << wide << QRect(0, 0, 300, 100) << QRect();
}

void TestEditingWidgets::selectionToSource()
{
    QFETCH(QSize, source);
    QFETCH(QRect, selection);
    QFETCH(QRect, crop);
    QCOMPARE(PreviewGeometry::selectionToSource(selection, QSize(900, 500), source), crop);
}

QTEST_MAIN(TestEditingWidgets)
#include "tst_editingwidgets.moc"

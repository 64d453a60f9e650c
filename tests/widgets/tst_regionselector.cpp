// Mouse events go through the window system, so a drag keeps its implicit grab when the
// pointer leaves the box, as it does for a user.
#define QTEST_QPA_MOUSE_HANDLING

#include "widgets/capturescreenwt.h"
#include "widgets/maskwt.h"
#include "widgets/regiongeometry.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace RegionGeometry;

class TestRegionSelector : public QObject
{
    Q_OBJECT
private:
    // A 900 x 600 preview covered by its mask, the box at (100, 100) 300 x 200. The window
    // around it leaves room for drags far past the preview's borders.
    struct Preview
    {
        QWidget window;
        QWidget host{&window};
        MaskWT* mask;
        Preview()
        {
            auto* layout = new QVBoxLayout(&host);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->setSpacing(0);
            mask = new MaskWT(&host);
            layout->addWidget(mask);
            window.resize(2400, 2400);
            host.setGeometry(600, 600, 900, 600);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            mask->setBoxRect({100, 100, 300, 200});
        }
    };

    static void drag(QWidget* surface, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(surface, button, {}, from);
        QTest::mouseMove(surface, from + QPoint(1, 1));
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, button, {}, to);
    }

private slots:
    void aDragFromEachZone_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("move") << QPoint(250, 200) << QPoint(300, 250) << QRect(150, 150, 300, 200);
        QTest::newRow("move past top-left")
            << QPoint(250, 200) << QPoint(-500, -500) << QRect(0, 0, 300, 200);
        QTest::newRow("move past bottom-right")
            << QPoint(250, 200) << QPoint(1500, 1500) << QRect(600, 400, 300, 200);
        QTest::newRow("right") << QPoint(395, 200) << QPoint(445, 200) << QRect(100, 100, 350, 200);
        QTest::newRow("right past border")
            << QPoint(395, 200) << QPoint(1500, 200) << QRect(100, 100, 800, 200);
        QTest::newRow("right below minimum")
            << QPoint(395, 200) << QPoint(0, 200) << QRect(100, 100, 40, 200);
        QTest::newRow("left") << QPoint(105, 200) << QPoint(55, 200) << QRect(50, 100, 350, 200);
        // The right edge stays where it was: the left edge alone stops at the border.
        QTest::newRow("left past border") << QPoint(105, 200) << QPoint(-100, 200) << QRect(0, 100, 400, 200);
        QTest::newRow("left below minimum")
            << QPoint(105, 200) << QPoint(800, 200) << QRect(360, 100, 40, 200);
        QTest::newRow("top") << QPoint(250, 105) << QPoint(250, 50) << QRect(100, 45, 300, 255);
        QTest::newRow("top past border") << QPoint(250, 105) << QPoint(250, -80) << QRect(100, 0, 300, 300);
        QTest::newRow("bottom past border")
            << QPoint(250, 295) << QPoint(250, 1500) << QRect(100, 100, 300, 500);
        QTest::newRow("top-left past borders")
            << QPoint(105, 105) << QPoint(-50, -50) << QRect(0, 0, 400, 300);
        QTest::newRow("top-right past borders")
            << QPoint(395, 105) << QPoint(1500, -50) << QRect(100, 0, 800, 300);
        QTest::newRow("bottom-left past borders")
            << QPoint(105, 295) << QPoint(-50, 1500) << QRect(0, 100, 400, 500);
        QTest::newRow("bottom-right") << QPoint(395, 295) << QPoint(405, 310) << QRect(100, 100, 310, 215);
        QTest::newRow("bottom-right to minimum")
            << QPoint(395, 295) << QPoint(1, 1) << QRect(100, 100, 40, 40);
    }
    void aDragFromEachZone()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, expected);
        Preview preview;
        QSignalSpy moves(preview.mask, &MaskWT::captureMove);
        drag(preview.mask, from, to);
        QCOMPARE(preview.mask->boxRect(), expected);
        QVERIFY(!moves.isEmpty());
        const QList<QVariant> last = moves.last();
        QCOMPARE(QRect(last.at(0).toInt(), last.at(1).toInt(), last.at(2).toInt(), last.at(3).toInt()),
                 expected);
        QVERIFY(!preview.mask->captureScreen()->isMoving());
        QVERIFY(!preview.mask->captureScreen()->isResizing());
    }

    void theSmallestBoxCannotShrink()
    {
        Preview preview;
        preview.mask->setBoxRect({100, 100, 40, 40});
        drag(preview.mask, {138, 120}, {137, 120});
        QCOMPARE(preview.mask->boxRect(), QRect(100, 100, 40, 40));
        drag(preview.mask, {120, 138}, {120, 100});
        QCOMPARE(preview.mask->boxRect(), QRect(100, 100, 40, 40));
    }

    void hoveringSetsTheCursorAndEmitsNothing_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("cursor");
        QTest::newRow("inside") << QPoint(250, 200) << int(Inside) << int(Qt::SizeAllCursor);
        QTest::newRow("left") << QPoint(110, 200) << int(Left) << int(Qt::SizeHorCursor);
        QTest::newRow("right") << QPoint(390, 200) << int(Right) << int(Qt::SizeHorCursor);
        QTest::newRow("top") << QPoint(250, 110) << int(Top) << int(Qt::SizeVerCursor);
        QTest::newRow("bottom") << QPoint(250, 290) << int(Bottom) << int(Qt::SizeVerCursor);
        QTest::newRow("top-left") << QPoint(110, 110) << int(TopLeft) << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right") << QPoint(390, 290) << int(BottomRight) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << QPoint(390, 110) << int(TopRight) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left") << QPoint(110, 290) << int(BottomLeft) << int(Qt::SizeBDiagCursor);
    }
    void hoveringSetsTheCursorAndEmitsNothing()
    {
        QFETCH(QPoint, at);
        QFETCH(int, zone);
        QFETCH(int, cursor);
        Preview preview;
        QSignalSpy moves(preview.mask, &MaskWT::captureMove);
        QTest::mouseMove(preview.mask, at - QPoint(3, 2));
        QTest::mouseMove(preview.mask, at);
        CaptureScreenWT* box = preview.mask->captureScreen();
        QCOMPARE(int(box->zone()), zone);
        QCOMPARE(int(box->cursor().shape()), cursor);
        QCOMPARE(moves.count(), 0);
        QCOMPARE(preview.mask->boxRect(), QRect(100, 100, 300, 200));
    }

    void otherButtonsStartNoDrag()
    {
        Preview preview;
        QSignalSpy moves(preview.mask, &MaskWT::captureMove);
        drag(preview.mask, {250, 200}, {400, 300}, Qt::RightButton);
        drag(preview.mask, {395, 200}, {500, 200}, Qt::MiddleButton);
        QCOMPARE(preview.mask->boxRect(), QRect(100, 100, 300, 200));
        QCOMPARE(moves.count(), 0);
    }

    void aNewBoxCoversTheCutPreview()
    {
        QWidget preview;
        MaskWT mask(&preview);
        QCOMPARE(mask.boxRect(), QRect(0, 0, 900, 500));
        QCOMPARE(mask.captureScreen()->objectName(), QStringLiteral("capturingDialog"));
    }

    void theMaskHidesAllButTheBox()
    {
        Preview preview;
        // The preview's own picture, which must show through the box.
        preview.host.setAutoFillBackground(true);
        QPalette palette = preview.host.palette();
        palette.setColor(QPalette::Window, Qt::green);
        preview.host.setPalette(palette);
        const QImage image = preview.host.grab().toImage();
        const QColor grey(105, 110, 114);
        for (const QPoint p : {QPoint(50, 50), QPoint(250, 50), QPoint(50, 200), QPoint(450, 200),
                               QPoint(250, 350), QPoint(899, 599)})
            QCOMPARE(image.pixelColor(p), grey);
        // The inside lets the video through.
        QCOMPARE(image.pixelColor(250, 200), QColor(Qt::green));
        QCOMPARE(image.pixelColor(130, 200), QColor(Qt::green));
        const QColor red(255, 0, 0);
        // Corner arms 20 long and 6 thick; the edge marks 40 long, centred.
        for (const QPoint p : {QPoint(100, 100), QPoint(119, 105), QPoint(105, 119), QPoint(399, 100),
                               QPoint(380, 100), QPoint(100, 299), QPoint(399, 299), QPoint(100, 181),
                               QPoint(100, 219), QPoint(399, 200), QPoint(231, 100), QPoint(250, 299)})
            QCOMPARE(image.pixelColor(p), red);
        for (const QPoint p : {QPoint(120, 100), QPoint(106, 110), QPoint(100, 179), QPoint(100, 221),
                               QPoint(229, 100), QPoint(250, 293)})
            QVERIFY2(image.pixelColor(p) != red, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }

    void geometryRulesAtTheirLimits()
    {
        // A surface smaller than the smallest box: the box may not grow past the surface.
        const Press press{{0, 0, 30, 30}, {29, 29}};
        QCOMPARE(resized(BottomRight, press, press.box, {10, 10}, {30, 30}, 40), QRect(0, 0, 30, 30));
        // A box larger than its surface moves to show its top-left.
        QCOMPARE(moved({{0, 0, 500, 300}, {10, 10}}, {60, 60}, {400, 300}), QRect(0, 0, 500, 300));
    }
};

QTEST_MAIN(TestRegionSelector)
#include "tst_regionselector.moc"

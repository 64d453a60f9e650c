// Mouse events go through the window system, so drags keep their grab and propagate from the
// title bar's children to the dialog as they do for a user.
#define QTEST_QPA_MOUSE_HANDLING

#include "support/fixtures.h"
#include "tools/picture/crop/cropcapwt.h"
#include "tools/picture/crop/cropdialog.h"
#include "tools/picture/crop/cropmaskwt.h"
#include "tools/picture/crop/cropscale.h"
#include "widgets/mylineedit.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestCropDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void opensAtTheFitScale_data();
    void opensAtTheFitScale();
    void uprightPictureOfAnExifOrientation();
    void zoomStepsKeepTheSelection();
    void boxToSourcePixelsRoundsUp();
    void draggingTheBoxSetsTheRectangle_data();
    void draggingTheBoxSetsTheRectangle();
    void sizeEdits();
    void typedSizeIsKeptWhenTheBoxMoves_data();
    void typedSizeIsKeptWhenTheBoxMoves();
    void confirmCancelAndClose();
    void windowDragging_data();
    void windowDragging();
    void paintsThePictureAndTheVeil();
    void unreadablePicture();
    void liesOverItsWindow();

private:
    QString picture(const QString& name, const QString& size, const QString& source = "gradient:");
    // The dialog shown and exposed, as the page shows it.
    static CropDialog* open(const QString& path);
    static void drag(QWidget* widget, QPoint from, QPoint to);
    static QSignalSpy* spyOn(CropDialog* dialog) { return new QSignalSpy(dialog, &CropDialog::finishCrop); }

    QTemporaryDir m_dir;
};

QString TestCropDialog::picture(const QString& name, const QString& size, const QString& source)
{
    const QString path = m_dir.filePath(name);
    if (!QFileInfo::exists(path) && !Fixtures::makePicture(path, source, size))
        return QString();
    return path;
}

CropDialog* TestCropDialog::open(const QString& path)
{
    auto* dialog = new CropDialog(3, path, nullptr);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
        qWarning("dialog not exposed");
    return dialog;
}

void TestCropDialog::drag(QWidget* widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, from + (to - from) / 10);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

void TestCropDialog::opensAtTheFitScale_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QRect>("mask");
    // 0.35 x 3000 = 1050 > 680: the height decides, 680 / 3000.
    QTest::newRow("large landscape") << "4000x3000"
                                     << "22%" << QRect(246, 0, 907, 680);
    QTest::newRow("tall") << "3000x4000"
                          << "17%" << QRect(445, 0, 510, 680);
    // 1400 / 2800 = 0.5 and 0.5 x 1000 = 500 fits: the width decides.
    QTest::newRow("wide") << "2800x1000"
                          << "50%" << QRect(0, 90, 1400, 500);
    QTest::newRow("small, never enlarged") << "800x600"
                                           << "100%" << QRect(300, 40, 800, 600);
}

void TestCropDialog::opensAtTheFitScale()
{
    QFETCH(QString, size);
    QFETCH(QString, percent);
    QFETCH(QRect, mask);
    // Qt reads TIFF through the image formats plugins.
    const QString name = size + (QString(QTest::currentDataTag()) == "tiff" ? ".tiff" : ".png");
    QPointer<CropDialog> dialog = open(picture(name, size, "xc:gray"));
    QCOMPARE(dialog->size(), QSize(1400, 900));
    QCOMPARE(dialog->pictureArea()->height(), 680);
    QCOMPARE(dialog->scaleEdit()->text(), percent);
    QCOMPARE(dialog->mask()->geometry(), mask);
    QCOMPARE(dialog->mask()->boxRect(), QRect(QPoint(0, 0), mask.size()));
    const QStringList sides = size.split('x');
    QCOMPARE(dialog->storedRect(), QRect(0, 0, sides.at(0).toInt(), sides.at(1).toInt()));
    QCOMPARE(dialog->widthEdit()->text(), sides.at(0));
    QCOMPARE(dialog->heightEdit()->text(), sides.at(1));
    QCOMPARE(dialog->titleLabel()->text(),
             name + " 【图像大小：" + sides.at(0) + " x " + sides.at(1) + " 像素】");
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

void TestCropDialog::uprightPictureOfAnExifOrientation()
{
    // Stored 600 x 400, shown turned a quarter clockwise: 400 x 600.
    const QString path = m_dir.filePath("turned.jpg");
    QVERIFY(Fixtures::makePicture(path, "xc:red", "600x400"));
    QVERIFY(Fixtures::runTool("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", path}));
    QScopedPointer<CropDialog> dialog(open(path));
    QCOMPARE(dialog->pictureSize(), QSize(400, 600));
    QCOMPARE(dialog->storedRect(), QRect(0, 0, 400, 600));
    QCOMPARE(dialog->mask()->geometry(), QRect(500, 40, 400, 600));
}

void TestCropDialog::zoomStepsKeepTheSelection()
{
    QScopedPointer<CropDialog> dialog(open(picture("4000x3000.png", "4000x3000", "xc:gray")));
    const QList<double> ins{0.3, 0.5, 0.75, 1, 1.25};
    for (double step : ins) {
        QTest::mouseClick(dialog->biggerButton(), Qt::LeftButton);
        QCOMPARE(dialog->factor(), step);
    }
    QCOMPARE(dialog->scaleEdit()->text(), QStringLiteral("125%"));
    // Not clamped: larger than the area, centred, cut off on every side.
    QCOMPARE(dialog->mask()->geometry(), QRect((1400 - 5000) / 2, (680 - 3750) / 2, 5000, 3750));
    for (int i = 0; i < 20; ++i)
        dialog->bigger();
    QCOMPARE(dialog->factor(), 4.0);
    for (int i = 0; i < 20; ++i)
        dialog->smaller();
    QCOMPARE(dialog->factor(), 0.1);
    QCOMPARE(dialog->scaleEdit()->text(), QStringLiteral("10%"));
    QCOMPARE(dialog->mask()->size(), QSize(400, 300));

    // A selection made at 10 % is the same rectangle at every zoom step.
    drag(dialog->mask(), {395, 150}, {195, 150});
    drag(dialog->mask(), {150, 295}, {150, 195});
    const QRect marked = dialog->storedRect();
    QCOMPARE(marked, QRect(0, 0, 2000, 2000));
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("2000"));
    QTest::mouseClick(dialog->biggerButton(), Qt::LeftButton);
    QCOMPARE(dialog->factor(), 0.2);
    QCOMPARE(dialog->storedRect(), marked);
    QCOMPARE(dialog->mask()->boxRect(), QRect(0, 0, 400, 400));
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("2000"));
    QTest::mouseClick(dialog->fitButton(), Qt::LeftButton);
    QCOMPARE(dialog->factor(), dialog->fitScale());
    QCOMPARE(dialog->mask()->boxRect(), QRect(0, 0, 454, 454));
    QTest::mouseClick(dialog->smallerButton(), Qt::LeftButton);
    QCOMPARE(dialog->factor(), 0.2);
    QCOMPARE(dialog->storedRect(), marked);
    QCOMPARE(dialog->heightEdit()->text(), QStringLiteral("2000"));
}

void TestCropDialog::boxToSourcePixelsRoundsUp()
{
    QScopedPointer<CropDialog> dialog(open(picture("4000x3000.png", "4000x3000", "xc:gray")));
    dialog->bigger();
    QCOMPARE(dialog->factor(), 0.3);
    dialog->onCropMaskCaptureMove(100, 50, 200, 100);
    QCOMPARE(dialog->storedRect(), QRect(334, 167, 667, 334));
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("667"));
    QCOMPARE(dialog->heightEdit()->text(), QStringLiteral("334"));
    // The whole displayed picture at the fit scale is the whole picture, not a pixel more.
    dialog->adjustWin();
    dialog->onCropMaskCaptureMove(0, 0, 907, 680);
    QCOMPARE(dialog->storedRect(), QRect(0, 0, 4000, 3000));
    // Rounding up never carries the far edge past the picture.
    dialog->onCropMaskCaptureMove(500, 300, 407, 380);
    const QRect r = dialog->storedRect();
    QCOMPARE(r.topLeft(), QPoint(2206, 1324));
    QCOMPARE(r.x() + r.width(), 4000);
    QCOMPARE(r.y() + r.height(), 3000);
}

void TestCropDialog::draggingTheBoxSetsTheRectangle_data()
{
    // An 800 x 600 picture at 100 %: box and picture pixels are one.
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("right edge") << QPoint(796, 300) << QPoint(496, 300) << QRect(0, 0, 500, 600);
    QTest::newRow("bottom edge") << QPoint(400, 596) << QPoint(400, 196) << QRect(0, 0, 800, 200);
    QTest::newRow("left edge") << QPoint(3, 300) << QPoint(123, 300) << QRect(120, 0, 680, 600);
    QTest::newRow("top edge") << QPoint(400, 3) << QPoint(400, 43) << QRect(0, 40, 800, 560);
    QTest::newRow("top-left corner") << QPoint(3, 3) << QPoint(123, 43) << QRect(120, 40, 680, 560);
    QTest::newRow("top-right corner") << QPoint(796, 3) << QPoint(596, 103) << QRect(0, 100, 600, 500);
    QTest::newRow("bottom-left corner") << QPoint(3, 596) << QPoint(303, 296) << QRect(300, 0, 500, 300);
    QTest::newRow("bottom-right corner") << QPoint(796, 596) << QPoint(96, 96) << QRect(0, 0, 100, 100);
    QTest::newRow("down to the smallest box")
        << QPoint(796, 596) << QPoint(-500, -500) << QRect(0, 0, 16, 16);
    QTest::newRow("the whole box cannot move")
        << QPoint(400, 300) << QPoint(500, 400) << QRect(0, 0, 800, 600);
}

void TestCropDialog::draggingTheBoxSetsTheRectangle()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    QScopedPointer<CropDialog> dialog(open(picture("800x600.png", "800x600", "xc:gray")));
    drag(dialog->mask(), from, to);
    QCOMPARE(dialog->storedRect(), expected);
    QCOMPARE(dialog->mask()->boxRect(), expected);
    QCOMPARE(dialog->widthEdit()->text(), QString::number(expected.width()));
    QCOMPARE(dialog->heightEdit()->text(), QString::number(expected.height()));
}

void TestCropDialog::sizeEdits()
{
    QScopedPointer<CropDialog> dialog(open(picture("800x600.png", "800x600", "xc:gray")));
    // A smaller box, then moved to the right and down.
    drag(dialog->mask(), {796, 596}, {396, 396});
    drag(dialog->mask(), {200, 200}, {500, 350});
    QCOMPARE(dialog->storedRect(), QRect(300, 150, 400, 400));

    dialog->widthEdit()->clear();
    QTest::keyClicks(dialog->widthEdit(), "5");
    QCOMPARE(dialog->storedRect(), QRect(300, 150, 400, 400));
    QTest::keyClick(dialog->widthEdit(), Qt::Key_Backspace);
    QTest::keyClicks(dialog->widthEdit(), "6");
    QCOMPARE(dialog->storedRect(), QRect(300, 150, 6, 400));
    QCOMPARE(dialog->mask()->boxRect(), QRect(300, 150, 6, 400));
    // More than the picture has cannot be typed.
    QTest::keyClicks(dialog->widthEdit(), "00");
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("600"));
    QCOMPARE(dialog->storedRect(), QRect(200, 150, 600, 400));
    QTest::keyClicks(dialog->widthEdit(), "0");
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("600"));
    // A size that would leave the picture slides the rectangle back in: what is cut is what was typed.
    dialog->heightEdit()->clear();
    QTest::keyClicks(dialog->heightEdit(), "600");
    QCOMPARE(dialog->storedRect(), QRect(200, 0, 600, 600));
    QCOMPARE(dialog->mask()->boxRect(), QRect(200, 0, 600, 600));
    // An empty edit changes nothing.
    dialog->heightEdit()->clear();
    QTest::keyClicks(dialog->widthEdit(), "\b\b\b");
    QCOMPARE(dialog->storedRect(), QRect(200, 0, 600, 600));
}

void TestCropDialog::typedSizeIsKeptWhenTheBoxMoves_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("factor");
    // Fit scales at which 600 source pixels are no whole number of displayed ones.
    QTest::newRow("4000x3000 at 680/3000") << "4000x3000" << 680.0 / 3000;
    QTest::newRow("1999x1333 at 680/1333") << "1999x1333" << 680.0 / 1333;
    QTest::newRow("5000x700 at 1400/5000") << "5000x700" << 1400.0 / 5000;
    QTest::newRow("800x600 at 100 %") << "800x600" << 1.0;
}

void TestCropDialog::typedSizeIsKeptWhenTheBoxMoves()
{
    QFETCH(QString, size);
    QFETCH(double, factor);
    QPointer<CropDialog> dialog = open(picture(size + ".png", size, "xc:gray"));
    QScopedPointer<QSignalSpy> spy(spyOn(dialog));
    QCOMPARE(dialog->factor(), factor);
    const QSize picture = dialog->pictureSize();
    for (MyLineEdit* edit : {dialog->widthEdit(), dialog->heightEdit()}) {
        edit->selectAll();
        QTest::keyClicks(edit, edit == dialog->widthEdit() ? "600" : "400");
    }
    QCOMPARE(dialog->storedRect(), QRect(0, 0, 600, 400));

    // Moved a little, then as far right and down as it goes: the size stays what was typed.
    const QPoint centre = dialog->mask()->boxRect().center();
    drag(dialog->mask(), centre, centre + QPoint(37, 23));
    QRect r = dialog->storedRect();
    QCOMPARE(r.size(), QSize(600, 400));
    QVERIFY2(r.x() > 0 && r.y() > 0, qPrintable(QString("%1,%2").arg(r.x()).arg(r.y())));
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("600"));
    const QPoint moved = dialog->mask()->boxRect().center();
    drag(dialog->mask(), moved, moved + QPoint(3000, 3000));
    r = dialog->storedRect();
    QCOMPARE(r.size(), QSize(600, 400));
    QCOMPARE(r.right() + 1, picture.width());
    QCOMPARE(r.bottom() + 1, picture.height());

    // A zoom step and a move at the new scale keep it too.
    dialog->bigger();
    const QPoint zoomed = dialog->mask()->boxRect().center();
    drag(dialog->mask(), zoomed, zoomed - QPoint(50, 40));
    QCOMPARE(dialog->storedRect().size(), QSize(600, 400));

    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(spy->count(), 1);
    QCOMPARE(spy->first().mid(3), (QList<QVariant>{600, 400}));
    QTRY_VERIFY(dialog.isNull());
}

void TestCropDialog::confirmCancelAndClose()
{
    const QString path = picture("800x600.png", "800x600", "xc:gray");
    {
        QPointer<CropDialog> dialog = open(path);
        QScopedPointer<QSignalSpy> spy(spyOn(dialog));
        drag(dialog->mask(), {3, 3}, {123, 43});
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QCOMPARE(spy->count(), 1);
        QCOMPARE(spy->first(), (QList<QVariant>{3, 120, 40, 680, 560}));
        QTRY_VERIFY(dialog.isNull());
    }
    for (bool byClose : {false, true}) {
        QPointer<CropDialog> dialog = open(path);
        QScopedPointer<QSignalSpy> spy(spyOn(dialog));
        drag(dialog->mask(), {400, 300}, {450, 350});
        drag(dialog->mask(), {3, 3}, {123, 43});
        QTest::mouseClick(byClose ? dialog->closeButton() : dialog->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(spy->count(), 0);
    }
}

void TestCropDialog::windowDragging_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<bool>("moves");
    QTest::newRow("title") << QPoint(100, 20) << true;
    QTest::newRow("title text") << QPoint(30, 5) << true;
    QTest::newRow("near the close button") << QPoint(1400 - 49, 20) << false;
    QTest::newRow("below the title bar") << QPoint(100, 50) << false;
}

void TestCropDialog::windowDragging()
{
    QFETCH(QPoint, press);
    QFETCH(bool, moves);
    QScopedPointer<CropDialog> dialog(open(picture("800x600.png", "800x600", "xc:gray")));
    const QPoint before = dialog->pos();
    const QPoint step(40, 30);
    QTest::mousePress(dialog.data(), Qt::LeftButton, {}, press);
    QTest::mouseMove(dialog.data(), press + step);
    QCOMPARE(dialog->pos(), moves ? before + step : before);
    // The window moved under the pointer: the pointer is back over the point it pressed.
    const QPoint released = moves ? press : press + step;
    QTest::mouseRelease(dialog.data(), Qt::LeftButton, {}, released);
    const QPoint after = dialog->pos();
    QTest::mouseMove(dialog.data(), released + QPoint(5, 5));
    QCOMPARE(dialog->pos(), after);
}

void TestCropDialog::paintsThePictureAndTheVeil()
{
    const QString path = m_dir.filePath("halves.png");
    QVERIFY(Fixtures::runTool("convert", {"-size", "400x600", "xc:rgb(0,128,255)", "-size", "400x600",
                                          "xc:rgb(255,255,0)", "+append", path}));
    QScopedPointer<CropDialog> dialog(open(path));
    drag(dialog->mask(), {3, 3}, {203, 103});
    drag(dialog->mask(), {796, 596}, {596, 496});
    QCOMPARE(dialog->mask()->boxRect(), QRect(200, 100, 400, 400));
    const QImage image = dialog->mask()->grab().toImage();
    QCOMPARE(image.size(), QSize(800, 600));
    auto near = [&image](QPoint p, QColor expected) {
        const QColor c = image.pixelColor(p);
        return qAbs(c.red() - expected.red()) <= 2 && qAbs(c.green() - expected.green()) <= 2 &&
               qAbs(c.blue() - expected.blue()) <= 2;
    };
    // Inside: the picture itself.
    QCOMPARE(image.pixelColor(300, 300), QColor(0, 128, 255));
    QCOMPARE(image.pixelColor(500, 300), QColor(255, 255, 0));
    // Outside: the picture under a grey veil of alpha 150, so it stays visible.
    auto veiled = [](QColor c) {
        const double a = 150 / 255.0;
        return QColor(qRound(105 * a + c.red() * (1 - a)), qRound(110 * a + c.green() * (1 - a)),
                      qRound(114 * a + c.blue() * (1 - a)));
    };
    for (QPoint p : {QPoint(50, 50), QPoint(100, 300), QPoint(300, 550)})
        QVERIFY2(near(p, veiled(QColor(0, 128, 255))), qPrintable(image.pixelColor(p).name()));
    for (QPoint p : {QPoint(700, 300), QPoint(500, 50), QPoint(799, 599)})
        QVERIFY2(near(p, veiled(QColor(255, 255, 0))), qPrintable(image.pixelColor(p).name()));
    // A one-pixel red frame, and 8 x 8 red squares at the corners and the middle of each edge.
    const QColor red(255, 0, 0);
    for (QPoint p :
         {QPoint(300, 100), QPoint(200, 200), QPoint(599, 200), QPoint(300, 499), QPoint(207, 107),
          QPoint(592, 492), QPoint(207, 296), QPoint(207, 303), QPoint(396, 107), QPoint(403, 492)})
        QVERIFY2(image.pixelColor(p) == red, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : {QPoint(300, 101), QPoint(208, 150), QPoint(207, 295), QPoint(207, 304)})
        QVERIFY2(image.pixelColor(p) != red, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
}

void TestCropDialog::unreadablePicture()
{
    const QString path = m_dir.filePath("broken.png");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    QPointer<CropDialog> dialog = open(path);
    QScopedPointer<QSignalSpy> spy(spyOn(dialog));
    QCOMPARE(dialog->pictureSize(), QSize(0, 0));
    QVERIFY(dialog->titleLabel()->text().contains(QStringLiteral("0 x 0")));
    QCOMPARE(dialog->widthEdit()->text(), QStringLiteral("0"));
    QCOMPARE(dialog->fitScale(), 1.0);
    dialog->widthEdit()->clear();
    QTest::keyClicks(dialog->widthEdit(), "9");
    QCOMPARE(dialog->widthEdit()->text(), QString());
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QCOMPARE(spy->count(), 1);
    QCOMPARE(spy->first(), (QList<QVariant>{3, 0, 0, 0, 0}));
    QTRY_VERIFY(dialog.isNull());
}

void TestCropDialog::liesOverItsWindow()
{
    QWidget window;
    window.setGeometry(120, 60, 1400, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* page = new QWidget(&window);
    QPointer<CropDialog> dialog = new CropDialog(0, picture("800x600.png", "800x600", "xc:gray"), page);
    QCOMPARE(dialog->pos(), QPoint(120, 60));
    QVERIFY(dialog->isModal());
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    delete dialog;
}

QTEST_MAIN(TestCropDialog)
#include "tst_cropdialog.moc"

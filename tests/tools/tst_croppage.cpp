#define QTEST_QPA_MOUSE_HANDLING

#include "framework/exportfilewt.h"
#include "framework/mytable.h"
#include "support/fixtures.h"
#include "tools/picture/crop/cropcenterwt.h"
#include "tools/picture/crop/cropdialog.h"
#include "tools/picture/crop/cropmainwt.h"
#include "tools/picture/crop/cropmaskwt.h"
#include "tools/picture/crop/cropparamwt.h"
#include "widgets/mycombobox.h"
#include "widgets/mydialog.h"
#include "widgets/mylineedit.h"

#include <QHeaderView>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

// The crop page end to end: rows in, rectangles marked, start pressed, ImageMagick, files out.
class TestCropPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void tableAndRectangles();
    void theDialogMarksTheRow();
    void aTypedSizeIsCutToThePixel();
    void anUnreadablePictureOpensNoDialog();
    void onlyRowsWithARectangleAreCut();
    void cutsByFormat_data();
    void cutsByFormat();
    void exifOrientationIsCutAsShown();

private:
    QString quadrants(const QString& name);
    void showRows(CropMainWT& page, const QStringList& paths);
    QPushButton* rowButton(CropMainWT& page, int row, const char* name) const;
    void run(CropMainWT& page, const QString& out, int format);
    static QColor pixel(const QString& path, int x, int y) { return QImage(path).pixelColor(x, y); }
    static bool near(QColor c, QColor expected, int tolerance = 12)
    {
        return qAbs(c.red() - expected.red()) <= tolerance &&
               qAbs(c.green() - expected.green()) <= tolerance &&
               qAbs(c.blue() - expected.blue()) <= tolerance;
    }

    QTemporaryDir m_dir;
};

void TestCropPage::initTestCase()
{
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QVERIFY(m_dir.isValid());
}

// 200 x 200: red, green / blue, white quarters.
QString TestCropPage::quadrants(const QString& name)
{
    const QString path = m_dir.filePath(name);
    if (!Fixtures::runTool("convert",
                           {"(", "-size", "100x100", "xc:red", "xc:lime", "+append", ")", "(", "-size",
                            "100x100", "xc:blue", "xc:white", "+append", ")", "-append", path}))
        return QString();
    return path;
}

void TestCropPage::showRows(CropMainWT& page, const QStringList& paths)
{
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.addPaths(paths);
    page.centerWidget()->showTable();
    QTRY_VERIFY(page.table()->isVisible());
}

QPushButton* TestCropPage::rowButton(CropMainWT& page, int row, const char* name) const
{
    QWidget* cell = page.table()->cellWidget(row, 5);
    return cell ? cell->findChild<QPushButton*>(QLatin1String(name)) : nullptr;
}

void TestCropPage::run(CropMainWT& page, const QString& out, int format)
{
    QDir().mkpath(out);
    page.centerWidget()->param()->exportFile()->setText(out);
    page.centerWidget()->param()->formatCombo()->setCurrentIndex(format);
    page.crop();
    QTRY_VERIFY_WITH_TIMEOUT(!page.isBusy(), 120000);
}

void TestCropPage::tableAndRectangles()
{
    const QString a = quadrants("a.png");
    CropMainWT page(nullptr);
    showRows(page, {a, a, a, m_dir.filePath("notes.txt")});
    QCOMPARE(page.table()->rowCount(), 3);
    // The file the page cannot take is reported; the notice is closed before the rows are used.
    const QList<MyDialog*> notices = page.findChildren<MyDialog*>();
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices.first()->message(), QStringLiteral("1 个文件格式不支持，已跳过"));
    qDeleteAll(notices);
    MyTable* table = page.table();
    QCOMPARE(table->columnCount(), 6);
    QStringList headers;
    QList<int> widths;
    for (int column = 0; column < 6; ++column) {
        headers << table->horizontalHeaderItem(column)->text();
        widths << table->columnWidth(column);
    }
    QCOMPARE(headers, (QStringList{"编号", "文件名", "剪切坐标", "剪切尺寸", "状态", "操作"}));
    QCOMPARE(widths.mid(0, 5), (QList<int>{80, 160, 160, 200, 160}));
    QCOMPARE(table->item(0, 2)->text(), QString());
    QVERIFY(rowButton(page, 0, "openCropBtn")->isVisibleTo(&page));
    QVERIFY(rowButton(page, 0, "delTextBtn")->isVisibleTo(&page));
    QVERIFY(!rowButton(page, 0, "openDirBtn")->isVisibleTo(&page));
    QVERIFY(!rowButton(page, 0, "delBtn")->isVisibleTo(&page));
    QCOMPARE(rowButton(page, 0, "openCropBtn")->text(), QStringLiteral("剪切设置"));

    page.onCropDialogfinishCrop(1, 12, 4, 80, 60);
    page.onCropDialogfinishCrop(1, 120, 40, 800, 600);
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("120 x 40"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("800 x 600"));
    QCOMPARE(table->item(1, 0)->data(22).toInt(), 120);
    QCOMPARE(table->item(1, 0)->data(25).toInt(), 600);
    QVERIFY(!table->item(0, 0)->data(22).isValid());
    // An empty rectangle (a picture the dialog could not read) sets nothing.
    page.onCropDialogfinishCrop(2, 0, 0, 0, 0);
    QVERIFY(table->cropRect(2).isNull());
    QCOMPARE(table->item(2, 2)->text(), QString());

    // The first row goes: the rectangle stays with its row, which is now the first.
    QTest::mouseClick(rowButton(page, 0, "delTextBtn"), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(table->cropRect(0), QRect(120, 40, 800, 600));
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("800 x 600"));
    QVERIFY(table->cropRect(1).isNull());
}

void TestCropPage::theDialogMarksTheRow()
{
    const QString a = quadrants("b.png");
    CropMainWT page(nullptr);
    showRows(page, {a, a});
    page.onCropDialogfinishCrop(1, 10, 10, 50, 50);
    QTest::mouseClick(rowButton(page, 1, "openCropBtn"), Qt::LeftButton);
    QPointer<CropDialog> dialog = page.findChild<CropDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isModal());
    // Every opening starts from the whole picture.
    QCOMPARE(dialog->storedRect(), QRect(0, 0, 200, 200));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::mousePress(dialog->mask(), Qt::LeftButton, {}, {196, 100});
    QTest::mouseMove(dialog->mask(), {150, 100});
    QTest::mouseMove(dialog->mask(), {146, 100});
    QTest::mouseRelease(dialog->mask(), Qt::LeftButton, {}, {146, 100});
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(page.table()->cropRect(1), QRect(0, 0, 150, 200));
    QCOMPARE(page.table()->item(1, 2)->text(), QStringLiteral("0 x 0"));
    QCOMPARE(page.table()->item(1, 3)->text(), QStringLiteral("150 x 200"));
    QVERIFY(page.table()->cropRect(0).isNull());

    // Cancelled, the row keeps what it had.
    QTest::mouseClick(rowButton(page, 1, "openCropBtn"), Qt::LeftButton);
    dialog = page.findChild<CropDialog*>();
    QVERIFY(dialog);
    dialog->onCropMaskCaptureMove(5, 5, 20, 20);
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(page.table()->cropRect(1), QRect(0, 0, 150, 200));
}

void TestCropPage::aTypedSizeIsCutToThePixel()
{
    // 1999 x 1333 opens at 680/1333: 600 source pixels are 306.06 displayed ones.
    const QString path = m_dir.filePath("odd.jpg");
    QVERIFY(Fixtures::makePicture(path, "gradient:red-blue", "1999x1333"));
    CropMainWT page(nullptr);
    showRows(page, {path});
    QTest::mouseClick(rowButton(page, 0, "openCropBtn"), Qt::LeftButton);
    QPointer<CropDialog> dialog = page.findChild<CropDialog*>();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    for (MyLineEdit* edit : {dialog->widthEdit(), dialog->heightEdit()}) {
        edit->selectAll();
        QTest::keyClicks(edit, edit == dialog->widthEdit() ? "600" : "400");
    }
    // Then put where it should cut, as far right as it goes.
    const QPoint centre = dialog->mask()->boxRect().center();
    QTest::mousePress(dialog->mask(), Qt::LeftButton, {}, centre);
    QTest::mouseMove(dialog->mask(), centre + QPoint(100, 30));
    QTest::mouseMove(dialog->mask(), centre + QPoint(2000, 30));
    QTest::mouseRelease(dialog->mask(), Qt::LeftButton, {}, centre + QPoint(2000, 30));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    const QRect marked = page.table()->cropRect(0);
    QCOMPARE(marked.size(), QSize(600, 400));
    QCOMPARE(marked.x(), 1399);
    QCOMPARE(page.table()->item(0, 3)->text(), QStringLiteral("600 x 400"));

    const QString out = m_dir.filePath("typed");
    for (int format : {0, 2}) {
        run(page, out, format);
        QCOMPARE(page.table()->progress(0), 100);
        QCOMPARE(Fixtures::identify(page.table()->exportPath(0)),
                 format == 0 ? QStringLiteral("600x400 JPEG") : QStringLiteral("600x400 PNG"));
        page.onCropDialogfinishCrop(0, marked.x(), marked.y(), marked.width(), marked.height());
    }
}

void TestCropPage::anUnreadablePictureOpensNoDialog()
{
    const QString fake = m_dir.filePath("fake.png");
    QFile file(fake);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("just some text\n") > 0);
    file.close();
    CropMainWT page(nullptr);
    showRows(page, {fake});
    QTest::mouseClick(rowButton(page, 0, "openCropBtn"), Qt::LeftButton);
    QVERIFY(!page.findChild<CropDialog*>());
    QPointer<MyDialog> notice = page.findChild<MyDialog*>();
    QVERIFY(notice);
    QCOMPARE(notice->message(), QStringLiteral("无法读取图片：fake.png"));
    QVERIFY(notice->isVisible());
    QVERIFY(page.table()->cropRect(0).isNull());
    notice->close();
    QTRY_VERIFY(notice.isNull());
}

void TestCropPage::onlyRowsWithARectangleAreCut()
{
    const QString a = quadrants("c.png");
    CropMainWT page(nullptr);
    showRows(page, {a, a, a});
    page.onCropDialogfinishCrop(1, 90, 90, 40, 30);
    const QString out = m_dir.filePath("only");
    run(page, out, 2);
    MyTable* table = page.table();
    for (int row : {0, 2}) {
        QCOMPARE(table->progress(row), 0);
        QCOMPARE(table->exportPath(row), QString());
        // Left out, and the row says why.
        QCOMPARE(table->rowWarning(row), CropMainWT::notSetText());
        QVERIFY(rowButton(page, row, "openCropBtn")->isVisibleTo(&page));
    }
    QCOMPARE(table->progress(1), 100);
    QVERIFY(table->rowWarning(1).isEmpty());
    const QString result = table->exportPath(1);
    QCOMPARE(result, out + "/c.png");
    QCOMPARE(Fixtures::identify(result), QStringLiteral("40x30 PNG"));
    QCOMPARE(pixel(result, 5, 5), QColor(Qt::red));
    QCOMPARE(pixel(result, 35, 5), QColor(0, 255, 0));
    QCOMPARE(pixel(result, 5, 25), QColor(Qt::blue));
    QCOMPARE(pixel(result, 35, 25), QColor(Qt::white));
    QString page_;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%g", result}, &page_));
    QCOMPARE(page_.trimmed(), QStringLiteral("40x30+0+0"));
    // A cut row offers its result and its removal, no longer the rectangle.
    QVERIFY(!rowButton(page, 1, "openCropBtn")->isVisibleTo(&page));
    QVERIFY(!rowButton(page, 1, "delTextBtn")->isVisibleTo(&page));
    QVERIFY(rowButton(page, 1, "openDirBtn")->isVisibleTo(&page));
    QVERIFY(rowButton(page, 1, "delBtn")->isVisibleTo(&page));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("40 x 30"));

    // A rectangle the picture no longer holds (the file changed since it was marked) fails.
    page.onCropDialogfinishCrop(0, 500, 500, 50, 50);
    run(page, out, 2);
    QCOMPARE(table->rowWarning(0), QStringLiteral("转换失败！"));
    QVERIFY(!QFileInfo::exists(table->exportPath(0)));
    page.onCropDialogfinishCrop(0, 0, 0, 10, 10);

    // A rectangle set later takes the mark away, and the next start cuts that row too.
    page.onCropDialogfinishCrop(2, 0, 0, 100, 100);
    QVERIFY(table->rowWarning(2).isEmpty());
    run(page, out, 2);
    QCOMPARE(table->progress(2), 100);
    QCOMPARE(pixel(table->exportPath(2), 50, 50), QColor(Qt::red));
    // The row that failed is cut this time and shows its bar, not the old failure.
    QCOMPARE(table->progress(0), 100);
    QVERIFY(table->rowWarning(0).isEmpty());
    QCOMPARE(Fixtures::identify(table->exportPath(0)), QStringLiteral("10x10 PNG"));
}

void TestCropPage::cutsByFormat_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("identified");
    QTest::newRow("transparent png to jpg: white") << "clear.png" << 0 << "clear.jpg"
                                                   << "60x50 JPEG";
    QTest::newRow("tiff into its own folder") << "scan.tiff" << 2 << "scan/scan.png"
                                              << "60x50 PNG";
    QTest::newRow("gif without the source canvas") << "d.png" << 8 << "d.gif"
                                                   << "60x50 GIF";
    QTest::newRow("bmp to webp") << "e.bmp" << 6 << "e.webp"
                                 << "60x50 WEBP";
}

void TestCropPage::cutsByFormat()
{
    QFETCH(QString, source);
    QFETCH(int, format);
    QFETCH(QString, output);
    QFETCH(QString, identified);
    const QString path = m_dir.filePath(source);
    if (source == "clear.png")
        QVERIFY(Fixtures::runTool("convert", {"-size", "200x200", "xc:none", "-fill", "blue", "-draw",
                                              "rectangle 100,0 199,199", path}));
    else
        QVERIFY(Fixtures::runTool("convert", {quadrants("q.png"), path}));
    CropMainWT page(nullptr);
    showRows(page, {path});
    page.onCropDialogfinishCrop(0, 70, 20, 60, 50);
    const QString out = m_dir.filePath(QStringLiteral("fmt%1").arg(format));
    run(page, out, format);
    QCOMPARE(page.table()->progress(0), 100);
    const QString result = out + "/" + output;
    QCOMPARE(page.table()->exportPath(0), result);
    QCOMPARE(Fixtures::identify(result), identified);
    QString geometry;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%g", result}, &geometry));
    QCOMPARE(geometry.trimmed(), QStringLiteral("60x50+0+0"));
    if (source == "clear.png") {
        QVERIFY(near(pixel(result, 10, 25), Qt::white));
        QVERIFY(near(pixel(result, 50, 25), Qt::blue));
    } else {
        QVERIFY(near(pixel(result, 10, 10), Qt::red));
        QVERIFY(near(pixel(result, 50, 10), QColor(0, 255, 0)));
    }
}

void TestCropPage::exifOrientationIsCutAsShown()
{
    // Stored 600 x 400, left red and right blue, with orientation 6: shown turned a quarter
    // clockwise, 400 x 600 with red on top.
    const QString path = m_dir.filePath("phone.jpg");
    QVERIFY(Fixtures::runTool("convert",
                              {"-size", "300x400", "xc:red", "xc:blue", "+append", "-quality", "95", path}));
    QVERIFY(Fixtures::runTool("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", path}));
    CropMainWT page(nullptr);
    showRows(page, {path});
    QTest::mouseClick(rowButton(page, 0, "openCropBtn"), Qt::LeftButton);
    QPointer<CropDialog> dialog = page.findChild<CropDialog*>();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->pictureSize(), QSize(400, 600));
    // The upper half, as the user sees it: the bottom edge dragged up by 300.
    QTest::mousePress(dialog->mask(), Qt::LeftButton, {}, {200, 596});
    QTest::mouseMove(dialog->mask(), {200, 500});
    QTest::mouseMove(dialog->mask(), {200, 296});
    QTest::mouseRelease(dialog->mask(), Qt::LeftButton, {}, {200, 296});
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(page.table()->cropRect(0), QRect(0, 0, 400, 300));
    const QString out = m_dir.filePath("phone");
    run(page, out, 2);
    const QString result = page.table()->exportPath(0);
    QCOMPARE(Fixtures::identify(result), QStringLiteral("400x300 PNG"));
    // All red: the stored picture's columns 300 and up, which are blue, were not what was shown.
    for (QPoint p : {QPoint(5, 5), QPoint(395, 5), QPoint(5, 295), QPoint(395, 295), QPoint(200, 150)})
        QVERIFY2(near(pixel(result, p.x(), p.y()), Qt::red), qPrintable(pixel(result, p.x(), p.y()).name()));
}

QTEST_MAIN(TestCropPage)
#include "tst_croppage.moc"

#include "framework/convertparamwt.h"
#include "framework/exportfilewt.h"
#include "framework/levelparamwt.h"
#include "framework/mytable.h"
#include "support/fixtures.h"
#include "tools/picture/chformat/chfcenterwt.h"
#include "tools/picture/chformat/chfmainwt.h"
#include "tools/picture/chformat/chfparamwt.h"
#include "tools/picture/compress/compresscenterwt.h"
#include "tools/picture/compress/compressmainwt.h"
#include "tools/picture/compress/compressparamwt.h"
#include "tools/picture/gifcompress/gifcompresscenterwt.h"
#include "tools/picture/gifcompress/gifcompressmainwt.h"
#include "tools/picture/gifcompress/gifcompressparamwt.h"
#include "tools/picture/heictoimg/heictoimgcenterwt.h"
#include "tools/picture/heictoimg/heictoimgmainwt.h"
#include "tools/picture/heictoimg/heictoimgparamwt.h"
#include "tools/picture/pdftoimg/pdftoimgcenterwt.h"
#include "tools/picture/pdftoimg/pdftoimgmainwt.h"
#include "tools/picture/pdftoimg/pdftoimgparamwt.h"
#include "tools/picture/rawtoimg/rawtoimgcenterwt.h"
#include "tools/picture/rawtoimg/rawtoimgmainwt.h"
#include "tools/picture/rawtoimg/rawtoimgparamwt.h"
#include "tools/picture/rotateimg/rotateimgcenterwt.h"
#include "tools/picture/rotateimg/rotateimgmainwt.h"
#include "tools/picture/rotateimg/rotateimgparamwt.h"
#include "tools/picture/sizeupdate/sizeupdatecenterwt.h"
#include "tools/picture/sizeupdate/sizeupdatemainwt.h"
#include "tools/picture/sizeupdate/sizeupdateparamwt.h"
#include "widgets/mycombobox.h"
#include "widgets/mylineedit.h"
#include "widgets/submitbtn.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <memory>

// The picture pages end to end: files in, start pressed, real tools, files out.
class TestPictureTools : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void heicToJpgAndResize();
    void phonePhotosStayUpright_data();
    void phonePhotosStayUpright();
    void realCameraAndAlphaHeic();
    void formatConversionCases();
    void rawThroughThePreConverter();
    void resizePresets_data();
    void resizePresets();
    void rotateAndMirror();
    void rotateFieldRules();
    void compressionPanels_data();
    void compressionPanels();
    void compressPageMakesFilesSmaller();
    void compressPageWithOnlyMissingFilesStaysIdle();
    void gifCompressPage();
    void pdfPanel();
    void pdfPageWritesPagesAndLongPictures();

private:
    // Adds the files, presses start and waits for the batch to end.
    void runPage(PicturePageWT* page, const QStringList& files, const char* startSlot);
    static QRgb pixel(const QString& path, int x, int y);
    QString outFolder(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QString make(const QString& name, const QString& source = "gradient:", const QString& size = "64x48",
                 const QStringList& extra = {});

    QTemporaryDir m_dir;
};

void TestPictureTools::initTestCase()
{
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QVERIFY(m_dir.isValid());
}

QString TestPictureTools::make(const QString& name, const QString& source, const QString& size,
                               const QStringList& extra)
{
    const QString path = m_dir.filePath(name);
    if (!Fixtures::makePicture(path, source, size, extra))
        return QString();
    return path;
}

void TestPictureTools::runPage(PicturePageWT* page, const QStringList& files, const char* startSlot)
{
    page->show();
    QCOMPARE(page->addPaths(files), files.size());
    QVERIFY(QMetaObject::invokeMethod(page, startSlot));
    QVERIFY(page->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 120000);
}

QRgb TestPictureTools::pixel(const QString& path, int x, int y)
{
    return QImage(path).pixel(x, y);
}

void TestPictureTools::heicToJpgAndResize()
{
    const QString png = make("IMG_0001.png", "gradient:red-blue", "80x60");
    const QString heic = m_dir.filePath("IMG_0001.HEIC");
    QVERIFY(Fixtures::runTool("heif-enc", {"-q", "80", png, "-o", heic}));
    const QString dotted = m_dir.filePath("trip.day1.heic");
    QVERIFY(QFile::copy(heic, dotted));
    HeicToImgMainWT page(nullptr);
    HeicToImgParamWT* param = page.centerWidget()->param();
    param->exportFile()->setText(outFolder("heic"));
    QDir().mkpath(outFolder("heic"));
    param->sizeCombo()->setCurrentIndex(1);
    param->widthEdit()->setText("40");
    runPage(&page, {heic, dotted, heic}, "toImg");
    MyTable* table = page.table();
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(table->progress(row), 100);
        QVERIFY(table->rowWarning(row).isEmpty());
    }
    QCOMPARE(table->exportPath(1), outFolder("heic") + "/trip.jpg");
    QCOMPARE(Fixtures::identify(outFolder("heic") + "/IMG_0001.jpg"), QStringLiteral("40x30 JPEG"));
    QCOMPARE(Fixtures::identify(table->exportPath(1)), QStringLiteral("40x30 JPEG"));
    // The same file twice: the second gets the stamped name.
    QSet<QString> names{table->exportPath(0), table->exportPath(2)};
    QCOMPARE(names.size(), 2);
    QVERIFY(names.contains(outFolder("heic") + "/IMG_0001.jpg"));
}

void TestPictureTools::phonePhotosStayUpright_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("format");
    QTest::newRow("rotate 90, JPG") << 6 << 0;
    QTest::newRow("rotate 270, JPG") << 8 << 0;
    QTest::newRow("rotate 180, TIF") << 3 << 4;
    QTest::newRow("rotate 90, PNG") << 6 << 2;
}

void TestPictureTools::phonePhotosStayUpright()
{
    QFETCH(int, orientation);
    QFETCH(int, format);
    const QString heic = m_dir.filePath(QStringLiteral("phone%1.heic").arg(orientation));
    QVERIFY(Fixtures::runTool(QStringLiteral(APP_BINARY_DIR "/make_phone_heic"),
                              {heic, QString::number(orientation)}));
    HeicToImgMainWT page(nullptr);
    const QString out = outFolder("phone") + QString::number(orientation) + QString::number(format);
    QDir().mkpath(out);
    page.centerWidget()->param()->exportFile()->setText(out);
    page.centerWidget()->param()->formatCombo()->setCurrentIndex(format);
    runPage(&page, {heic}, "toImg");
    const QString result = page.table()->exportPath(0);
    QCOMPARE(page.table()->progress(0), 100);
    // As a viewer shows it: pixels after the orientation the file still declares.
    QString declared;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%[orientation]", result}, &declared));
    QVERIFY2(declared == "TopLeft" || declared == "Undefined", qPrintable(declared));
    const QString upright = out + "/viewer.png";
    QVERIFY(Fixtures::runTool("convert", {result, "-auto-orient", upright}));
    const QImage shown(upright);
    // The stored picture is 64x32, red left and blue right; the declared turn makes it upright.
    if (orientation == 3) {
        QCOMPARE(shown.size(), QSize(64, 32));
        QVERIFY(qBlue(shown.pixel(5, 16)) > 150 && qRed(shown.pixel(58, 16)) > 150);
    } else {
        QCOMPARE(shown.size(), QSize(32, 64));
        const QRgb top = shown.pixel(16, 5);
        const bool redOnTop = orientation == 6;
        QVERIFY2(redOnTop ? qRed(top) > 150 : qBlue(top) > 150, qPrintable(QString::number(top, 16)));
    }
    if (format == 0) { // of these targets only JPEG carries EXIF through ImageMagick 6
        QString facts;
        QVERIFY(Fixtures::runTool("identify", {"-format", "%[EXIF:Model]|%[EXIF:DateTimeOriginal]", result},
                                  &facts));
        QCOMPARE(facts, QStringLiteral("TestPhone X|2024:05:06 07:08:09"));
    }
}

void TestPictureTools::realCameraAndAlphaHeic()
{
    const QString camera = m_dir.filePath("Stonehenge.heic");
    const QString alpha = m_dir.filePath("colors-with-alpha.heic");
    QVERIFY(QFile::copy(Fixtures::dataFile("Stonehenge.heic"), camera));
    QVERIFY(QFile::copy(Fixtures::dataFile("colors-with-alpha.heic"), alpha));
    for (int format : {0, 2}) {
        HeicToImgMainWT page(nullptr);
        const QString out = outFolder("real") + QString::number(format);
        QDir().mkpath(out);
        page.centerWidget()->param()->exportFile()->setText(out);
        page.centerWidget()->param()->formatCombo()->setCurrentIndex(format);
        runPage(&page, {camera, alpha}, "toImg");
        QCOMPARE(page.table()->progress(0), 100);
        QCOMPARE(page.table()->progress(1), 100);
        if (format == 0) {
            QString facts;
            QVERIFY(Fixtures::runTool(
                "identify",
                {"-format", "%wx%h %[EXIF:Model] %[EXIF:DateTimeOriginal]", out + "/Stonehenge.jpg"},
                &facts));
            QCOMPARE(facts, QStringLiteral("300x200 NIKON D5300 2015:07:16 15:38:54"));
            // The half-transparent corner (5,151,132 at alpha 0.5) lies on white, not on black.
            QVERIFY(qRed(pixel(out + "/colors-with-alpha.jpg", 0, 0)) > 80);
        } else {
            QString channels;
            QVERIFY(Fixtures::runTool("identify", {"-format", "%wx%h %A", out + "/colors-with-alpha.png"},
                                      &channels));
            QVERIFY2(channels.startsWith("64x64 ") && !channels.endsWith("False") &&
                         !channels.endsWith("Undefined"),
                     qPrintable(channels));
        }
    }
}

void TestPictureTools::formatConversionCases()
{
    const QString alpha =
        make("alpha.png", "xc:none", "30x20", {"-fill", "red", "-draw", "rectangle 0,0 9,19"});
    const QString jpg = make("photo.jpg", "gradient:", "30x20");
    const QString tiff = m_dir.filePath("b.tiff");
    QVERIFY(Fixtures::runTool("convert", {"-size", "30x20", "xc:red", "xc:blue", tiff}));
    const QString bad = m_dir.filePath("broken.png");
    QFile broken(bad);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    CHFMainWT page(nullptr);
    QDir().mkpath(outFolder("chf"));
    page.centerWidget()->param()->exportFile()->setText(outFolder("chf"));
    runPage(&page, {alpha, jpg, tiff, bad}, "chFormat");
    MyTable* table = page.table();
    const QString white = outFolder("chf") + "/alpha.jpg";
    QCOMPARE(table->exportPath(0), white);
    QVERIFY(qRed(pixel(white, 25, 10)) > 240 &&
            qGreen(pixel(white, 25, 10)) > 240); // transparent became white
    QVERIFY(qRed(pixel(white, 3, 10)) > 200 && qGreen(pixel(white, 3, 10)) < 60);
    QCOMPARE(Fixtures::identify(outFolder("chf") + "/photo.jpg"), QStringLiteral("30x20 JPEG"));
    QCOMPARE(table->exportPath(2), outFolder("chf") + "/b/b-1.jpg");
    // Two pages, two pictures in the TIFF's sub-folder.
    QCOMPARE(Fixtures::identify(outFolder("chf") + "/b/b-1.jpg"), QStringLiteral("30x20 JPEG"));
    QCOMPARE(Fixtures::identify(outFolder("chf") + "/b/b-2.jpg"), QStringLiteral("30x20 JPEG"));
    QCOMPARE(table->rowWarning(3), QStringLiteral("转换失败！"));
    for (int row = 0; row < 3; ++row)
        QCOMPARE(table->progress(row), 100);
}

void TestPictureTools::rawThroughThePreConverter()
{
    const QString raw = m_dir.filePath("DSC_0042.RAW");
    QVERIFY(QFile::copy(Fixtures::dataFile("RAW_KODAK_C330_FORMAT_NONE_YRGB.raw"), raw));
    const QString fake = m_dir.filePath("text.cr2");
    QFile text(fake);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    RawToImgMainWT page(nullptr);
    QDir().mkpath(outFolder("raw"));
    RawToImgParamWT* param = page.centerWidget()->param();
    param->exportFile()->setText(outFolder("raw"));
    param->formatCombo()->setCurrentIndex(2);
    param->sizeCombo()->setCurrentIndex(1);
    param->widthEdit()->setText("608");
    // LibRaw knows a camera by the content: any camera's suffix goes to the pre-converter.
    const QString panasonic = m_dir.filePath("P1000042.RW2");
    QVERIFY(QFile::copy(raw, panasonic));
    const QString sigma = m_dir.filePath("SDIM0001.x3f");
    QVERIFY(QFile::copy(Fixtures::dataFile("Sigma.x3f"), sigma));
    const QString damaged = m_dir.filePath("DSC_0043.dng");
    QVERIFY(QFile::copy(Fixtures::dataFile("NikonD5000.dng"), damaged));
    QVERIFY(Fixtures::damageFile(damaged, 2800000, 3000000, 5));
    runPage(&page, {raw, fake, panasonic, sigma, damaged}, "rawToImg");
    MyTable* table = page.table();
    QCOMPARE(table->rowCount(), 5);
    QCOMPARE(table->exportPath(0), outFolder("raw") + "/DSC_0042.png");
    QCOMPARE(Fixtures::identify(table->exportPath(0)), QStringLiteral("608x456 PNG"));
    QCOMPARE(table->rowWarning(1), QStringLiteral("转换失败！"));
    QCOMPARE(table->progress(2), 100);
    QCOMPARE(Fixtures::identify(table->exportPath(2)), QStringLiteral("608x456 PNG"));
    // Neither a picture LibRaw cannot decode nor a damaged one passes, and each row says why.
    for (int row : {3, 4})
        QCOMPARE(table->rowWarning(row), QStringLiteral("转换失败！"));
    const auto reason = [table](int row) {
        return table->item(row, 0)->data(MyTable::kReasonRole).toString();
    };
    QVERIFY2(reason(3).contains("is a Sigma X3F (Foveon) picture"), qPrintable(reason(3)));
    QVERIFY2(reason(4).contains("is damaged: LibRaw found corrupt data"), qPrintable(reason(4)));
    QVERIFY(!QFileInfo::exists(outFolder("raw") + "/DSC_0043.png"));
}

void TestPictureTools::resizePresets_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("result");
    QTest::newRow("原始尺寸") << 0 << ""
                              << ""
                              << "100x50";
    QTest::newRow("电脑尺寸") << 1 << "1024"
                              << ""
                              << "1024x512";
    QTest::newRow("手机尺寸") << 2 << "480"
                              << ""
                              << "480x240";
    QTest::newRow("微信表情(大)") << 3 << "200"
                                  << ""
                                  << "200x100";
    QTest::newRow("微信表情(小)") << 4 << "140"
                                  << ""
                                  << "140x70";
    QTest::newRow("证件照1寸") << 5 << "295"
                               << "413"
                               << "295x413";
    QTest::newRow("证件照2寸") << 6 << "413"
                               << "626"
                               << "413x626";
    QTest::newRow("自定义") << 7 << ""
                            << ""
                            << "100x50";
}

void TestPictureTools::resizePresets()
{
    QFETCH(int, preset);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, result);
    const QString source = make("holiday.final.png", "gradient:", "100x50");
    SizeUpdateMainWT page(nullptr);
    SizeUpdateParamWT* param = page.centerWidget()->param();
    const QString out = outFolder("resize") + QString::number(preset);
    QDir().mkpath(out);
    param->exportFile()->setText(out);
    param->sizeCombo()->setCurrentIndex(preset);
    QCOMPARE(param->widthEdit()->text(), width);
    QCOMPARE(param->heightEdit()->text(), height);
    QCOMPARE(param->widthEdit()->isVisibleTo(param), preset != 0);
    runPage(&page, {source}, "sizeUpdate");
    QCOMPARE(page.table()->exportPath(0), out + "/holiday.final.jpg");
    QCOMPARE(Fixtures::identify(page.table()->exportPath(0)), result + " JPEG");
}

void TestPictureTools::rotateAndMirror()
{
    // 40x20: red left half, blue right half, a green top-left corner.
    const QString source =
        make("photo.final.PNG", "xc:blue", "40x20",
             {"-fill", "red", "-draw", "rectangle 0,0 19,19", "-fill", "lime", "-draw", "rectangle 0,0 3,3"});
    RotateImgMainWT page(nullptr);
    RotateImgParamWT* param = page.centerWidget()->param();
    QDir().mkpath(outFolder("rotate"));
    param->exportFile()->setText(outFolder("rotate"));
    param->angleCombo()->setCurrentIndex(1); // 90 clockwise
    param->flopCombo()->setCurrentIndex(1);
    runPage(&page, {source}, "rotate");
    const QString result = page.table()->exportPath(0);
    QCOMPARE(result, outFolder("rotate") + "/photo.png");
    // Turned clockwise, the green corner sits top right; mirrored, top left again; red on top.
    QCOMPARE(Fixtures::identify(result), QStringLiteral("20x40 PNG"));
    QVERIFY(qGreen(pixel(result, 1, 1)) > 200 && qRed(pixel(result, 1, 1)) < 60);
    QVERIFY(qRed(pixel(result, 10, 10)) > 200);
    QVERIFY(qBlue(pixel(result, 10, 30)) > 200);
}

void TestPictureTools::rotateFieldRules()
{
    RotateImgMainWT page(nullptr);
    RotateImgParamWT* param = page.centerWidget()->param();
    QCOMPARE(param->jobParams().rotate, QStringLiteral("0"));
    param->angleCombo()->setCurrentIndex(4);
    QVERIFY(param->angleEdit()->text().isEmpty());
    param->flipCombo()->setCurrentIndex(1);
    const ImgJobParams params = param->jobParams();
    QVERIFY(params.rotate.isEmpty());
    QVERIFY(params.flip && !params.flop);
    QCOMPARE(params.operation, ImgOperation::KeepFormat);
    QCOMPARE(params.format, ImgFormat::KeepSource);
    param->angleEdit()->clear();
    QTest::keyClicks(param->angleEdit(), "361");
    QCOMPARE(param->angleEdit()->text(), QStringLiteral("36"));
    param->angleEdit()->clear();
    QTest::keyClicks(param->angleEdit(), "-361");
    QCOMPARE(param->angleEdit()->text(), QStringLiteral("-36"));
    param->angleEdit()->clear();
    QTest::keyClicks(param->angleEdit(), "-");
    QCOMPARE(param->jobParams().rotate, QStringLiteral("-"));
    param->angleEdit()->clear();
    QTest::keyClicks(param->angleEdit(), "-90");
    QCOMPARE(param->jobParams().rotate, QStringLiteral("-90"));
}

void TestPictureTools::compressionPanels_data()
{
    QTest::addColumn<bool>("gif");
    QTest::addColumn<QVector<int>>("levels");
    QTest::newRow("PNG/JPG: qualities") << false << QVector<int>{90, 80, 70, 60, 50, 40, 30, 20, 10};
    QTest::newRow("GIF: colours") << true << QVector<int>{64, 56, 50, 44, 38, 32, 26, 20, 14};
}

void TestPictureTools::compressionPanels()
{
    QFETCH(bool, gif);
    QFETCH(QVector<int>, levels);
    std::unique_ptr<PicturePageWT> page;
    LevelParamWT* param = nullptr;
    if (gif) {
        auto* gifPage = new GifCompressMainWT(nullptr);
        param = gifPage->centerWidget()->param();
        page.reset(gifPage);
    } else {
        auto* pngPage = new CompressMainWT(nullptr);
        param = pngPage->centerWidget()->param();
        page.reset(pngPage);
    }
    page->show();
    const QStringList texts{"90", "80(推荐)", "70(推荐)", "60", "50", "40", "30", "20", "10"};
    QCOMPARE(param->levelCombo()->count(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(param->levelCombo()->itemText(i), texts.at(i));
        param->levelCombo()->setCurrentIndex(i);
        QCOMPARE(param->jobParams(ImgOperation::Compression).level, levels.at(i));
    }
    param->levelCombo()->setCurrentIndex(2);
    auto* note = param->findChild<QLabel*>("levelNote");
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("等级高，图片清晰，等级低，压缩率高"));
    QVERIFY(!param->widthEdit()->isVisible());
    param->sizeCombo()->setCurrentIndex(1);
    QVERIFY(param->widthEdit()->isVisible() && param->heightEdit()->isVisible());
    QTest::keyClicks(param->widthEdit(), "300");
    const ImgJobParams p = param->jobParams(gif ? ImgOperation::GifCompression : ImgOperation::Compression);
    QCOMPARE(p.level, levels.at(2));
    QCOMPARE(p.width, 300);
    QCOMPARE(p.height, -1);
    QCOMPARE(p.format, ImgFormat::KeepSource);
    param->sizeCombo()->setCurrentIndex(0);
    QVERIFY(param->widthEdit()->text().isEmpty() && !param->widthEdit()->isVisible());
    QCOMPARE(param->submitButton()->text(), QStringLiteral("开始压缩"));
    // The compression table: six columns, the result's size fourth.
    QCOMPARE(page->table()->columnCount(), 6);
    QCOMPARE(page->table()->horizontalHeaderItem(3)->text(), QStringLiteral("压缩后大小"));
    QCOMPARE(page->extensions(), gif ? QStringList{"gif"} : (QStringList{"png", "jpg", "jpeg"}));
}

void TestPictureTools::compressPageMakesFilesSmaller()
{
    const QString png = make("shot.png", "plasma:fractal", "300x200", {"-blur", "0x1"});
    const QString jpg = m_dir.filePath("Shot.JPG");
    QVERIFY(Fixtures::runTool("convert", {png, "-quality", "95", jpg}));
    CompressMainWT page(nullptr);
    QDir().mkpath(outFolder("compress"));
    page.centerWidget()->param()->exportFile()->setText(outFolder("compress"));
    // Into the folder of the sources too: the originals are never written over.
    runPage(&page, {png, jpg}, "compress");
    MyTable* table = page.table();
    QCOMPARE(table->exportPath(0), outFolder("compress") + "/shot.png");
    QCOMPARE(table->exportPath(1), outFolder("compress") + "/Shot.jpg");
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(table->progress(row), 100);
        const QString after = table->item(row, 3)->text();
        QCOMPARE(after, MyTable::sizeText(QFileInfo(table->exportPath(row)).size()));
        QVERIFY2(after.section(' ', 0, 0).toInt() < table->item(row, 2)->text().section(' ', 0, 0).toInt(),
                 qPrintable(after + " / " + table->item(row, 2)->text()));
    }
    page.centerWidget()->param()->exportFile()->setText(m_dir.path());
    const qint64 before = QFileInfo(png).size();
    QVERIFY(QMetaObject::invokeMethod(&page, "compress"));
    QTRY_VERIFY_WITH_TIMEOUT(!page.isBusy(), 120000);
    QVERIFY(table->exportPath(0).startsWith(m_dir.filePath("shot_")));
    QCOMPARE(QFileInfo(png).size(), before);
}

void TestPictureTools::compressPageWithOnlyMissingFilesStaysIdle()
{
    const QString gone = make("gone.png");
    CompressMainWT page(nullptr);
    page.show();
    QCOMPARE(page.addPaths({gone, gone}), 2);
    QFile::remove(gone);
    QVERIFY(QMetaObject::invokeMethod(&page, "compress"));
    QVERIFY(!page.isBusy());
    QCOMPARE(page.table()->rowWarning(0), QStringLiteral("原文件不存在！"));
    QCOMPARE(page.table()->rowWarning(1), QStringLiteral("原文件不存在！"));
    QVERIFY(page.table()->item(0, 3) == nullptr || page.table()->item(0, 3)->text().isEmpty());
}

void TestPictureTools::gifCompressPage()
{
    const QString gif = m_dir.filePath("clip.gif");
    QVERIFY(Fixtures::runTool("convert", {"-size", "90x60", "-delay", "10", "plasma:red-blue",
                                          "plasma:green-yellow", "plasma:white-black", "-loop", "0", gif}));
    GifCompressMainWT page(nullptr);
    GifCompressParamWT* param = page.centerWidget()->param();
    QDir().mkpath(outFolder("gif"));
    param->exportFile()->setText(outFolder("gif"));
    param->levelCombo()->setCurrentIndex(8); // 14 colours
    param->sizeCombo()->setCurrentIndex(1);
    param->widthEdit()->setText("45");
    param->heightEdit()->setText("30");
    runPage(&page, {gif}, "compress");
    const QString result = page.table()->exportPath(0);
    QCOMPARE(result, outFolder("gif") + "/clip.gif");
    QCOMPARE(page.table()->progress(0), 100);
    QString frames;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%W:%H ", result}, &frames));
    QCOMPARE(frames.trimmed(), QStringLiteral("45:30 45:30 45:30"));
    QString colours;
    QVERIFY(
        Fixtures::runTool("convert", {result, "-coalesce", "-append", "-format", "%k", "info:"}, &colours));
    QVERIFY2(colours.toInt() <= 14, qPrintable(colours));
    QVERIFY(!page.table()->item(0, 3)->text().isEmpty());
}

void TestPictureTools::pdfPanel()
{
    PdfToImgMainWT page(nullptr);
    PdfToImgParamWT* param = page.centerWidget()->param();
    QStringList formats;
    for (int i = 0; i < param->formatCombo()->count(); ++i)
        formats << param->formatCombo()->itemText(i);
    QCOMPARE(formats, QStringList({"JPG", "JPEG", "PNG", "BMP", "TIF", "TIFF"}));
    QCOMPARE(param->qualityCombo()->currentText(), QStringLiteral("高清"));
    QCOMPARE(param->joinCombo()->currentText(), QStringLiteral("否"));
    QCOMPARE(param->definition(), 1);
    QVERIFY(!param->joinPages());
    const ImgJobParams p = param->jobParams();
    QCOMPARE(p.operation, ImgOperation::PdfToImages);
    QCOMPARE(p.format, ImgFormat::Jpg);
    QCOMPARE(p.level, -1);
    QCOMPARE(p.width, -1);
    param->qualityCombo()->setCurrentIndex(0);
    param->joinCombo()->setCurrentIndex(1);
    param->formatCombo()->setCurrentIndex(5);
    QCOMPARE(param->definition(), 0);
    QVERIFY(param->joinPages());
    QCOMPARE(param->jobParams().format, ImgFormat::Tiff);
    QCOMPARE(page.table()->columnCount(), 5);
    QCOMPARE(page.extensions(), QStringList{"pdf"});
}

void TestPictureTools::pdfPageWritesPagesAndLongPictures()
{
    const QString pdf = m_dir.filePath("minutes.2024.pdf");
    QVERIFY(Fixtures::makePdf(pdf, 3, 144, 72));
    const QString empty = m_dir.filePath("empty.pdf");
    QFile file(empty);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    PdfToImgMainWT page(nullptr);
    PdfToImgParamWT* param = page.centerWidget()->param();
    const QString out = outFolder("pdf");
    QDir().mkpath(out);
    param->exportFile()->setText(out);
    runPage(&page, {pdf, empty}, "pdfToImg");
    MyTable* table = page.table();
    // One picture per page in the document's own folder, which the row's button opens.
    QCOMPARE(table->exportPath(0), out + "/minutes.2024/minutes.2024-1.jpg");
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(Fixtures::identify(out + QStringLiteral("/minutes.2024/minutes.2024-%1.jpg").arg(i)),
                 QStringLiteral("300x150 JPEG"));
    QCOMPARE(table->progress(0), 100);
    QCOMPARE(table->rowWarning(1), QStringLiteral("转换失败！"));
    QVERIFY(table->exportPath(1).isEmpty()); // refused before any name was claimed: nothing to show
    QCOMPARE(table->item(1, 0)->data(MyTable::kReasonRole).toString().split('\n'),
             QStringList({JobFailure::sentence(FailureKind::SourceUnreadable),
                          QStringLiteral("the PDF file is empty (0 bytes)")}));
    // The long picture at 标清 as PNG: three pages high.
    param->joinCombo()->setCurrentIndex(1);
    param->qualityCombo()->setCurrentIndex(2);
    param->formatCombo()->setCurrentIndex(2);
    page.clearTable();
    runPage(&page, {pdf}, "pdfToImg");
    QCOMPARE(table->exportPath(0), out + "/minutes.2024.png");
    QCOMPARE(Fixtures::identify(table->exportPath(0)), QStringLiteral("200x300 PNG"));
}

QTEST_MAIN(TestPictureTools)
#include "tst_picturetools.moc"

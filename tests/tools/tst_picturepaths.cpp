#include "framework/exportfilewt.h"
#include "framework/mytable.h"
#include "support/fixtures.h"
#include "tools/picture/chformat/chfcenterwt.h"
#include "tools/picture/chformat/chfmainwt.h"
#include "tools/picture/chformat/chfparamwt.h"
#include "tools/picture/compress/compresscenterwt.h"
#include "tools/picture/compress/compressmainwt.h"
#include "tools/picture/compress/compressparamwt.h"
#include "tools/picture/crop/cropcenterwt.h"
#include "tools/picture/crop/cropmainwt.h"
#include "tools/picture/crop/cropparamwt.h"
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

#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <memory>

// Which way each picture page's argument lists take through our magick: libvips when the recipe
// parser reads them, ImageMagick's convert otherwise, with the reason the parser gives. A page
// that changes its arguments, or a parser that stops reading them, shows here rather than as a
// quietly slower fallback.
class TestPicturePaths : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void eachPageTakesItsPath_data();
    void eachPageTakesItsPath();

private:
    // The page for a case, its panel set as the user would, and the name of its start slot.
    std::unique_ptr<PicturePageWT> pageFor(const QString& page, const QString& variant, const char** slot);
    // "vips" or "convert: <why>", one per run of our magick, in the order the runs ended.
    QStringList pathsTaken() const;

    QTemporaryDir m_dir;
};

void TestPicturePaths::initTestCase()
{
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QVERIFY(m_dir.isValid());
    // The engines pass their environment on to the tools they start.
    qputenv("CHENGYING_MAGICK_LOG", QFile::encodeName(m_dir.filePath("magick.log")));
    QVERIFY(Fixtures::runTool(
        "convert", {"-size", "120x80", "gradient:red-blue", "-quality", "90", m_dir.filePath("photo.jpg")}));
    QVERIFY(Fixtures::runTool(
        "convert", {"-size", "1600x1000", "plasma:", "-quality", "85", m_dir.filePath("large.jpg")}));
    QVERIFY(Fixtures::runTool("convert", {"-size", "120x80", "xc:none", "-fill", "red", "-draw",
                                          "rectangle 0,0 59,79", m_dir.filePath("clear.png")}));
    QVERIFY(QFile::copy(Fixtures::dataFile("Stonehenge.heic"), m_dir.filePath("stonehenge.heic")));
    QVERIFY(
        QFile::copy(Fixtures::dataFile("RAW_KODAK_C330_FORMAT_NONE_YRGB.raw"), m_dir.filePath("DSC.RAW")));
    QVERIFY(Fixtures::runTool(
        "convert", {"-size", "40x30", "-delay", "10", "xc:red", "xc:blue", m_dir.filePath("two.gif")}));
    QVERIFY(Fixtures::makePdf(m_dir.filePath("notes.pdf"), 2));
}

void TestPicturePaths::eachPageTakesItsPath_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("paths");
    const QStringList vips{"vips"};
    QTest::newRow("format: PNG with alpha to JPG") << "chformat"
                                                   << "JPG"
                                                   << "clear.png" << vips;
    QTest::newRow("format: JPG to PNG") << "chformat"
                                        << "PNG"
                                        << "photo.jpg" << vips;
    QTest::newRow("format: JPG to WEBP") << "chformat"
                                         << "WEBP"
                                         << "photo.jpg" << QStringList{"convert: target format .webp"};
    QTest::newRow("resize: computer size") << "sizeupdate"
                                           << "1"
                                           << "large.jpg" << vips;
    QTest::newRow("resize: phone size, enlarged") << "sizeupdate"
                                                  << "2"
                                                  << "photo.jpg" << QStringList{"convert: enlarging"};
    QTest::newRow("rotate: 90 and mirrored") << "rotate"
                                             << "90"
                                             << "photo.jpg" << vips;
    QTest::newRow("rotate: 30, ImageMagick's canvas")
        << "rotate"
        << "30"
        << "photo.jpg" << QStringList{"convert: option -rotate 30"};
    QTest::newRow("HEIC to JPG") << "heic"
                                 << ""
                                 << "stonehenge.heic" << vips;
    QTest::newRow("crop: JPG") << "crop"
                               << "JPG"
                               << "photo.jpg" << vips;
    QTest::newRow("crop: PNG with alpha") << "crop"
                                          << "PNG"
                                          << "clear.png" << vips;
    QTest::newRow("compress: JPG") << "compress"
                                   << ""
                                   << "photo.jpg" << vips;
    // pngquant and gifsicle do these; our magick is not asked.
    QTest::newRow("compress: PNG") << "compress"
                                   << ""
                                   << "clear.png" << QStringList();
    QTest::newRow("GIF compression") << "gif"
                                     << ""
                                     << "two.gif" << QStringList();
    // LibRaw's helper writes a JPEG, which our magick then resizes.
    QTest::newRow("RAW, resized") << "raw"
                                  << ""
                                  << "DSC.RAW" << vips;
    QTest::newRow("PDF pages") << "pdf"
                               << ""
                               << "notes.pdf" << QStringList{"convert: not a picture recipe"};
}

std::unique_ptr<PicturePageWT> TestPicturePaths::pageFor(const QString& page, const QString& variant,
                                                         const char** slot)
{
    const QString out = m_dir.filePath("out");
    if (page == "chformat") {
        auto p = std::make_unique<CHFMainWT>(nullptr);
        CHFParamWT* param = p->centerWidget()->param();
        param->exportFile()->setText(out);
        param->formatCombo()->setCurrentIndex(param->formatCombo()->findText(variant));
        *slot = "chFormat";
        return p;
    }
    if (page == "sizeupdate") {
        auto p = std::make_unique<SizeUpdateMainWT>(nullptr);
        p->centerWidget()->param()->exportFile()->setText(out);
        p->centerWidget()->param()->sizeCombo()->setCurrentIndex(variant.toInt());
        *slot = "sizeUpdate";
        return p;
    }
    if (page == "rotate") {
        auto p = std::make_unique<RotateImgMainWT>(nullptr);
        RotateImgParamWT* param = p->centerWidget()->param();
        param->exportFile()->setText(out);
        if (variant == "90") {
            param->angleCombo()->setCurrentIndex(1);
            param->flopCombo()->setCurrentIndex(1);
        } else {
            param->angleCombo()->setCurrentIndex(4);
            param->angleEdit()->setText(variant);
        }
        *slot = "rotate";
        return p;
    }
    if (page == "heic") {
        auto p = std::make_unique<HeicToImgMainWT>(nullptr);
        p->centerWidget()->param()->exportFile()->setText(out);
        *slot = "toImg";
        return p;
    }
    if (page == "crop") {
        auto p = std::make_unique<CropMainWT>(nullptr);
        CropParamWT* param = p->centerWidget()->param();
        param->exportFile()->setText(out);
        param->formatCombo()->setCurrentIndex(param->formatCombo()->findText(variant));
        *slot = "crop";
        return p;
    }
    if (page == "compress") {
        auto p = std::make_unique<CompressMainWT>(nullptr);
        p->centerWidget()->param()->exportFile()->setText(out);
        *slot = "compress";
        return p;
    }
    if (page == "gif") {
        auto p = std::make_unique<GifCompressMainWT>(nullptr);
        p->centerWidget()->param()->exportFile()->setText(out);
        *slot = "compress";
        return p;
    }
    if (page == "raw") {
        auto p = std::make_unique<RawToImgMainWT>(nullptr);
        RawToImgParamWT* param = p->centerWidget()->param();
        param->exportFile()->setText(out);
        param->sizeCombo()->setCurrentIndex(1);
        param->widthEdit()->setText("300");
        *slot = "rawToImg";
        return p;
    }
    auto p = std::make_unique<PdfToImgMainWT>(nullptr);
    p->centerWidget()->param()->exportFile()->setText(out);
    *slot = "pdfToImg";
    return p;
}

QStringList TestPicturePaths::pathsTaken() const
{
    QFile log(m_dir.filePath("magick.log"));
    QStringList paths;
    if (!log.open(QIODevice::ReadOnly))
        return paths;
    for (const QString& line : QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)) {
        // Indented lines are what libvips said during a run, not a run of their own.
        if (!line.startsWith(' '))
            paths << (line.startsWith("vips: ") ? QStringLiteral("vips") : line);
    }
    return paths;
}

void TestPicturePaths::eachPageTakesItsPath()
{
    QFETCH(QString, page);
    QFETCH(QString, variant);
    QFETCH(QString, source);
    QFETCH(QStringList, paths);
    QDir(m_dir.filePath("out")).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir.filePath("out")));
    QFile::remove(m_dir.filePath("magick.log"));
    const char* slot = nullptr;
    std::unique_ptr<PicturePageWT> p = pageFor(page, variant, &slot);
    p->show();
    QCOMPARE(p->addPaths({m_dir.filePath(source)}), 1);
    if (page == "crop")
        QVERIFY(QMetaObject::invokeMethod(p.get(), "onCropDialogfinishCrop", Q_ARG(int, 0), Q_ARG(int, 10),
                                          Q_ARG(int, 5), Q_ARG(int, 50), Q_ARG(int, 40)));
    QVERIFY(QMetaObject::invokeMethod(p.get(), slot));
    QTRY_VERIFY_WITH_TIMEOUT(!p->isBusy(), 120000);
    QCOMPARE(p->table()->progress(0), 100);
    QVERIFY2(p->table()->rowWarning(0).isEmpty(), qPrintable(p->table()->rowWarning(0)));
    QCOMPARE(pathsTaken(), paths);
}

QTEST_MAIN(TestPicturePaths)
#include "tst_picturepaths.moc"

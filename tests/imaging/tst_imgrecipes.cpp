#include "imaging/heicinspector.h"
#include "imaging/imgrecipes.h"
#include "imaging/imgsuccessrule.h"
#include "imaging/outputnamer.h"
#include "imaging/pagecounter.h"
#include "imaging/pdfplan.h"
#include "platform/partialoutput.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(ImgRecipes::Conversion)
Q_DECLARE_METATYPE(ImgOperation)
#include <QtTest>

#include <thread>
#include <vector>

using C = ImgRecipes::Conversion;

class TestImgRecipes : public QObject
{
    Q_OBJECT
private slots:
    void general_data()
    {
        QTest::addColumn<C>("c");
        QTest::addColumn<QStringList>("args");
        auto make = [](QString source, QString suffix, QString output) {
            C c;
            c.source = source;
            c.outputSuffix = suffix;
            c.output = output;
            return c;
        };
        const QString o = "-auto-orient";
        QTest::newRow("png to jpeg gets a white background")
            << make("/in/a.png", "jpeg", "/out/a.jpeg")
            << QStringList{"/in/a.png", o, "-background", "white", "-alpha", "remove", "/out/a.jpeg"};
        QTest::newRow("jpg to png has none")
            << make("/in/a.jpg", "png", "/out/a.png") << QStringList{"/in/a.jpg", o, "/out/a.png"};
        QTest::newRow("single-page tif is flattened")
            << make("/in/scan.tif", "png", "/out/scan/scan.png")
            << QStringList{"/in/scan.tif", o, "-layers", "flatten", "/out/scan/scan.png"};
        C pages = make("/in/scan.tif", "png", "/out/scan/scan.png");
        pages.sourcePages = 3;
        QTest::newRow("multi-page tif to png: numbered pages")
            << pages << QStringList{"/in/scan.tif", o, "+adjoin", "/out/scan/scan.png"};
        pages.outputSuffix = "tiff";
        pages.output = "/out/scan/scan.tiff";
        QTest::newRow("multi-page tif to tiff: one file of pages")
            << pages << QStringList{"/in/scan.tif", o, "/out/scan/scan.tiff"};
        C icons = make("/in/app.ico", "gif", "/out/app/app.gif");
        icons.sourcePages = 2;
        QTest::newRow("icons to gif: a picture each, no animation")
            << icons << QStringList{"/in/app.ico", o, "+adjoin", "/out/app/app.gif"};
        C psd = make("/in/art.psd", "png", "/out/art/art.png");
        psd.sourcePages = 4;
        QTest::newRow("psd is flattened whatever its layers")
            << psd << QStringList{"/in/art.psd", o, "-layers", "flatten", "/out/art/art.png"};
        QTest::newRow("gif to png: whole frames") << make("/in/g.gif", "png", "/out/g/g.png")
                                                  << QStringList{"/in/g.gif", o, "-coalesce", "/out/g/g.png"};
        QTest::newRow("gif to tif: whole frames as pages")
            << make("/in/g.gif", "tif", "/out/g/g.tif")
            << QStringList{"/in/g.gif", o, "-coalesce", "/out/g/g.tif"};
        QTest::newRow("gif to gif untouched keeps its optimisation")
            << make("/in/g.gif", "gif", "/out/g/g.gif") << QStringList{"/in/g.gif", o, "/out/g/g.gif"};
        QTest::newRow("webp to webp untouched")
            << make("/in/w.WEBP", "webp", "/out/w/w.webp") << QStringList{"/in/w.WEBP", o, "/out/w/w.webp"};
        C gifResized = make("/in/g.gif", "gif", "/out/g/g.gif");
        gifResized.width = 6;
        QTest::newRow("gif resized to gif: coalesced, then optimised again")
            << gifResized << QStringList{"/in/g.gif", o,         "-coalesce", "-resize",
                                         "6",         "-layers", "optimize",  "/out/g/g.gif"};
        C webpMirrored = make("/in/w.webp", "webp", "/out/w/w.webp");
        webpMirrored.flop = true;
        QTest::newRow("webp mirrored: coalesced")
            << webpMirrored << QStringList{"/in/w.webp", o, "-coalesce", "-flop", "/out/w/w.webp"};
        C profiled = make("/in/p.heic", "jpg", "/out/p.jpg");
        profiled.profile = "/tmp/b/p.icc";
        profiled.width = 100;
        QTest::newRow("a profile is assigned before any edit")
            << profiled
            << QStringList{"/in/p.heic", o, "-profile", "/tmp/b/p.icc", "-resize", "100", "/out/p.jpg"};
        C width = make("/in/a.jpg", "png", "/out/a.png");
        width.width = 800;
        QTest::newRow("width only") << width << QStringList{"/in/a.jpg", o, "-resize", "800", "/out/a.png"};
        C height = make("/in/a.jpg", "png", "/out/a.png");
        height.height = 600;
        QTest::newRow("height only") << height
                                     << QStringList{"/in/a.jpg", o, "-resize", "x600", "/out/a.png"};
        C zero = make("/in/a.jpg", "png", "/out/a.png");
        zero.width = 0;
        zero.height = 600;
        QTest::newRow("zero width: the ratio decides")
            << zero << QStringList{"/in/a.jpg", o, "-resize", "x600", "/out/a.png"};
        zero.width = 0;
        zero.height = 0;
        QTest::newRow("both zero: no resize") << zero << QStringList{"/in/a.jpg", o, "/out/a.png"};
        C all = make("/in/A.BMP", "jpg", "/out/A.jpg");
        all.level = 80;
        all.width = 800;
        all.height = 600;
        all.rotate = "-90";
        all.flop = true;
        all.flip = true;
        all.crop = QRect(10, 20, 300, 200);
        QTest::newRow("every option in order")
            << all
            << QStringList{
                   "/in/A.BMP", o,        "-quality", "80%",       "-resize",       "800x600!", "-rotate",
                   "-90",       "-flop",  "-flip",    "-crop",     "300x200+10+20", "+repage",  "-background",
                   "white",     "-alpha", "remove",   "/out/A.jpg"};
        C cut = make("/in/p.png", "jpg", "/out/p.jpg");
        cut.crop = QRect(120, 40, 800, 600);
        QTest::newRow("crop png to jpg: the cut, then white")
            << cut << QStringList{"/in/p.png",   o,       "-crop",  "800x600+120+40", "+repage",
                                  "-background", "white", "-alpha", "remove",         "/out/p.jpg"};
        C cutTif = make("/in/scan.tiff", "gif", "/out/scan/scan.gif");
        cutTif.crop = QRect(0, 0, 16, 16);
        QTest::newRow("crop tiff: flattened first")
            << cutTif << QStringList{"/in/scan.tiff", o,           "-layers", "flatten",
                                     "-crop",         "16x16+0+0", "+repage", "/out/scan/scan.gif"};
        C rotate = make("/in/p.png", "png", "/out/p.png");
        rotate.rotate = "0";
        rotate.flip = true;
        QTest::newRow("rotate 0 is still passed")
            << rotate << QStringList{"/in/p.png", o, "-rotate", "0", "-flip", "/out/p.png"};
        QTest::newRow("a % in the output is no numbering")
            << make("/in/50%d.png", "jpg", "/out/50%/50%d.jpg")
            << QStringList{"/in/50%d.png", o,        "-background",        "white",
                           "-alpha",       "remove", "/out/50%%/50%%d.jpg"};
        C frames = make("/in/50%.gif", "png", "/out/50%/50%.png");
        frames.numbered = true;
        QTest::newRow("frames apart are numbered, since a % stops ImageMagick doing it")
            << frames << QStringList{"/in/50%.gif", o, "-coalesce", "/out/50%%/50%%-%d.png"};
    }
    void general()
    {
        QFETCH(C, c);
        QFETCH(QStringList, args);
        QCOMPARE(ImgRecipes::general(c), args);
    }

    void otherTools()
    {
        // The level is the quality to aim at, never a minimum that refuses a photo.
        QCOMPARE(ImgRecipes::png("/in/a.png", 70, "/out/a.png"),
                 (QStringList{"/in/a.png", "--quality", "0-70", "--output", "/out/a.png"}));
        QCOMPARE(ImgRecipes::png("/in/a.png", -1, "/out/a.png"),
                 (QStringList{"/in/a.png", "--output", "/out/a.png"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", 50, -1, -1, "/out/g.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--colors=50", "-o", "/out/g.gif"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", -1, 300, -1, "/o.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--resize-fit-width", "300", "-o", "/o.gif"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", -1, 300, 200, "/o.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--resize", "300x200", "-o", "/o.gif"}));
        // 0 is an empty edit: the other side, or nothing, decides.
        QCOMPARE(ImgRecipes::gif("/in/g.gif", -1, 0, 200, "/o.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--resize-fit-height", "200", "-o", "/o.gif"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", -1, 0, 0, "/o.gif"),
                 (QStringList{"/in/g.gif", "-O3", "-o", "/o.gif"}));
        QCOMPARE(ImgRecipes::pdf("/in/r.pdf", 1, false, "jpg", "/out/r.jpg"),
                 (QStringList{"-density", "150", "/in/r.pdf", "-background", "white", "-alpha", "remove",
                              "/out/r.jpg"}));
        QCOMPARE(ImgRecipes::pdf("/in/r.pdf", 0, true, "png", "/out/r.png"),
                 (QStringList{"-density", "220", "/in/r.pdf", "-background", "white", "-alpha", "remove",
                              "-append", "/out/r.png"}));
        QCOMPARE(ImgRecipes::pdf("/in/r.pdf", 2, false, "tiff", "/out/r.tiff"),
                 (QStringList{"-density", "100", "/in/r.pdf", "/out/r.tiff"}));
        QCOMPARE(ImgRecipes::pdf("/in/r.pdf", 2, false, "bmp", "/out/r%/r%.bmp", true),
                 (QStringList{"-density", "100", "/in/r.pdf", "-background", "white", "-alpha", "remove",
                              "/out/r%%/r%%-%d.bmp"}));
        QCOMPARE(ImgRecipes::density(7), QStringLiteral("100"));
    }

    void pngquantSaysWhyItFailed()
    {
        QCOMPARE(ImgRecipes::pngquantFailure(99),
                 QStringLiteral("pngquant: the picture cannot keep the quality asked"));
        QVERIFY(ImgRecipes::pngquantFailure(2).contains("could not read"));
        QCOMPARE(ImgRecipes::pngquantFailure(7),
                 QStringLiteral("pngquant exited with code 7 and wrote nothing"));
    }

    void pdfPagesFromPdfInfo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<QVector<QSizeF>>("sizes");
        QTest::addColumn<QString>("problem");
        const QString a4 = "Pages:           2\n"
                           "Page    1 size:  595.2 x 841.92 pts (A4)\n"
                           "Page    1 rot:   0\n"
                           "Page    2 size:  595.2 x 841.92 pts (A4)\n"
                           "Page    2 rot:   90\n"
                           "Page    1 MediaBox:      0.00     0.00   595.20   841.92\n"
                           "Page    1 CropBox:       0.00     0.00   500.00   800.00\n"
                           "Page    2 MediaBox:     10.00    20.00   605.20   861.92\n";
        QTest::newRow("media boxes, a turned page lies on its side")
            << a4 << true << QVector<QSizeF>{{595.2, 841.92}, {841.92, 595.2}} << "";
        QTest::newRow("a user password") << "Command Line Error: Incorrect password\n"
                                         << false << QVector<QSizeF>{} << "the PDF is password-protected";
        QTest::newRow("broken: Poppler's last error")
            << "Syntax Warning: May not be a PDF file (continuing anyway)\n"
               "Syntax Error: Couldn't find trailer dictionary\nSyntax Error: Couldn't read xref table\n"
            << false << QVector<QSizeF>{} << "the PDF cannot be read: Syntax Error: Couldn't read xref table";
        QTest::newRow("no page at all") << "Pages:           0\n"
                                        << true << QVector<QSizeF>{} << "the PDF has no pages";
        QTest::newRow("boxes but a failed run")
            << a4 << false << QVector<QSizeF>{} << "the PDF cannot be read";
        // pdfinfo prints what a file declares, however absurd.
        QTest::newRow("a box past a double")
            << "Page    1 MediaBox:      0.00     0.00      inf   841.92\n"
            << true << QVector<QSizeF>{} << "the PDF cannot be read: page 1 has no usable MediaBox";
        QTest::newRow("a box of corners a double apart")
            << "Page    1 MediaBox:  -1e308  0.00  1e308  841.92\n"
            << true << QVector<QSizeF>{} << "the PDF cannot be read: page 1 has no usable MediaBox";
        QTest::newRow("turns: -270 on its side, the least int not")
            << "Page    1 MediaBox:  0 0 100 200\nPage    2 MediaBox:  0 0 100 200\n"
               "Page    1 rot:   -270\nPage    2 rot:   -2147483648\n"
            << true << QVector<QSizeF>{{200, 100}, {100, 200}} << "";
    }
    void pdfPagesFromPdfInfo()
    {
        QFETCH(QString, text);
        QFETCH(bool, clean);
        QFETCH(QVector<QSizeF>, sizes);
        QFETCH(QString, problem);
        const PdfPages pages = PageCounter::parsePdfInfo(text, clean);
        QCOMPARE(pages.sizes, sizes);
        QCOMPARE(pages.problem, problem);
    }

    void pdfLimitsAreKnownBeforeTheToolStarts_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("density");
        QTest::addColumn<bool>("join");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("problem");
        // A4 is 1240x1754 at 150 dpi, 1819x2573 at 220 and 827x1169 at 100.
        QTest::newRow("12 pages joined at 150 into JPEG") << 12 << 150 << true << "jpg"
                                                          << "";
        QTest::newRow("37 pages joined at 150: 64898 high") << 37 << 150 << true << "jpeg"
                                                            << "";
        QTest::newRow("38 pages joined at 150: past JPEG")
            << 38 << 150 << true << "jpg"
            << "the long picture would be 1240x66652 pixels; JPEG holds at most 65500 a side";
        QTest::newRow("38 pages joined at 150 into PNG") << 38 << 150 << true << "png"
                                                         << "";
        QTest::newRow("50 pages joined at 220 into PNG: past the converter")
            << 50 << 220 << true << "png"
            << "the long picture would be 1819x128650 pixels; the converter holds at most 128000 a side";
        QTest::newRow("154 pages apart at 220") << 154 << 220 << false << "jpg"
                                                << "";
        QTest::newRow("600 pages apart at 220: past the pixel cache")
            << 600 << 220 << false << "jpg"
            << "the 600 pages at this quality need more memory than the converter may use; choose a lower "
               "quality or split the document";
        QTest::newRow("no pages") << 0 << 150 << false << "jpg"
                                  << "the PDF has no pages";
    }
    void pdfLimitsAreKnownBeforeTheToolStarts()
    {
        QFETCH(int, pages);
        QFETCH(int, density);
        QFETCH(bool, join);
        QFETCH(QString, suffix);
        QFETCH(QString, problem);
        PdfPages document;
        document.sizes.fill(QSizeF(595.2, 841.92), pages);
        QCOMPARE(PdfPlan::problem(document, density, join, suffix), problem);
    }

    void pdfPixelSizes()
    {
        QCOMPARE(PdfPlan::pixelSize({595.2, 841.92}, 150), QSize(1240, 1754));
        QCOMPARE(PdfPlan::pixelSize({595.2, 841.92}, 220), QSize(1819, 2573));
        QCOMPARE(PdfPlan::pixelSize({595.2, 841.92}, 100), QSize(827, 1169));
        PdfPages mixed;
        mixed.sizes = {{144, 72}, {72, 144}};
        QCOMPARE(PdfPlan::joinedSize(mixed, 150), QSize(300, 450));
        // A page past what int holds in pixels is counted far past our limits, and refused.
        PdfPages vast;
        vast.sizes = {{1e300, 595.2}, {1e12, 1e12}};
        QCOMPARE(PdfPlan::pixelSize(vast.sizes.at(0), 150), QSize(2048000, 1240));
        QCOMPARE(PdfPlan::problem(vast, 150, false, "png"),
                 QStringLiteral("a page would be larger than 128000 pixels a side"));
        QCOMPARE(PdfPlan::joinedSize(vast, 150), QSize(2048000, 2049240));
        PdfPages unreadable;
        unreadable.problem = "the PDF is password-protected";
        QCOMPARE(PdfPlan::problem(unreadable, 150, false, "png"), unreadable.problem);
        // The limits are our policy's: a change there must be a change here.
        QFile policy(QStringLiteral(APP_BINARY_DIR "/config/ImageMagick/policy.xml"));
        QVERIFY(policy.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(policy.readAll());
        for (const char* rule : {"name=\"height\" value=\"128KP\"", "name=\"width\" value=\"128KP\"",
                                 "name=\"memory\" value=\"2GiB\"", "name=\"map\" value=\"4GiB\"",
                                 "name=\"disk\" value=\"8GiB\""})
            QVERIFY2(text.contains(QLatin1String(rule)), rule);
    }

    void pdfPagesOfRealDocuments()
    {
        QTemporaryDir dir;
        const QString three = dir.filePath("three.pdf");
        QVERIFY(Fixtures::makePdf(three, 3, 144, 72));
        const PdfPages pages = PageCounter::pdfPages(three);
        QVERIFY2(pages.problem.isEmpty(), qPrintable(pages.problem));
        QCOMPARE(pages.sizes, (QVector<QSizeF>(3, QSizeF(144, 72))));
        const QString locked = dir.filePath("locked.pdf");
        QVERIFY(Fixtures::makePdf(locked, 1, 144, 72, "secret"));
        QCOMPARE(PageCounter::pdfPages(locked).problem, QStringLiteral("the PDF is password-protected"));
        QFile empty(dir.filePath("empty.pdf"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(PageCounter::pdfPages(empty.fileName()).problem,
                 QStringLiteral("the PDF file is empty (0 bytes)"));
        QFile text(dir.filePath("text.pdf"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("hello");
        text.close();
        QVERIFY(PageCounter::pdfPages(text.fileName()).problem.startsWith("the PDF cannot be read: "));
    }

    void writtenPagesAreCounted()
    {
        QTemporaryDir dir;
        const auto touch = [&](const char* name, const QByteArray& bytes) {
            QFile file(dir.filePath(QLatin1String(name)));
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(touch("r.2020-0.jpg", "x") && touch("r.2020-1.jpg", "x") && touch("r.2020-2.jpg", ""));
        QVERIFY(touch("r.2020-x.jpg", "x") && touch("other-3.jpg", "x") && touch("r.2020-3.png", "x"));
        // An empty file is no page.
        QCOMPARE(PdfPlan::writtenPages(dir.filePath("r.2020.jpg")), 2);
        QVERIFY(Fixtures::runTool("convert",
                                  {"-size", "8x6", "xc:red", "xc:blue", "xc:lime", dir.filePath("t.tif")}));
        QCOMPARE(PdfPlan::writtenPages(dir.filePath("t.tif")), 3);
        QCOMPARE(PdfPlan::writtenPages(dir.filePath("none.png")), 0);
    }

    void naming_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("firstDot");
        QTest::addColumn<QString>("base");
        QTest::newRow("heic first dot") << "/x/trip.day1.heic" << true << "trip";
        QTest::newRow("raw last dot") << "/x/shot.final.cr2" << false << "shot.final";
        QTest::newRow("rotate first dot") << "/x/photo.final.JPG" << true << "photo";
        QTest::newRow("no dot") << "/x/README" << false << "README";
        QTest::newRow("dash name") << "/x/-rf.png" << false << "-rf";
    }
    void naming()
    {
        QFETCH(QString, path);
        QFETCH(bool, firstDot);
        QFETCH(QString, base);
        QCOMPARE(ImgRecipes::baseName(path, firstDot), base);
    }

    void suffixes()
    {
        const QStringList expected{"jpg", "jpeg", "png", "bmp", "tif", "tiff", "webp", "tga", "gif"};
        // The code is the boundary value: each must keep its number and its suffix.
        QCOMPARE(ImgFormats::table().size(), expected.size());
        for (int code = 0; code < expected.size(); ++code) {
            QCOMPARE(static_cast<int>(ImgFormats::table().at(code).format), code);
            QCOMPARE(ImgFormats::suffix(ImgFormats::fromCode(code)), expected.at(code));
            QCOMPARE(ImgFormats::table().at(code).label, expected.at(code).toUpper());
        }
        QVERIFY(ImgFormats::suffix(ImgFormats::fromCode(9)).isEmpty());
        QVERIFY(ImgFormats::suffix(ImgFormat::KeepSource).isEmpty());
        QCOMPARE(static_cast<int>(ImgFormat::KeepSource), 50);
        QCOMPARE(ImgFormats::suffixFor(ImgFormat::KeepSource, "/x/IMG.PNG"), QStringLiteral("png"));
        QCOMPARE(ImgFormats::suffixFor(ImgFormat::Png, "/x/IMG.jpg"), QStringLiteral("png"));
        for (const char* s : {"psd", "tif", "tiff", "webp", "gif", "ico"})
            QVERIFY(ImgRecipes::isMultiFrameSuffix(s));
        QVERIFY(!ImgRecipes::isMultiFrameSuffix("png"));
    }

    void recordsKeepTheirKeys()
    {
        ImgJobRecord record = ImgJobRecords::make(3, "/x/a.png");
        QCOMPARE(record, (ImgJobRecord{{"id", "3"}, {"path", "/x/a.png"}}));
        QCOMPARE(ImgJobRecords::crop(record), QRect(-1, -1, -1, -1));
        // A missing join value counts as 0, which joins the pages.
        QVERIFY(ImgJobRecords::combinesPages(record));
        record.insert("cropX", "");
        QCOMPARE(ImgJobRecords::crop(record).x(), -1);
        ImgJobRecords::setCrop(record, QRect(5, 6, 70, 80));
        ImgJobRecords::setPdfOptions(record, 2, false);
        QCOMPARE(record.value("cropX"), QStringLiteral("5"));
        QCOMPARE(record.value("cropHeight"), QStringLiteral("80"));
        QCOMPARE(record.value("imgDefinitionValue"), QStringLiteral("2"));
        QCOMPARE(record.value("pdfToImgCombineValue"), QStringLiteral("1"));
        QCOMPARE(ImgJobRecords::crop(record), QRect(5, 6, 70, 80));
        QCOMPARE(ImgJobRecords::row(record), 3);
        QVERIFY(!ImgJobRecords::combinesPages(record));
    }

    void successRule_data()
    {
        QTest::addColumn<ImgOperation>("operation");
        QTest::addColumn<QString>("stderrText");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("success");
        QTest::newRow("clean and silent") << ImgOperation::Conversion << "" << true << true << true;
        QTest::newRow("warning, any case, code 0")
            << ImgOperation::Conversion << "Warning: x" << true << true << true;
        QTest::newRow("Warning fails code 2")
            << ImgOperation::GifCompression << "Warning: x" << true << true << false;
        QTest::newRow("Warning fails code 3")
            << ImgOperation::Compression << "Warning: x" << true << true << false;
        QTest::newRow("warning passes code 3")
            << ImgOperation::Compression << "libpng warning: x" << true << true << true;
        QTest::newRow("error text") << ImgOperation::Conversion << "convert: no decode delegate" << true
                                    << true << false;
        QTest::newRow("silent non-zero exit") << ImgOperation::Conversion << "" << false << true << false;
        QTest::newRow("warning but crashed")
            << ImgOperation::Conversion << "warning" << false << true << false;
        QTest::newRow("crop outside the picture")
            << ImgOperation::Crop
            << "convert: geometry does not contain image `a.png' @ warning/transform.c/CropImage/668." << true
            << true << false;
        QTest::newRow("crop with another warning")
            << ImgOperation::Crop << "convert: Unknown field with tag 700 warning" << true << true << true;
        QTest::newRow("no output left") << ImgOperation::FirstDotConversion << "" << true << false << false;
    }
    void successRule()
    {
        QFETCH(ImgOperation, operation);
        QFETCH(QString, stderrText);
        QFETCH(bool, clean);
        QFETCH(bool, exists);
        QFETCH(bool, success);
        QCOMPARE(ImgSuccessRule::judge(operation, stderrText, clean, exists), success);
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString partialIn(const QString& folder, const QByteArray& content)
    {
        const QString path = PartialOutput::createFile(folder, "png");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        return path;
    }

    void claimsFallBackToTheStampedName()
    {
        QTemporaryDir dir;
        const QString first =
            OutputNamer::claimFile(partialIn(dir.path(), "1"), dir.path(), "a", "png", "10142530", 3);
        QCOMPARE(first, dir.filePath("a.png"));
        const QString second =
            OutputNamer::claimFile(partialIn(dir.path(), "2"), dir.path(), "a", "png", "10142530", 3);
        QCOMPARE(second, dir.filePath("a_101425303.png"));
        const QString third =
            OutputNamer::claimFile(partialIn(dir.path(), "3"), dir.path(), "a", "png", "10142530", 3);
        QCOMPARE(third, dir.filePath("a_101425303_2.png"));
        // Nothing already there was replaced, and no partial file is left.
        QCOMPARE(contents(first), QByteArray("1"));
        QCOMPARE(contents(second), QByteArray("2"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
        const QString anim = PartialOutput::createFolder(dir.path());
        QCOMPARE(OutputNamer::claimFolder(anim, dir.path(), "anim", "10142530", 1), dir.filePath("anim"));
        const QString anim2 = PartialOutput::createFolder(dir.path());
        QCOMPARE(OutputNamer::claimFolder(anim2, dir.path(), "anim", "10142530", 1),
                 dir.filePath("anim_101425301"));
        // An existing file of the name also moves the folder aside.
        const QString named = PartialOutput::createFolder(dir.path());
        QCOMPARE(OutputNamer::claimFolder(named, dir.path(), "a.png", "1", 0), dir.filePath("a.png_10"));
        // A folder that went away: no name, and the caller still holds its partial.
        QVERIFY(
            OutputNamer::claimFile(partialIn(dir.path(), "4"), dir.filePath("missing"), "a", "png", "1", 0)
                .isEmpty());
    }

    void concurrentClaimsNeverShareAName()
    {
        QTemporaryDir dir;
        QVector<QString> partials(40);
        for (int i = 0; i < 40; ++i)
            partials[i] = partialIn(dir.path(), QByteArray::number(i));
        QVector<QString> names(40);
        std::vector<std::thread> threads;
        for (int i = 0; i < 40; ++i)
            threads.emplace_back([&dir, &names, &partials, i]() {
                names[i] = OutputNamer::claimFile(partials[i], dir.path(), "same", "jpg", "01020304", i % 4);
            });
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 40);
        QVERIFY(!names.contains(QString()));
        for (int i = 0; i < 40; ++i)
            QCOMPARE(contents(names[i]), QByteArray::number(i));
    }

    void pagesAreCountedBeforeImageMagickRuns()
    {
        QTemporaryDir dir;
        const auto file = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
        QVERIFY(Fixtures::runTool("convert",
                                  {"-size", "8x6", "xc:red", "xc:blue", "xc:lime", file("three.tif")}));
        QVERIFY(Fixtures::runTool("convert", {"-size", "8x6", "xc:red", "-endian", "MSB", file("one.tiff")}));
        QVERIFY(
            Fixtures::runTool("convert", {"-size", "8x6", "xc:red", "xc:blue", "TIFF64:" + file("big.tif")}));
        QVERIFY(Fixtures::runTool(
            "convert", {"-size", "16x16", "xc:red", "-size", "32x32", "xc:blue", file("two.ico")}));
        QVERIFY(Fixtures::makePicture(file("a.png")));
        QCOMPARE(PageCounter::pages(file("three.tif")), 3);
        QCOMPARE(PageCounter::pages(file("one.tiff")), 1);
        QCOMPARE(PageCounter::pages(file("big.tif")), 2);
        QCOMPARE(PageCounter::pages(file("two.ico")), 2);
        QCOMPARE(PageCounter::pages(file("a.png")), 1);
        QCOMPARE(PageCounter::pages(file("missing.tif")), 1);
        // A chain that points back at itself, and one cut off mid-entry, end without a hang.
        QByteArray loop("II*\0\x08\0\0\0\0\0\x08\0\0\0", 14);
        QBuffer looped(&loop);
        QVERIFY(looped.open(QIODevice::ReadOnly));
        QCOMPARE(PageCounter::tiffPages(looped), 1);
        QByteArray cut("MM\0*\0\0\0\x08\0\x05", 10);
        QBuffer truncated(&cut);
        QVERIFY(truncated.open(QIODevice::ReadOnly));
        QCOMPARE(PageCounter::tiffPages(truncated), 1);
        QByteArray png("\x89PNG\r\n", 6);
        QBuffer notIco(&png);
        QVERIFY(notIco.open(QIODevice::ReadOnly));
        QCOMPARE(PageCounter::icoPictures(notIco), 0);
    }

    void heicAlphaIsSeenInTheMetadata()
    {
        QVERIFY(HeicInspector::hasAlpha(Fixtures::dataFile("colors-with-alpha.heic")));
        QVERIFY(!HeicInspector::hasAlpha(Fixtures::dataFile("Stonehenge.heic")));
        QVERIFY(!HeicInspector::declaresAlpha("....urn:mpeg:hevc:2015:auxid:2...")); // a depth map
        QVERIFY(HeicInspector::declaresAlpha("urn:mpeg:mpegB:cicp:systems:auxiliary:alpha"));
        QVERIFY(!HeicInspector::hasAlpha("/nonexistent.heic"));
    }

    void apngFramesAreCounted()
    {
        QTemporaryDir dir;
        const QString animated = dir.filePath("spin.png");
        // ffmpeg's APNG muxer: acTL with 20 frames, then fcTL/IDAT and fcTL/fdAT chunks.
        QVERIFY(Fixtures::runTool("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=40x30:rate=10",
                                             "-frames:v", "20", "-plays", "0", "-f", "apng", animated}));
        QCOMPARE(PageCounter::apngFrames(animated), 20);
        QVERIFY(Fixtures::makePicture(dir.filePath("still.png")));
        QCOMPARE(PageCounter::apngFrames(dir.filePath("still.png")), 0);
        QCOMPARE(PageCounter::apngFrames(dir.filePath("missing.png")), 0);
        // Cut before its chunks end, and a JPEG: no animation is read into either.
        QFile whole(animated);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QByteArray head = whole.read(40);
        QBuffer cut(&head);
        QVERIFY(cut.open(QIODevice::ReadOnly));
        QCOMPARE(PageCounter::apngFrames(cut), 0);
        QVERIFY(Fixtures::makePicture(dir.filePath("photo.jpg")));
        QCOMPARE(PageCounter::apngFrames(dir.filePath("photo.jpg")), 0);
    }

    void framesApart_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("apart");
        QTest::newRow("gif to png") << "/a.GIF" << 1 << "png" << true;
        QTest::newRow("webp to jpg") << "/a.webp" << 1 << "jpg" << true;
        QTest::newRow("gif stays an animation") << "/a.gif" << 1 << "gif" << false;
        QTest::newRow("webp to gif stays one") << "/a.webp" << 1 << "gif" << false;
        QTest::newRow("tiff pages to png") << "/a.tiff" << 3 << "png" << true;
        QTest::newRow("tiff pages to gif") << "/a.tif" << 3 << "gif" << true;
        QTest::newRow("tiff pages stay in a tiff") << "/a.tif" << 3 << "tiff" << false;
        QTest::newRow("one-page tiff") << "/a.tif" << 1 << "png" << false;
        QTest::newRow("icons to png") << "/a.ico" << 2 << "png" << true;
        QTest::newRow("psd is flattened") << "/a.psd" << 1 << "png" << false;
        QTest::newRow("jpeg") << "/a.jpg" << 1 << "png" << false;
    }
    void framesApart()
    {
        QFETCH(QString, source);
        QFETCH(int, pages);
        QFETCH(QString, suffix);
        QFETCH(bool, apart);
        QCOMPARE(ImgRecipes::framesApart(source, pages, suffix), apart);
    }

    void numberedFilesCountFromOne_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("none: the output itself") << 0 << "r.jpg"
                                                 << "";
        QTest::newRow("one: as a picture of one frame") << 1 << "r.jpg"
                                                        << "r.jpg";
        QTest::newRow("nine: one digit") << 9 << "r-1.jpg"
                                         << "r-9.jpg";
        QTest::newRow("ten") << 10 << "r-01.jpg"
                             << "r-10.jpg";
        QTest::newRow("nineteen") << 19 << "r-01.jpg"
                                  << "r-19.jpg";
        QTest::newRow("a hundred and one") << 101 << "r-001.jpg"
                                           << "r-101.jpg";
    }
    void numberedFilesCountFromOne()
    {
        QFETCH(int, written);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QTemporaryDir dir;
        // Each file holds its index as ImageMagick wrote it, to see that none changed places.
        for (int i = 0; i < written; ++i) {
            QFile file(dir.filePath(QStringLiteral("r-%1.jpg").arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::number(i));
        }
        QVERIFY(Fixtures::makePicture(dir.filePath("r-x.jpg")));
        QCOMPARE(OutputNamer::numberFromOne(dir.filePath("r.jpg")), dir.filePath(first));
        QStringList names = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        names.removeOne("r-x.jpg");
        QCOMPARE(names.size(), written);
        if (written == 0)
            return;
        QCOMPARE(names.first(), first);
        QCOMPARE(names.last(), last);
        for (int i = 0; i < names.size(); ++i) {
            QFile file(dir.filePath(names.at(i)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray::number(i));
        }
    }

    void resultsIncludeNumberedFrames()
    {
        QTemporaryDir dir;
        const QDateTime before = QDateTime::currentDateTime();
        const QString output = PartialOutput::createFile(dir.path(), "png");
        QVERIFY(!OutputNamer::resultExists(output, before));
        // Beside a hidden partial file the frames are hidden too, and still count.
        QFile frame(output.chopped(4) + "-0.png");
        QVERIFY(frame.open(QIODevice::WriteOnly));
        frame.write("x");
        frame.close();
        QVERIFY(OutputNamer::resultExists(output, before));
        QCOMPARE(OutputNamer::numberedFiles(output), QStringList{frame.fileName()});
        QVERIFY(!OutputNamer::resultExists(dir.filePath("other.png"), before));
    }
};

QTEST_GUILESS_MAIN(TestImgRecipes)
#include "tst_imgrecipes.moc"

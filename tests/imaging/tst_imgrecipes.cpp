#include "imaging/heicinspector.h"
#include "imaging/imgrecipes.h"
#include "imaging/imgsuccessrule.h"
#include "imaging/outputnamer.h"
#include "imaging/pagecounter.h"
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
    }
    void general()
    {
        QFETCH(C, c);
        QFETCH(QStringList, args);
        QCOMPARE(ImgRecipes::general(c), args);
    }

    void otherTools()
    {
        QCOMPARE(ImgRecipes::png("/in/a.png", 70, "/out/a.png"),
                 (QStringList{"/in/a.png", "--quality", "70", "--output", "/out/a.png"}));
        QCOMPARE(ImgRecipes::png("/in/a.png", -1, "/out/a.png"),
                 (QStringList{"/in/a.png", "--output", "/out/a.png"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", 50, -1, -1, "/out/g.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--colors=50", "-o", "/out/g.gif"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", -1, 300, -1, "/o.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--resize-fit-width", "300", "-o", "/o.gif"}));
        QCOMPARE(ImgRecipes::gif("/in/g.gif", -1, 300, 200, "/o.gif"),
                 (QStringList{"/in/g.gif", "-O3", "--resize", "300x200!", "-o", "/o.gif"}));
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
        QCOMPARE(ImgRecipes::density(7), QStringLiteral("100"));
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

    void claimsFallBackToTheStampedName()
    {
        QTemporaryDir dir;
        const QString first = OutputNamer::claimFile(dir.path(), "a", "png", "10142530", 3);
        QCOMPARE(first, dir.filePath("a.png"));
        const QString second = OutputNamer::claimFile(dir.path(), "a", "png", "10142530", 3);
        QCOMPARE(second, dir.filePath("a_101425303.png"));
        const QString third = OutputNamer::claimFile(dir.path(), "a", "png", "10142530", 3);
        QCOMPARE(third, dir.filePath("a_101425303_2.png"));
        QCOMPARE(OutputNamer::claimFolder(dir.path(), "anim", "10142530", 1), dir.filePath("anim"));
        QCOMPARE(OutputNamer::claimFolder(dir.path(), "anim", "10142530", 1), dir.filePath("anim_101425301"));
        // An existing file of the name also moves the folder aside.
        QCOMPARE(OutputNamer::claimFolder(dir.path(), "a.png", "1", 0), dir.filePath("a.png_10"));
        QVERIFY(OutputNamer::claimFile(dir.filePath("missing"), "a", "png", "1", 0).isEmpty());
    }

    void concurrentClaimsNeverShareAName()
    {
        QTemporaryDir dir;
        QVector<QString> names(40);
        std::vector<std::thread> threads;
        for (int i = 0; i < 40; ++i)
            threads.emplace_back([&dir, &names, i]() {
                names[i] = OutputNamer::claimFile(dir.path(), "same", "jpg", "01020304", i % 4);
            });
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 40);
        QVERIFY(!names.contains(QString()));
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

    void resultsIncludeNumberedFrames()
    {
        QTemporaryDir dir;
        const QDateTime before = QDateTime::currentDateTime();
        const QString output = OutputNamer::claimFile(dir.path(), "anim", "png", "1", 0);
        QVERIFY(!OutputNamer::resultExists(output, before));
        QFile frame(dir.filePath("anim-0.png"));
        QVERIFY(frame.open(QIODevice::WriteOnly));
        frame.write("x");
        frame.close();
        QVERIFY(OutputNamer::resultExists(output, before));
        OutputNamer::releaseIfEmpty(output);
        QVERIFY(!QFile::exists(output));
        QVERIFY(!OutputNamer::resultExists(dir.filePath("other.png"), before));
    }
};

QTEST_GUILESS_MAIN(TestImgRecipes)
#include "tst_imgrecipes.moc"

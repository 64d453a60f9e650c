#include "platform/toollauncher.h"
#include "support/fixtures.h"
#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kMagick = QStringLiteral(APP_BINARY_DIR "/magick");
const QString kConvert = QStringLiteral("/usr/bin/convert");

struct Run
{
    int exitCode = -1;
    QString standardError;
    // What our magick's log says of this run: "vips: OUTPUT" or "convert: WHY".
    QString path;
};

// The picture as the tests compare it.
struct Picture
{
    QString format;
    QString geometry;
    int frames = 0;
    QString channels;
    QString quality;
    QString sampling;
    QString model;
    QString orientation;
    QString icc;
};

QString tool(const QString& program, const QStringList& arguments)
{
    QString out;
    Fixtures::runTool(program, arguments, &out);
    return out.trimmed();
}

Picture describe(const QString& path)
{
    Picture p;
    p.frames = tool("identify", {"-format", "%m\\n", path}).split('\n', Qt::SkipEmptyParts).size();
    const QStringList f =
        tool("identify", {"-format", "%m|%wx%h|%[channels]|%Q\\n", path}).section('\n', 0, 0).split('|');
    p.format = f.value(0);
    p.geometry = f.value(1);
    p.channels = f.value(2).section(' ', 0, 0);
    if (p.format == "JPEG") {
        p.quality = f.value(3);
        p.sampling = tool("identify", {"-format", "%[jpeg:sampling-factor]", path});
    }
    const QStringList tags = tool("exiftool", {"-q", "-q", "-f", "-s3", "-n", "-Model", "-Orientation",
                                               "-ProfileDescription", path})
                                 .split('\n');
    p.model = tags.value(0);
    p.orientation = tags.value(1);
    p.icc = tags.value(2);
    return p;
}

double psnr(const QString& a, const QString& b)
{
    QProcess compare;
    compare.start(QStringLiteral("compare"), {"-metric", "PSNR", a, b, "null:"});
    compare.waitForFinished(60000);
    const QString text = QString::fromLocal8Bit(compare.readAllStandardError()).trimmed();
    if (text == QLatin1String("inf") || text == QLatin1String("0"))
        return 99.0;
    bool ok = false;
    const double value = text.section(' ', 0, 0).toDouble(&ok);
    return ok ? qMin(value, 99.0) : -1.0;
}

} // namespace

class TestMagick : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void bothPathsGiveOnePicture_data();
    void bothPathsGiveOnePicture();
    void theRestIsImageMagicksOwn_data();
    void theRestIsImageMagicksOwn();
    void damagedSourcesFail_data();
    void damagedSourcesFail();
    void awkwardNamesAreFiles_data();
    void awkwardNamesAreFiles();
    void aCancelledJobTakesConvertWithIt();
    void aStoppedJobEndsItsGroup();
    void aStoppedJobRemovesItsScratch();
    void aGreyHeicIsReadWholeOnce();

private:
    QString work(const QString& name) const { return m_dir.filePath(name); }
    Run runMagick(const QStringList& arguments);
    void makeSources();

    QTemporaryDir m_dir;
    QString m_log;
};

void TestMagick::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFileInfo(kMagick).isExecutable());
    QVERIFY(QFileInfo(QStringLiteral(APP_BINARY_DIR "/decoder/imagemagick/convert")).isExecutable());
    makeSources();
}

void TestMagick::init()
{
    QDir out(work("out"));
    out.removeRecursively();
    QVERIFY(QDir().mkpath(out.path()));
}

void TestMagick::makeSources()
{
    // A real photo (Stonehenge, 300x200, with EXIF) as phones and cameras write JPEGs: 4:2:0.
    const QString heic = Fixtures::dataFile("Stonehenge.heic");
    QVERIFY(QFile::copy(heic, work("stonehenge.heic")));
    QVERIFY(
        Fixtures::runTool("convert", {heic, "-quality", "85", "-sampling-factor", "2x2", work("photo.jpg")}));
    QVERIFY(
        Fixtures::runTool("convert", {heic, "-quality", "95", "-sampling-factor", "1x1", work("fine.jpg")}));
    QVERIFY(
        Fixtures::runTool("convert", {heic, "-quality", "90", "-sampling-factor", "2x1", work("422.jpg")}));
    QVERIFY(Fixtures::runTool("convert", {heic, "-colorspace", "CMYK", work("cmyk.jpg")}));
    QVERIFY(QFile::copy(work("photo.jpg"), work("turned.jpg")));
    QVERIFY(
        Fixtures::runTool("exiftool", {"-q", "-overwrite_original", "-Orientation#=6", work("turned.jpg")}));
    // An iPhone-like HEIC: turned by irot and EXIF 6, Display P3, and its profile as the job saves it.
    QVERIFY(Fixtures::runTool(QStringLiteral(APP_BINARY_DIR "/make_phone_heic"),
                              {work("phone.heic"), "6", "p3"}));
    QVERIFY(
        Fixtures::runTool("exiftool", {"-q", "-b", "-ICC_Profile", work("phone.heic"), "-w!", "%d%f.icc"}));
    QVERIFY(QFileInfo(work("phone.icc")).size() > 128);
    // A PNG with a soft alpha, as heif-convert writes a transparent HEIC; a grey one in RGB.
    QVERIFY(
        Fixtures::runTool("convert", {work("photo.jpg"), "(", "-size", "300x200", "gradient:", ")", "-alpha",
                                      "off", "-compose", "copy_opacity", "-composite", work("alpha.png")}));
    QVERIFY(Fixtures::runTool("convert", {work("photo.jpg"), "-strip", "-colorspace", "gray", "-define",
                                          "png:color-type=2", work("grey.png")}));
    QVERIFY(
        Fixtures::runTool("convert", {"-size", "300x200", "gradient:", "-depth", "16", work("deep.png")}));
    QVERIFY(Fixtures::runTool("convert", {work("alpha.png"), "-strip", work("plain.png")}));
    // Grey in its first rows, colour below (a scan, a sky); grey throughout, as JPEG and as HEIC,
    // each stored with three channels.
    QVERIFY(Fixtures::runTool("convert",
                              {work("photo.jpg"), "(", "-size", "300x40", "xc:gray60", ")", "-geometry",
                               "+0+0", "-composite", "-sampling-factor", "2x2", work("greytop.jpg")}));
    QVERIFY(Fixtures::runTool("convert",
                              {work("grey.png"), "-sampling-factor", "1x1", "-quality", "90", "-define",
                               "jpeg:colorspace=2", "-type", "TrueColor", work("grey3.jpg")}));
    QVERIFY(Fixtures::runTool("heif-enc", {"-q", "60", work("grey.png"), "-o", work("grey.heic")}));
    QVERIFY(Fixtures::runTool(
        "convert", {"-delay", "10", work("photo.jpg"), "-flop", work("photo.jpg"), work("two.gif")}));
}

Run TestMagick::runMagick(const QStringList& arguments)
{
    QFile::remove(work("magick.log"));
    QProcess process;
    // The environment the jobs give their tools.
    QProcessEnvironment env = ToolLauncher::childEnvironment();
    env.insert("CHENGYING_MAGICK_LOG", work("magick.log"));
    process.setProcessEnvironment(env);
    process.start(kMagick, arguments);
    process.closeWriteChannel();
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.standardError = QString::fromLocal8Bit(process.readAllStandardError());
    QFile log(work("magick.log"));
    if (log.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(log.readAll()).split('\n')) {
            if (line.startsWith("vips: ") || line.startsWith("convert: "))
                run.path = line;
        }
    }
    return run;
}

void TestMagick::bothPathsGiveOnePicture_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("suffix");
    // Where ImageMagick is wrong: it drops a HEIC's own profile.
    QTest::addColumn<QString>("ourIcc");
    const QString o = "-auto-orient";
    const QString p3 = "Display P3";
    QTest::newRow("HEIC page, nclx HEIC") << "stonehenge.heic" << QStringList{o} << "jpg"
                                          << "";
    QTest::newRow("HEIC page, resized") << "stonehenge.heic" << QStringList{o, "-resize", "120"} << "jpeg"
                                        << "";
    QTest::newRow("phone HEIC, profile given")
        << "phone.heic" << QStringList{o, "-profile", "PROFILE"} << "jpg" << p3;
    QTest::newRow("phone HEIC, profile given, to PNG")
        << "phone.heic" << QStringList{o, "-profile", "PROFILE"} << "png" << p3;
    QTest::newRow("phone HEIC, ImageMagick drops its profile")
        << "phone.heic" << QStringList{o} << "jpg" << p3;
    QTest::newRow("resize W") << "photo.jpg" << QStringList{o, "-resize", "150"} << "jpg"
                              << "";
    QTest::newRow("resize xH") << "photo.jpg" << QStringList{o, "-resize", "x77"} << "jpg"
                               << "";
    QTest::newRow("resize WxH!") << "photo.jpg" << QStringList{o, "-resize", "120x90!"} << "jpg"
                                 << "";
    QTest::newRow("one side kept") << "turned.jpg" << QStringList{o, "-resize", "200x150!"} << "jpg"
                                   << "";
    QTest::newRow("rotate 90") << "photo.jpg" << QStringList{o, "-rotate", "90"} << "jpg"
                               << "";
    QTest::newRow("rotate -90") << "photo.jpg" << QStringList{o, "-rotate", "-90"} << "jpg"
                                << "";
    QTest::newRow("rotate 180, 4:4:4 kept") << "fine.jpg" << QStringList{o, "-rotate", "180"} << "jpg"
                                            << "";
    QTest::newRow("rotate 270 and -360")
        << "photo.jpg" << QStringList{o, "-rotate", "270", "-rotate", "-360"} << "jpg"
        << "";
    QTest::newRow("rotate - is 0, then flip")
        << "photo.jpg" << QStringList{o, "-rotate", "-", "-flip"} << "jpg"
        << "";
    QTest::newRow("EXIF turned 90: upright once") << "turned.jpg" << QStringList{o} << "jpg"
                                                  << "";
    QTest::newRow("EXIF turned, rotated, mirrored")
        << "turned.jpg" << QStringList{o, "-rotate", "90", "-flop"} << "jpg"
        << "";
    QTest::newRow("quality 60 of a 4:4:4 source") << "fine.jpg" << QStringList{o, "-quality", "60%"} << "jpg"
                                                  << "";
    QTest::newRow("quality 95 of a 4:2:0 source") << "photo.jpg" << QStringList{o, "-quality", "95%"} << "jpg"
                                                  << "";
    QTest::newRow("crop") << "photo.jpg" << QStringList{o, "-crop", "100x80+10+20"} << "jpg"
                          << "";
    QTest::newRow("crop, page dropped")
        << "photo.jpg" << QStringList{o, "-crop", "100x80+10+20", "+repage"} << "jpg"
        << "";
    QTest::newRow("PNG crop, page dropped")
        << "plain.png" << QStringList{o, "-crop", "30x20+5+7", "+repage"} << "png"
        << "";
    QTest::newRow("JPEG to a PNG piece, page dropped")
        << "turned.jpg" << QStringList{o, "-rotate", "90", "-crop", "60x50+70+20", "+repage"} << "png"
        << "";
    QTest::newRow("crop over the edge") << "photo.jpg" << QStringList{o, "-crop", "250x250+100+50"} << "jpg"
                                        << "";
    QTest::newRow("PNG with alpha on white")
        << "plain.png" << QStringList{o, "-background", "white", "-alpha", "remove"} << "jpg"
        << "";
    QTest::newRow("PNG with alpha, quality 80")
        << "plain.png" << QStringList{o, "-quality", "80%", "-background", "white", "-alpha", "remove"}
        << "jpg"
        << "";
    QTest::newRow("grey in RGB becomes a grey JPEG")
        << "grey.png" << QStringList{o, "-background", "white", "-alpha", "remove"} << "jpg"
        << "";
    QTest::newRow("grey first rows, colour below, resized")
        << "greytop.jpg" << QStringList{o, "-resize", "120"} << "jpg"
        << "";
    QTest::newRow("grey first rows, colour below, cropped")
        << "greytop.jpg" << QStringList{o, "-crop", "200x100+0+0"} << "jpg"
        << "";
    QTest::newRow("grey JPEG in three channels, resized")
        << "grey3.jpg" << QStringList{o, "-resize", "x90"} << "jpg"
        << "";
    QTest::newRow("JPEG to PNG") << "turned.jpg" << QStringList{o, "-resize", "x100"} << "png"
                                 << "";
    QTest::newRow("PNG rotated, kept PNG") << "plain.png" << QStringList{o, "-rotate", "90", "-flop"} << "png"
                                           << "";
    QTest::newRow("every option in order")
        << "turned.jpg" << QStringList{o,       "-quality", "80%",   "-resize", "200x150!",     "-rotate",
                                       "-90",   "-flop",    "-flip", "-crop",   "100x80+10+20", "-background",
                                       "white", "-alpha",   "remove"}
        << "jpg"
        << "";
}

void TestMagick::bothPathsGiveOnePicture()
{
    QFETCH(QString, source);
    QFETCH(QStringList, options);
    QFETCH(QString, suffix);
    QFETCH(QString, ourIcc);
    options.replaceInStrings("PROFILE", work("phone.icc"));
    const QString ours = work("out/ours." + suffix);
    const QString theirs = work("out/theirs." + suffix);
    const Run run = runMagick(QStringList{work(source)} + options + QStringList{ours});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.standardError.isEmpty(), qPrintable(run.standardError));
    QCOMPARE(run.path, "vips: " + ours);
    QVERIFY(Fixtures::runTool(kConvert, QStringList{work(source)} + options + QStringList{theirs}));

    const Picture a = describe(ours);
    const Picture b = describe(theirs);
    QCOMPARE(a.format, b.format);
    QCOMPARE(a.geometry, b.geometry);
    QCOMPARE(a.frames, 1);
    QCOMPARE(a.frames, b.frames);
    if (a.format == "JPEG")
        QCOMPARE(a.channels, b.channels);
    QCOMPARE(a.quality, b.quality);
    QCOMPARE(a.sampling, b.sampling);
    QCOMPARE(a.model, b.model);
    QVERIFY2(a.orientation == "-" || a.orientation == "1", qPrintable(a.orientation));
    QCOMPARE(a.icc, ourIcc.isEmpty() ? b.icc : ourIcc);

    // Lossy pixels against the source decoded and edited without loss.
    QStringList lossless = options;
    const int quality = lossless.indexOf("-quality");
    if (quality >= 0)
        lossless.erase(lossless.begin() + quality, lossless.begin() + quality + 2);
    const QString reference = work("out/reference.png");
    QVERIFY(Fixtures::runTool(kConvert, QStringList{work(source)} + lossless + QStringList{reference}));
    const double ourPsnr = psnr(ours, reference);
    const double theirPsnr = psnr(theirs, reference);
    QVERIFY2((ourPsnr > 0 && qAbs(ourPsnr - theirPsnr) <= 0.5) || (ourPsnr > 45 && theirPsnr > 45),
             qPrintable(QStringLiteral("%1 dB against %2 dB").arg(ourPsnr).arg(theirPsnr)));
}

void TestMagick::theRestIsImageMagicksOwn_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("why");
    const QString o = "-auto-orient";
    QTest::newRow("rotate 30: ImageMagick's canvas")
        << QStringList{"photo.jpg", o, "-rotate", "30", "out/r.jpg"} << "option -rotate 30";
    QTest::newRow("webp target") << QStringList{"photo.jpg", o, "out/r.webp"} << "target format .webp";
    QTest::newRow("bmp target") << QStringList{"stonehenge.heic", o, "out/r.bmp"} << "target format .bmp";
    QTest::newRow("enlarged") << QStringList{"photo.jpg", o, "-resize", "401", "out/r.jpg"} << "enlarging";
    QTest::newRow("PNG with EXIF after its pixels")
        << QStringList{"alpha.png", o, "-rotate", "90", "out/r.png"} << "PNG metadata libvips does not read";
    QTest::newRow("quality for PNG") << QStringList{"photo.jpg", o, "-quality", "70%", "out/r.png"}
                                     << "quality for PNG";
    QTest::newRow("PNG crop keeps its page")
        << QStringList{"photo.jpg", o, "-crop", "10x10+1+1", "out/r.png"} << "option -crop 10x10+1+1";
    QTest::newRow("a page reset without a crop")
        << QStringList{"photo.jpg", o, "+repage", "out/r.jpg"} << "option +repage";
    QTest::newRow("4:2:2 JPEG") << QStringList{"422.jpg", o, "-rotate", "90", "out/r.jpg"}
                                << "JPEG sampling ImageMagick keeps and libvips cannot write";
    QTest::newRow("CMYK JPEG") << QStringList{"cmyk.jpg", o, "out/r.jpg"} << "JPEG sampling";
    QTest::newRow("16-bit PNG") << QStringList{"deep.png", o, "out/r.jpg"} << "more than 8 bits a sample";
    QTest::newRow("profile on a JPEG") << QStringList{"photo.jpg", o, "-profile", "phone.icc", "out/r.jpg"}
                                       << "profile on a source that has its own";
    QTest::newRow("animation, coalesced")
        << QStringList{"two.gif", o, "-coalesce", "out/r.png"} << "option -coalesce";
    QTest::newRow("frames of their own")
        << QStringList{"two.gif", o, "+adjoin", "out/r.jpg"} << "option +adjoin";
    QTest::newRow("a GIF source") << QStringList{"two.gif", o, "out/r.jpg"} << "source read by";
    QTest::newRow("an unknown option")
        << QStringList{"photo.jpg", o, "-strip", "out/r.jpg"} << "option -strip";
    QTest::newRow("no -auto-orient") << QStringList{"photo.jpg", "-resize", "50", "out/r.jpg"}
                                     << "not a picture recipe";
    QTest::newRow("PDF-like recipe") << QStringList{"-density", "100", "photo.jpg", "-append", "out/r.jpg"}
                                     << "not a picture recipe";
}

void TestMagick::theRestIsImageMagicksOwn()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, why);
    QStringList ours;
    QStringList theirs;
    for (const QString& argument : arguments) {
        const bool file = QFileInfo::exists(work(argument)) || argument.startsWith("out/");
        ours << (file ? work(argument) : argument);
        theirs << (file ? work(argument).replace("/out/r", "/out/t") : argument);
    }
    const Run run = runMagick(ours);
    QVERIFY2(run.path.startsWith("convert: " + why), qPrintable(run.path));
    QProcess convert;
    convert.setProcessEnvironment(ToolLauncher::childEnvironment());
    convert.start(kConvert, theirs);
    QVERIFY(convert.waitForFinished(60000));
    QCOMPARE(run.exitCode, convert.exitCode());
    QCOMPARE(run.standardError,
             QString::fromLocal8Bit(convert.readAllStandardError()).replace("/out/t", "/out/r"));
    const QStringList written = QDir(work("out")).entryList({"r*"}, QDir::Files, QDir::Name);
    QStringList expected = QDir(work("out")).entryList({"t*"}, QDir::Files, QDir::Name);
    expected.replaceInStrings(QRegularExpression("^t"), "r");
    QCOMPARE(written, expected);
    for (const QString& name : written) {
        const QString other = QString(name).replace(0, 1, "t");
        QCOMPARE(describe(work("out/" + name)).geometry, describe(work("out/" + other)).geometry);
        QCOMPARE(psnr(work("out/" + name), work("out/" + other)), 99.0);
    }
}

void TestMagick::damagedSourcesFail_data()
{
    QTest::addColumn<QString>("original");
    QTest::addColumn<qint64>("keep");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("zero-byte JPEG") << "photo.jpg" << qint64(0) << "jpg";
    QTest::newRow("not a picture") << "" << qint64(-1) << "jpg";
    QTest::newRow("truncated JPEG") << "photo.jpg" << qint64(-2) << "jpg";
    QTest::newRow("truncated JPEG, to BMP through convert") << "photo.jpg" << qint64(-2) << "bmp";
    QTest::newRow("truncated HEIC") << "stonehenge.heic" << qint64(-2) << "jpg";
    QTest::newRow("truncated PNG") << "alpha.png" << qint64(-2) << "jpg";
}

void TestMagick::damagedSourcesFail()
{
    QFETCH(QString, original);
    QFETCH(qint64, keep);
    QFETCH(QString, suffix);
    QByteArray bytes = "this is not a picture at all\n";
    if (!original.isEmpty()) {
        QFile file(work(original));
        QVERIFY(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
        bytes.truncate(keep == -2 ? bytes.size() / 2 : int(keep));
    }
    const QString source = work("out/damaged." + QFileInfo(original.isEmpty() ? "x.jpg" : original).suffix());
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QString output = work("out/result." + suffix);
    QStringList arguments{source, "-auto-orient"};
    if (source.endsWith(".png"))
        arguments << "-background"
                  << "white"
                  << "-alpha"
                  << "remove";
    const Run run = runMagick(arguments << output);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.standardError.isEmpty());
    QVERIFY2(!QFileInfo::exists(output), qPrintable(run.path));
    QCOMPARE(QDir(work("out")).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(source).fileName()});
}

void TestMagick::awkwardNamesAreFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("spaces") << "my photo 1.jpg"
                            << "vips";
    QTest::newRow("Chinese") << "澄影 照片.heic"
                             << "vips";
    QTest::newRow("leading dash") << "-rf.jpg"
                                  << "vips";
    QTest::newRow("leading dash, through convert") << "-rf.jpg"
                                                   << "convert";
}

void TestMagick::awkwardNamesAreFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    const QString source = work("out/" + name);
    QVERIFY(QFile::copy(work(name.endsWith(".heic") ? "stonehenge.heic" : "photo.jpg"), source));
    const QString output =
        work("out/" + QFileInfo(name).completeBaseName() + (path == "vips" ? " 结果.jpg" : ".bmp"));
    const Run run = runMagick({source, "-auto-orient", output});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.path.startsWith(path + ": "), qPrintable(run.path));
    QCOMPARE(describe(output).geometry, QStringLiteral("300x200"));
}

void TestMagick::aCancelledJobTakesConvertWithIt()
{
    // A slow convert run: a big picture through a non-right angle.
    QVERIFY(Fixtures::makePicture(work("big.png"), "plasma:fractal", "3000x3000"));
    auto convertRunning = [this] {
        QProcess pgrep;
        pgrep.start("pgrep", {"-f", "imagemagick/convert " + work("big.png")});
        pgrep.waitForFinished();
        return !pgrep.readAllStandardOutput().trimmed().isEmpty();
    };
    QProcess process;
    process.start(kMagick,
                  {work("big.png"), "-auto-orient", "-rotate", "33", "-resize", "6000", work("out/big.png")});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(convertRunning(), 5000);
    process.kill();
    QVERIFY(process.waitForFinished());
    QTRY_VERIFY_WITH_TIMEOUT(!convertRunning(), 5000);
}

// Stopped as the application stops a tool (SIGTERM): convert and the Ghostscript it started go
// too, and neither leaves its temporary files.
void TestMagick::aStoppedJobEndsItsGroup()
{
    QVERIFY(Fixtures::makePdf(work("long.pdf"), 40, 595, 842));
    const QString scratch = work("magicktmp");
    QVERIFY(QDir().mkpath(scratch));
    QProcess process;
    QProcessEnvironment env = ToolLauncher::childEnvironment();
    env.insert("MAGICK_TMPDIR", scratch);
    process.setProcessEnvironment(env);
    process.start(kMagick, {"-density", "220", work("long.pdf"), work("out/page.png")});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(Processes::contains(Processes::descendantsOf(process.processId()), "gs"), 30000);
    const QList<Processes::Proc> tools = Processes::descendantsOf(process.processId());
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QTRY_COMPARE_WITH_TIMEOUT(Processes::stillRunning(tools), QStringList(), 3000);
    QCOMPARE(QDir(scratch).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// The libvips path writes beside its output first; a stop takes that file away.
void TestMagick::aStoppedJobRemovesItsScratch()
{
    QVERIFY(Fixtures::runTool("convert",
                              {"-size", "9000x7000", "plasma:fractal", "-quality", "95", work("huge.jpg")}));
    QProcess process;
    process.setProcessEnvironment(ToolLauncher::childEnvironment());
    process.start(kMagick, {work("huge.jpg"), "-auto-orient", "-rotate", "90", work("out/huge.jpg")});
    QVERIFY(process.waitForStarted());
    const auto written = [this] { return QDir(work("out")).entryList(QDir::Files | QDir::Hidden); };
    QTRY_VERIFY_WITH_TIMEOUT(!written().isEmpty() || process.state() == QProcess::NotRunning, 30000);
    QVERIFY2(process.state() == QProcess::Running, "the picture was done before it could be stopped");
    QVERIFY(written().first().startsWith(".chengying-unfinished-"));
    process.terminate();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QCOMPARE(written(), QStringList());
}

// A streamed HEIC found grey in its first rows is looked at whole before it is written: the
// decoder gives its rows again. (ImageMagick decodes this file to not quite grey pixels and keeps
// three channels: only ours is checked here.)
void TestMagick::aGreyHeicIsReadWholeOnce()
{
    const QString ours = work("out/grey.jpg");
    const Run run = runMagick({work("grey.heic"), "-auto-orient", ours});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.path, "vips: " + ours);
    const Picture picture = describe(ours);
    QCOMPARE(picture.channels, QStringLiteral("gray"));
    QCOMPARE(picture.geometry, describe(work("grey.png")).geometry);
    QVERIFY(psnr(ours, work("grey.png")) > 30);
}

QTEST_GUILESS_MAIN(TestMagick)
#include "tst_magick.moc"

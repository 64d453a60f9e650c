#include "lineardng.h"
#include "picturecheck.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QString kHelper = QStringLiteral(APP_BINARY_DIR "/decoder/ConverterToJpg/ConvertToJpg");

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QByteArray standardError;
};

Run runHelper(const QStringList& arguments, const QString& workingDirectory = QString())
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(kHelper, arguments);
    process.closeWriteChannel();
    Run run;
    run.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.standardError = process.readAllStandardError();
    return run;
}

// Everything in a folder, hidden files included, so a leftover temporary file shows.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// "Y" yellow, "R" red, "G" green, "K" black: what a corner of the picture shows.
QChar corner(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    const bool red = c.red() > 128;
    const bool green = c.green() > 128;
    return red && green ? 'Y' : red ? 'R' : green ? 'G' : 'K';
}

// Corners clockwise from the top left.
QString corners(const QImage& image)
{
    const int right = image.width() - 2;
    const int bottom = image.height() - 2;
    return QString(corner(image, 1, 1)) + corner(image, right, 1) + corner(image, right, bottom) +
           corner(image, 1, bottom);
}

} // namespace

// The helper is only known by its command line: SOURCE OUTPUT in, a JPEG or one error line out.
class TestConvertToJpg : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void decodesRealRaw();
    void darkFrameIsAPicture();
    void refusesDamagedPictures_data();
    void refusesDamagedPictures();
    void goodPicturesShowNoDamage();
    void damageIsLookedForWhereTheSensorEnds_data();
    void damageIsLookedForWhereTheSensorEnds();
    void x3fSaysWhyItCannotBeDecoded();
    void refusesFilesWithoutPictureData_data();
    void refusesFilesWithoutPictureData();
    void appliesOrientation_data();
    void appliesOrientation();
    void failsCleanly_data();
    void failsCleanly();
    void wrongArgumentCount_data();
    void wrongArgumentCount();
    void dashPathsArePaths_data();
    void dashPathsArePaths();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestConvertToJpg::initTestCase()
{
    QVERIFY2(QFileInfo(kHelper).isExecutable(), qPrintable(kHelper));
}

void TestConvertToJpg::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestConvertToJpg::decodesRealRaw()
{
    // Headerless: LibRaw knows this camera only by the file's size, whatever the suffix.
    const QString source = path(QStringLiteral("kodak.raw"));
    QVERIFY(QFile::copy(Fixtures::dataFile(QStringLiteral("RAW_KODAK_C330_FORMAT_NONE_YRGB.raw")), source));
    const QString output = path(QStringLiteral("out/kodak.jpg"));
    QVERIFY(QDir().mkpath(QFileInfo(output).path()));

    const Run run = runHelper({source, output});
    QVERIFY(run.finished);
    QCOMPARE(run.standardError, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(Fixtures::identify(output), QStringLiteral("1216x912 JPEG"));
    QString details;
    QVERIFY(Fixtures::runTool(QStringLiteral("identify"),
                              {QStringLiteral("-format"), QStringLiteral("%Q %z %[colorspace]"), output},
                              &details));
    QCOMPARE(details.trimmed(), QStringLiteral("92 8 sRGB"));
    QCOMPARE(entries(QFileInfo(output).path()), QStringList{QStringLiteral("kodak.jpg")});
}

void TestConvertToJpg::darkFrameIsAPicture()
{
    // Only sensor noise a few levels above black: dark, yet not the flat colour of a stripped file.
    const QString source = path(QStringLiteral("lens-cap.dng"));
    QVERIFY(LinearDng::write(source, 1, false, LinearDng::Content::DarkNoise));
    const QString output = path(QStringLiteral("lens-cap.jpg"));

    const Run run = runHelper({source, output});
    QVERIFY(run.finished);
    QCOMPARE(run.standardError, QByteArray());
    QCOMPARE(run.exitCode, 0);
    const QImage image(output, "JPEG");
    QCOMPARE(image.size(), QSize(LinearDng::kWidth, LinearDng::kHeight));
    int brightest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            brightest = qMax(brightest, qGray(image.pixel(x, y)));
    }
    QVERIFY2(brightest < 128, qPrintable(QString::number(brightest)));
}

void TestConvertToJpg::refusesDamagedPictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("padTo");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("pattern");
    // A whole photo damaged where its tiles lie (LibRaw leaves the rest of the picture black), and
    // real headers followed by noise or a repeated pattern where their sensor data should be.
    QTest::newRow("DNG, noise over one tile at half way")
        << "NikonD5000.dng" << qint64(0) << qint64(4200000) << qint64(100000) << false;
    QTest::newRow("DNG, noise from a third on")
        << "NikonD5000.dng" << qint64(0) << qint64(2800000) << qint64(3000000) << false;
    QTest::newRow("NEF, noise for sensor data")
        << "Nikon.nef" << qint64(12000000) << qint64(6188) << qint64(12000000 - 6188) << false;
    QTest::newRow("NEF, a pattern for sensor data")
        << "Nikon.nef" << qint64(12000000) << qint64(6188) << qint64(12000000 - 6188) << true;
    QTest::newRow("RW2, noise for sensor data")
        << "Panasonic.rw2" << qint64(12000000) << qint64(12344) << qint64(12000000 - 12344) << false;
    QTest::newRow("RW2, a pattern for sensor data")
        << "Panasonic.rw2" << qint64(12000000) << qint64(12344) << qint64(12000000 - 12344) << true;
}

void TestConvertToJpg::refusesDamagedPictures()
{
    QFETCH(QString, file);
    QFETCH(qint64, padTo);
    QFETCH(qint64, offset);
    QFETCH(qint64, length);
    QFETCH(bool, pattern);
    const QString source = path(QStringLiteral("damaged.raw"));
    QVERIFY(QFile::copy(Fixtures::dataFile(file), source));
    if (padTo > 0) {
        QFile padded(source);
        QVERIFY(padded.setPermissions(padded.permissions() | QFile::WriteOwner));
        QVERIFY(padded.resize(padTo));
    }
    QVERIFY(Fixtures::damageFile(source, offset, length, 24, pattern));
    const QString output = path(QStringLiteral("out.jpg"));

    const Run run = runHelper({source, output});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    const QByteArray expected =
        "ConvertToJpg: '" + source.toUtf8() + "' is damaged: LibRaw found corrupt data near offset ";
    QVERIFY2(run.standardError.startsWith(expected) && run.standardError.count('\n') == 1 &&
                 run.standardError.contains("% of the picture is noise, streaks or one flat colour"),
             run.standardError.constData());
    QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("damaged.raw")});
}

namespace {
DecodedImage decoded(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    DecodedImage image;
    image.width = rgb.width();
    image.height = rgb.height();
    image.channels = 3;
    for (int y = 0; y < rgb.height(); ++y)
        image.pixels.insert(image.pixels.end(), rgb.constScanLine(y), rgb.constScanLine(y) + rgb.width() * 3);
    return image;
}
} // namespace

void TestConvertToJpg::goodPicturesShowNoDamage()
{
    // Were LibRaw to call whole photos damaged, none of them would be refused, whichever way
    // the camera was held.
    const QString dark = path(QStringLiteral("lens-cap.dng"));
    QVERIFY(LinearDng::write(dark, 1, false, LinearDng::Content::DarkNoise));
    for (const QString& source : {Fixtures::dataFile("NikonD5000.dng"),
                                  Fixtures::dataFile("RAW_KODAK_C330_FORMAT_NONE_YRGB.raw"), dark}) {
        const QString output = path(QStringLiteral("good.jpg"));
        const Run run = runHelper({source, output});
        QVERIFY(run.finished);
        QCOMPARE(run.standardError, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const DecodedImage image = decoded(QImage(output, "JPEG"));
        QVERIFY(image.width > 0);
        for (int flip : {0, 3, 5, 6}) {
            const double share = PictureCheck::damagedShare(image, flip);
            QVERIFY2(share < PictureCheck::kMaxDamagedShare,
                     qPrintable(QStringLiteral("%1 flip %2: %3").arg(source).arg(flip).arg(share)));
        }
        QVERIFY(PictureCheck::damaged(image, 0, "corrupt data near offset 1").empty());
        QFile::remove(output);
    }
}

void TestConvertToJpg::damageIsLookedForWhereTheSensorEnds_data()
{
    QTest::addColumn<QString>("edge");
    QTest::addColumn<QString>("look");
    QTest::addColumn<int>("flip");
    QTest::addColumn<double>("share");
    // 160x80 with 24 rows or 48 columns of damage: three tenths either way.
    QTest::newRow("bottom black, upright") << "bottom"
                                           << "black" << 0 << 0.3;
    QTest::newRow("bottom noise, upright") << "bottom"
                                           << "noise" << 0 << 0.3;
    QTest::newRow("bottom streaks, upright") << "bottom"
                                             << "streaks" << 0 << 0.3;
    QTest::newRow("right black, upright: tiles end there") << "right"
                                                           << "black" << 0 << 0.3;
    QTest::newRow("bottom black, turned half way: the sensor ends on top") << "bottom"
                                                                           << "black" << 3 << 0.0;
    QTest::newRow("top noise, turned half way") << "top"
                                                << "noise" << 3 << 0.3;
    QTest::newRow("left streaks, turned clockwise") << "left"
                                                    << "streaks" << 6 << 0.3;
    QTest::newRow("right black, turned anticlockwise") << "right"
                                                       << "black" << 5 << 0.3;
    QTest::newRow("top black, upright: the sensor began there") << "top"
                                                                << "black" << 0 << 0.0;
}

void TestConvertToJpg::damageIsLookedForWhereTheSensorEnds()
{
    QFETCH(QString, edge);
    QFETCH(QString, look);
    QFETCH(int, flip);
    QFETCH(double, share);
    // A photo-like surface: a smooth gradient with a little grain.
    QRandomGenerator random(7);
    QImage picture(160, 80, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int grain = int(random.bounded(7)) - 3;
            picture.setPixelColor(x, y,
                                  QColor(qBound(0, 40 + x + grain, 255), qBound(0, 60 + y + grain, 255),
                                         qBound(0, 120 + grain, 255)));
        }
    }
    const bool rows = edge == "top" || edge == "bottom";
    const int lines = rows ? 24 : 48;
    for (int line = 0; line < lines; ++line) {
        const QColor streak(int(random.bounded(256)), int(random.bounded(256)), int(random.bounded(256)));
        const int length = rows ? picture.width() : picture.height();
        for (int along = 0; along < length; ++along) {
            const int at = edge == "top" || edge == "left" ? line
                           : rows                          ? picture.height() - 1 - line
                                                           : picture.width() - 1 - line;
            const QPoint p = rows ? QPoint(along, at) : QPoint(at, along);
            if (look == "black")
                picture.setPixelColor(p, Qt::black);
            else if (look == "streaks")
                picture.setPixelColor(p, streak);
            else
                picture.setPixel(p, random.generate() | 0xff000000u);
        }
    }
    const DecodedImage image = decoded(picture);
    QCOMPARE(PictureCheck::damagedShare(image, flip), share);
    QCOMPARE(PictureCheck::damaged(image, flip, "corrupt data near offset 9").empty(), share == 0.0);
    QVERIFY(PictureCheck::damaged(image, flip, std::string()).empty());
}

void TestConvertToJpg::x3fSaysWhyItCannotBeDecoded()
{
    const QString source = path(QStringLiteral("SDIM0001.X3F"));
    QVERIFY(QFile::copy(Fixtures::dataFile("Sigma.x3f"), source));
    const Run run = runHelper({source, path(QStringLiteral("out.jpg"))});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.standardError, "ConvertToJpg: '" + source.toUtf8() +
                                    "' is a Sigma X3F (Foveon) picture, which the LibRaw on this system "
                                    "cannot decode\n");
}

void TestConvertToJpg::refusesFilesWithoutPictureData_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("padTo");
    QTest::addColumn<QString>("reason");
    // Real files whose image data was removed; padding one with zeros to the size its sensor
    // needs leaves LibRaw's warning and the nearly flat picture as the only signs.
    const QString tooSmall = QStringLiteral("bytes cannot hold the");
    QTest::newRow("DNG, black, far too small") << "DNG.dng" << qint64(0) << tooSmall;
    QTest::newRow("CR3, black with a warning") << "CanonRaw.cr3" << qint64(0) << tooSmall;
    QTest::newRow("NEF, nearly white with a warning") << "Nikon.nef" << qint64(0) << tooSmall;
    QTest::newRow("RW2 of 12 KB, a pattern without a warning") << "Panasonic.rw2" << qint64(0) << tooSmall;
    QTest::newRow("NEF padded to its sensor's size")
        << "Nikon.nef" << qint64(200000) << "LibRaw found corrupt data near offset";
    QTest::newRow("Phase One IIQ, known by its content") << "PhaseOne.iiq" << qint64(0) << tooSmall;
    QTest::newRow("iPhone DNG, black, big enough") << "IMG_1361.dng" << qint64(0) << "one flat colour";
    QTest::newRow("made DNG, black") << "" << qint64(0) << "one flat colour";
    QTest::newRow("made DNG, cut short") << "truncated" << qint64(0) << "image data is missing or damaged";
}

void TestConvertToJpg::refusesFilesWithoutPictureData()
{
    QFETCH(QString, file);
    QFETCH(qint64, padTo);
    QFETCH(QString, reason);
    const QString source = path(QStringLiteral("stripped.raw"));
    if (file.isEmpty())
        QVERIFY(LinearDng::write(source, 1, false, LinearDng::Content::Black));
    else if (file == QLatin1String("truncated"))
        QVERIFY(LinearDng::write(source, 1, true));
    else
        QVERIFY(QFile::copy(Fixtures::dataFile(file), source));
    if (padTo > 0) {
        QFile padded(source);
        QVERIFY(padded.setPermissions(padded.permissions() | QFile::WriteOwner));
        QVERIFY(padded.resize(padTo));
    }
    const QString output = path(QStringLiteral("out.jpg"));

    const Run run = runHelper({source, output});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    const QByteArray expected = "ConvertToJpg: no picture data in '" + source.toUtf8() + "': ";
    QVERIFY2(run.standardError.startsWith(expected) && run.standardError.count('\n') == 1 &&
                 run.standardError.contains(reason.toUtf8()),
             run.standardError.constData());
    QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("stripped.raw")});
}

void TestConvertToJpg::appliesOrientation_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("corners");
    const QSize landscape(LinearDng::kWidth, LinearDng::kHeight);
    const QSize portrait = landscape.transposed();
    QTest::newRow("1 upright") << 1 << landscape << "YGKR";
    QTest::newRow("3 upside down") << 3 << landscape << "KRYG";
    QTest::newRow("6 turn clockwise") << 6 << portrait << "RYGK";
    QTest::newRow("8 turn anticlockwise") << 8 << portrait << "GKRY";
}

void TestConvertToJpg::appliesOrientation()
{
    QFETCH(int, orientation);
    QFETCH(QSize, size);
    QFETCH(QString, corners);
    const QString source = path(QStringLiteral("shot.dng"));
    QVERIFY(LinearDng::write(source, orientation));
    const QString output = path(QStringLiteral("shot.jpg"));

    const Run run = runHelper({source, output});
    QVERIFY(run.finished);
    QCOMPARE(run.standardError, QByteArray());
    QCOMPARE(run.exitCode, 0);
    const QImage image(output, "JPEG");
    QCOMPARE(image.size(), size);
    QCOMPARE(::corners(image), corners);
}

void TestConvertToJpg::failsCleanly_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("needsNonRoot");
    QTest::newRow("text file named .cr2") << "text.cr2"
                                          << "out.jpg" << false;
    QTest::newRow("empty file") << "empty.raw"
                                << "out.jpg" << false;
    QTest::newRow("truncated DNG") << "truncated.dng"
                                   << "out.jpg" << false;
    QTest::newRow("missing source") << "missing.nef"
                                    << "out.jpg" << false;
    QTest::newRow("source is a folder") << "folder.arw"
                                        << "out.jpg" << false;
    QTest::newRow("missing output folder") << "good.dng"
                                           << "nowhere/out.jpg" << false;
    QTest::newRow("output folder is a file") << "good.dng"
                                             << "text.cr2/out.jpg" << false;
    QTest::newRow("output is a folder") << "good.dng"
                                        << "folder.arw" << false;
    QTest::newRow("folder nobody may write") << "good.dng"
                                             << "/proc/out.jpg" << false;
    QTest::newRow("read-only folder") << "good.dng"
                                      << "locked/out.jpg" << true;
}

void TestConvertToJpg::failsCleanly()
{
    QFETCH(QString, source);
    QFETCH(QString, output);
    QFETCH(bool, needsNonRoot);
    if (needsNonRoot && ::geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QFile text(path(QStringLiteral("text.cr2")));
    QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture\n") > 0);
    text.close();
    QVERIFY(QFile(path(QStringLiteral("empty.raw"))).open(QIODevice::WriteOnly));
    QVERIFY(LinearDng::write(path(QStringLiteral("truncated.dng")), 1, true));
    QVERIFY(LinearDng::write(path(QStringLiteral("good.dng")), 1));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.arw")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
    QVERIFY(QFile::setPermissions(path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner));
    const QString outputPath = QDir(m_dir->path()).absoluteFilePath(output);
    const QStringList before = entries(m_dir->path());

    const Run run = runHelper({path(source), outputPath});
    QFile::setPermissions(path(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(run.finished);
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.standardError.startsWith("ConvertToJpg: "), run.standardError.constData());
    QVERIFY2(run.standardError.endsWith('\n') && run.standardError.count('\n') == 1,
             run.standardError.constData());
    QVERIFY(!QFileInfo(outputPath).isFile());
    QCOMPARE(entries(m_dir->path()), before);
    QVERIFY(entries(path(QStringLiteral("folder.arw"))).isEmpty());
    QVERIFY(entries(path(QStringLiteral("locked"))).isEmpty());
}

void TestConvertToJpg::wrongArgumentCount_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("source only") << QStringList{"good.dng"};
    QTest::newRow("one too many") << QStringList{"good.dng", "out.jpg", "extra.jpg"};
}

void TestConvertToJpg::wrongArgumentCount()
{
    QFETCH(QStringList, arguments);
    QVERIFY(LinearDng::write(path(QStringLiteral("good.dng")), 1));

    const Run run = runHelper(arguments, m_dir->path());
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.standardError.startsWith("usage: ") && run.standardError.count('\n') == 1,
             run.standardError.constData());
    QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("good.dng")});
}

void TestConvertToJpg::dashPathsArePaths_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("absolute");
    QTest::newRow("absolute output with dash") << "shot.dng"
                                               << "-out.jpg" << true;
    QTest::newRow("relative dash names") << "-shot.dng"
                                         << "-out.jpg" << false;
    QTest::newRow("output looks like an option") << "--help"
                                                 << "--version" << false;
    QTest::newRow("output is a lone dash") << "shot.dng"
                                           << "-" << false;
}

void TestConvertToJpg::dashPathsArePaths()
{
    QFETCH(QString, source);
    QFETCH(QString, output);
    QFETCH(bool, absolute);
    QVERIFY(LinearDng::write(path(source), 1));
    const QString outputArgument = absolute ? path(output) : output;

    const Run run = runHelper({absolute ? path(source) : source, outputArgument}, m_dir->path());
    QVERIFY(run.finished);
    QCOMPARE(run.standardError, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(Fixtures::identify(path(output)), QStringLiteral("48x32 JPEG"));
}

QTEST_GUILESS_MAIN(TestConvertToJpg)
#include "tst_converttojpg.moc"

#include "lineardng.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
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

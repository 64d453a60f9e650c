#include "batchrecorder.h"

#include "imaging/imgbatchrunner.h"
#include "platform/apppaths.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

// PDF documents to pictures with the real ImageMagick and Ghostscript, through our policy.
class TestImgPdf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pagesBecomePicturesInTheirOwnFolder();
    void pagesAreNumberedInReadingOrder();
    void pagesJoinIntoOneLongPicture();
    void twelveA4PagesJoinAtHighDefinition();
    void unreadableDocumentsFailBeforeTheToolRuns_data();
    void unreadableDocumentsFailBeforeTheToolRuns();
    void aDocumentThatFailsPartWayLeavesNoPages_data();
    void aDocumentThatFailsPartWayLeavesNoPages();

private:
    struct Result
    {
        bool success = false;
        QString path;
        QString reason;
    };
    Result run(const QString& source, ImgFormat format, int definition, bool join);
    // The colour at the centre of a picture.
    static QRgb centre(const QImage& image, int top = 0, int height = -1);

    QTemporaryDir m_work;
    QTemporaryDir m_app;
    QString m_out;
};

void TestImgPdf::initTestCase()
{
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QVERIFY(m_work.isValid() && m_app.isValid());
    QVERIFY(Fixtures::makePdf(m_work.filePath("report.pdf"), 3, 144, 72));
}

void TestImgPdf::init()
{
    QVERIFY(Fixtures::mirrorAppDir(m_app.path()));
    AppPaths::setAppDirForTesting(m_app.path());
    m_out = m_work.filePath(QStringLiteral("out%1").arg(QDateTime::currentMSecsSinceEpoch()));
    QVERIFY(QDir().mkpath(m_out));
}

void TestImgPdf::cleanup()
{
    AppPaths::setAppDirForTesting(QString());
}

TestImgPdf::Result TestImgPdf::run(const QString& source, ImgFormat format, int definition, bool join)
{
    ImgJobParams params;
    params.operation = ImgOperation::PdfToImages;
    params.format = format;
    params.outputDir = m_out;
    QList<ImgJobRecord> records = BatchRecorder::records({source});
    ImgJobRecords::setPdfOptions(records.first(), definition, join);
    ImgBatchRunner runner(params, records, nullptr);
    QSignalSpy done(&runner, &BatchRunner::rowDone);
    QSignalSpy end(&runner, &BatchRunner::batchDone);
    runner.start();
    if (!end.wait(300000) || done.size() != 1)
        return {false, QString(), QStringLiteral("the batch did not end")};
    return {done.first().at(2).toBool(), done.first().at(1).toString(),
            qvariant_cast<JobFailure>(done.first().at(3)).detail};
}

QRgb TestImgPdf::centre(const QImage& image, int top, int height)
{
    return image.pixel(image.width() / 2, top + (height < 0 ? image.height() : height) / 2);
}

void TestImgPdf::pagesBecomePicturesInTheirOwnFolder()
{
    // Twice: the second batch of the same document must leave the first one's pages alone.
    QStringList folders;
    for (int batch = 0; batch < 2; ++batch) {
        const Result result = run(m_work.filePath("report.pdf"), ImgFormat::Jpg, 1, false);
        QVERIFY2(result.success, qPrintable(result.reason));
        const QString folder = QFileInfo(result.path).path();
        QCOMPARE(QFileInfo(result.path).fileName(), QStringLiteral("report-1.jpg"));
        QCOMPARE(QFileInfo(folder).path(), m_out);
        folders << folder;
        // 144x72 points at 150 dpi, white around each page's own colour.
        for (int page = 0; page < 3; ++page) {
            const QImage picture(folder + QStringLiteral("/report-%1.jpg").arg(page + 1));
            QCOMPARE(picture.size(), QSize(300, 150));
            QVERIFY(qRed(picture.pixel(2, 2)) > 240 && qGreen(picture.pixel(2, 2)) > 240);
            const QColor expected(Fixtures::pdfPageColour(page));
            const QColor got(centre(picture));
            QVERIFY2(qAbs(got.red() - expected.red()) < 40 && qAbs(got.green() - expected.green()) < 40 &&
                         qAbs(got.blue() - expected.blue()) < 40,
                     qPrintable(got.name()));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);
    }
    QCOMPARE(folders.at(0), m_out + "/report");
    QVERIFY(folders.at(1) != folders.at(0));
    QCOMPARE(QDir(folders.at(0)).entryList(QDir::Files).size(), 3);
    QVERIFY(QDir(m_out).entryList(QDir::Files).isEmpty());
    // A TIFF keeps the pages together in one file of three pages, in the folder too.
    const Result tiff = run(m_work.filePath("report.pdf"), ImgFormat::Tiff, 2, false);
    QVERIFY2(tiff.success, qPrintable(tiff.reason));
    QString pages;
    QVERIFY(Fixtures::runTool("identify", {"-format", "%wx%h ", tiff.path}, &pages));
    QCOMPARE(pages.trimmed(), QStringLiteral("200x100 200x100 200x100"));
}

void TestImgPdf::pagesAreNumberedInReadingOrder()
{
    // "%d" in a name ImageMagick writes would be a page number: the name stays as it is.
    const QString source = m_work.filePath("50%d off.pdf");
    // Ghostscript numbers "%d" in its output name as well.
    QVERIFY(Fixtures::makePdf(m_work.filePath("nineteen.pdf"), 19, 72, 36));
    QVERIFY(QFile::rename(m_work.filePath("nineteen.pdf"), source));
    const Result result = run(source, ImgFormat::Png, 2, false);
    QVERIFY2(result.success, qPrintable(result.reason));
    QCOMPARE(result.path, m_out + "/50%d off/50%d off-01.png");
    // Sorted by name, as any file manager lists them, the pages come in the document's order.
    const QStringList names = QDir(m_out + "/50%d off").entryList(QDir::Files, QDir::Name);
    QCOMPARE(names.size(), 19);
    for (int page = 0; page < names.size(); ++page) {
        QCOMPARE(names.at(page), QStringLiteral("50%d off-%1.png").arg(page + 1, 2, 10, QLatin1Char('0')));
        const QColor expected(Fixtures::pdfPageColour(page));
        const QColor got(centre(QImage(m_out + "/50%d off/" + names.at(page))));
        QVERIFY2(qAbs(got.red() - expected.red()) < 40 && qAbs(got.green() - expected.green()) < 40 &&
                     qAbs(got.blue() - expected.blue()) < 40,
                 qPrintable(names.at(page) + " " + got.name()));
    }
}

void TestImgPdf::pagesJoinIntoOneLongPicture()
{
    const Result result = run(m_work.filePath("report.pdf"), ImgFormat::Png, 1, true);
    QVERIFY2(result.success, qPrintable(result.reason));
    QCOMPARE(result.path, m_out + "/report.png");
    const QImage joined(result.path);
    QCOMPARE(joined.size(), QSize(300, 450));
    // Top to bottom in page order, on white: no transparency left.
    for (int page = 0; page < 3; ++page)
        QCOMPARE(QColor(centre(joined, page * 150, 150)), QColor(Fixtures::pdfPageColour(page)));
    QCOMPARE(QColor(joined.pixel(1, 1)), QColor(Qt::white));
    QVERIFY(!joined.hasAlphaChannel() || qAlpha(joined.pixel(1, 1)) == 255);
    // Converted again: beside it under the stamped name.
    const Result again = run(m_work.filePath("report.pdf"), ImgFormat::Png, 2, true);
    QVERIFY2(again.success, qPrintable(again.reason));
    QVERIFY(QFileInfo(again.path).fileName().startsWith("report_"));
    QCOMPARE(QImage(again.path).size(), QSize(200, 300));
}

void TestImgPdf::twelveA4PagesJoinAtHighDefinition()
{
    // 12 x 1754 = 21048 pixels high: past Debian's 16384 a side, which only our policy raises.
    const QString a4 = m_work.filePath("a4.pdf");
    QVERIFY(Fixtures::makePdf(a4, 12, 595, 842));
    const Result result = run(a4, ImgFormat::Jpg, 1, true);
    QVERIFY2(result.success, qPrintable(result.reason));
    // Qt reads the size from the header; Debian's own identify refuses a picture this high.
    QImageReader reader(result.path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.size(), QSize(1240, 21048));
}

void TestImgPdf::unreadableDocumentsFailBeforeTheToolRuns_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("definition");
    QTest::addColumn<bool>("join");
    QTest::addColumn<QString>("reason");
    QTest::newRow("zero bytes") << "empty" << 1 << false << "the PDF file is empty (0 bytes)";
    QTest::newRow("not a PDF") << "text" << 1 << false << "the PDF cannot be read: ";
    QTest::newRow("cut short") << "cut" << 1 << true << "the PDF cannot be read: ";
    QTest::newRow("password") << "locked" << 1 << false << "the PDF is password-protected";
    // 30 A4 pages at 220 dpi: 77190 pixels high.
    QTest::newRow("a long picture JPEG cannot hold")
        << "long" << 0 << true
        << "the long picture would be 1818x77190 pixels; JPEG holds at most 65500 a side";
}

void TestImgPdf::unreadableDocumentsFailBeforeTheToolRuns()
{
    QFETCH(QString, kind);
    QFETCH(int, definition);
    QFETCH(bool, join);
    QFETCH(QString, reason);
    const QString source = m_work.filePath(kind + ".pdf");
    if (kind == "locked") {
        QVERIFY(Fixtures::makePdf(source, 2, 144, 72, "secret"));
    } else if (kind == "long") {
        QVERIFY(Fixtures::makePdf(source, 30, 595, 842));
    } else {
        QByteArray bytes;
        if (kind == "text")
            bytes = "hello";
        if (kind == "cut") {
            QVERIFY(Fixtures::makePdf(source, 3));
            QFile whole(source);
            QVERIFY(whole.open(QIODevice::ReadOnly));
            bytes = whole.read(whole.size() / 2);
        }
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    const QString ran = m_work.filePath("magick-ran");
    QFile::remove(ran);
    QFile::remove(m_app.filePath("magick"));
    QVERIFY(Fixtures::writeScript(m_app.filePath("magick"),
                                  QStringLiteral("touch %1\nexec /usr/bin/convert \"$@\"\n").arg(ran)));
    const Result result = run(source, ImgFormat::Jpg, definition, join);
    QVERIFY(!result.success);
    QVERIFY2(result.reason.startsWith(reason), qPrintable(result.reason));
    QVERIFY(!QFileInfo::exists(ran));
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestImgPdf::aDocumentThatFailsPartWayLeavesNoPages_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("reason");
    // What ImageMagick does when its pixel cache runs out after some pages.
    QTest::newRow("error after two pages")
        << "for i in 0 1; do /usr/bin/convert -size 30x15 xc:red \"$(dirname \"$8\")/report-$i.jpg\"; done\n"
           "echo \"convert: cache resources exhausted \\`report.pdf' @ error/cache.c/OpenPixelCache/4083.\" "
           ">&2\n"
           "exit 1\n"
        << "convert: cache resources exhausted";
    QTest::newRow("two of three pages, silently")
        << "for i in 0 1; do /usr/bin/convert -size 30x15 xc:red \"$(dirname \"$8\")/report-$i.jpg\"; done\n"
        << "only 2 of 3 pages were written";
}

void TestImgPdf::aDocumentThatFailsPartWayLeavesNoPages()
{
    QFETCH(QString, script);
    QFETCH(QString, reason);
    QFile::remove(m_app.filePath("magick"));
    // Arguments: -density D source -background white -alpha remove output: the output is $8.
    QVERIFY(Fixtures::writeScript(m_app.filePath("magick"), script));
    const Result result = run(m_work.filePath("report.pdf"), ImgFormat::Jpg, 1, false);
    QVERIFY(!result.success);
    QVERIFY2(result.reason.startsWith(reason), qPrintable(result.reason));
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TestImgPdf)
#include "tst_imgpdf.moc"

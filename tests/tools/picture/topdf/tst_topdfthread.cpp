#include "support/fixtures.h"
#include "tools/picture/topdf/topdfthread.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The PDF writer end to end: pictures painted, the PDF read back with poppler's tools.
class TestToPDFThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void mergedPagesInTableOrder();
    void paperSizesAndOrientation_data();
    void paperSizesAndOrientation();
    void marginAndCentringRule_data();
    void marginAndCentringRule();
    void narrowMarginsLieBetween();
    void phonePhotoIsUpright();
    void onePdfPerPictureNeverReplacesOne();
    void unreadablePicturesAreLeftOutAndNamed_data();
    void unreadablePicturesAreLeftOutAndNamed();
    void nothingReadableIsAFailure();
    void unwritableFolderIsAFailure_data();
    void unwritableFolderIsAFailure();
    void missingOutputFolderIsMade();
    void noPicturesEndsAtOnce();

private:
    struct Run
    {
        QList<int> progress;
        QString path;
        bool success = false;
        QStringList unreadable;
        JobFailure failure;
    };
    Run run(const ToPDFThread::Options& options, const QStringList& pictures);
    ToPDFThread::Options options(int mode, int paper, int orientation, int margins,
                                 const QString& folder) const;
    QString picture(const QString& name, const QString& source, const QString& size);
    // pdfinfo's "Pages:" and the first page's size in points.
    static int pageCount(const QString& pdf);
    static QSizeF pageSize(const QString& pdf);
    // A page rendered at 72 dpi: one pixel per point.
    QImage render(const QString& pdf, int page);
    // The box of the pixels that are not white.
    static QRect inkBox(const QImage& image);

    QTemporaryDir m_dir;
    int m_renders = 0;
};

void TestToPDFThread::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

ToPDFThread::Options TestToPDFThread::options(int mode, int paper, int orientation, int margins,
                                              const QString& folder) const
{
    ToPDFThread::Options options;
    options.outputMode = mode;
    options.paperSize = paper;
    options.orientation = orientation;
    options.margins = margins;
    options.outputFolder = folder;
    return options;
}

QString TestToPDFThread::picture(const QString& name, const QString& source, const QString& size)
{
    const QString path = m_dir.filePath(name);
    return Fixtures::makePicture(path, source, size) ? path : QString();
}

TestToPDFThread::Run TestToPDFThread::run(const ToPDFThread::Options& options, const QStringList& pictures)
{
    ToPDFThread thread(options, pictures);
    Run result;
    // Direct connections: the spy's lists are filled in the worker thread, read after wait().
    QSignalSpy progress(&thread, &ToPDFThread::notifyParentProgress);
    QSignalSpy done(&thread, &ToPDFThread::notifyParentDone);
    QSignalSpy unreadable(&thread, &ToPDFThread::notifyParentUnreadable);
    QSignalSpy failure(&thread, &ToPDFThread::notifyParentFailure);
    thread.start();
    if (!thread.wait(120000))
        qFatal("the PDF run did not end");
    for (const QList<QVariant>& args : qAsConst(progress))
        result.progress << args.at(0).toInt();
    if (done.size() == 1) {
        result.path = done.at(0).at(0).toString();
        result.success = done.at(0).at(1).toBool();
    } else {
        qWarning("done was sent %d times", done.size());
    }
    if (!unreadable.isEmpty())
        result.unreadable = unreadable.at(0).at(0).toStringList();
    if (!failure.isEmpty())
        result.failure = qvariant_cast<JobFailure>(failure.at(0).at(0));
    return result;
}

int TestToPDFThread::pageCount(const QString& pdf)
{
    QString out;
    if (!Fixtures::runTool("pdfinfo", {pdf}, &out))
        return -1;
    const QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(out);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QSizeF TestToPDFThread::pageSize(const QString& pdf)
{
    QString out;
    if (!Fixtures::runTool("pdfinfo", {pdf}, &out))
        return {};
    const QRegularExpressionMatch match =
        QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(out);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

QImage TestToPDFThread::render(const QString& pdf, int page)
{
    const QString prefix = m_dir.filePath(QStringLiteral("render%1").arg(++m_renders));
    const QString number = QString::number(page);
    if (!Fixtures::runTool("pdftoppm",
                           {"-r", "72", "-f", number, "-l", number, "-singlefile", "-png", pdf, prefix}))
        return {};
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

QRect TestToPDFThread::inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qMin(qMin(qRed(line[x]), qGreen(line[x])), qBlue(line[x])) < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

namespace {
bool near(double a, double b, double tolerance = 2.5)
{
    return qAbs(a - b) <= tolerance;
}

QString describe(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRgb centreOf(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

bool isColour(QRgb pixel, int r, int g, int b)
{
    return qAbs(qRed(pixel) - r) < 40 && qAbs(qGreen(pixel) - g) < 40 && qAbs(qBlue(pixel) - b) < 40;
}
} // namespace

void TestToPDFThread::mergedPagesInTableOrder()
{
    const QStringList pictures{picture("a.png", "xc:red", "40x30"), picture("b.jpg", "xc:lime", "40x30"),
                               picture("c.bmp", "xc:blue", "40x30"), picture("d.tif", "xc:yellow", "40x30")};
    const QString out = m_dir.filePath("merged");
    QVERIFY(QDir().mkpath(out));
    const Run result = run(options(ToPDFThread::Merged, QPageSize::A4, 1, ToPDFThread::Wide, out), pictures);
    QVERIFY(result.success);
    QVERIFY(result.unreadable.isEmpty());
    // Named after the first picture, with the day-hour-minute-second stamp.
    QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(out) + "/a_\\d{8}\\.pdf$")
                 .match(result.path)
                 .hasMatch(),
             qPrintable(result.path));
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{QFileInfo(result.path).fileName()});
    QCOMPARE(pageCount(result.path), 4);
    const int colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    for (int page = 0; page < 4; ++page) {
        const QRgb shown = centreOf(render(result.path, page + 1));
        QVERIFY2(isColour(shown, colours[page][0], colours[page][1], colours[page][2]),
                 qPrintable(QStringLiteral("page %1: %2").arg(page + 1).arg(shown, 0, 16)));
    }
    QCOMPARE(result.progress, QList<int>({22, 44, 66, 88}));
}

void TestToPDFThread::paperSizesAndOrientation_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    // Portrait paper in millimetres.
    QTest::addColumn<QSizeF>("millimetres");
    QTest::newRow("A4 landscape") << int(QPageSize::A4) << 1 << QSizeF(210, 297);
    QTest::newRow("A4 portrait") << int(QPageSize::A4) << 0 << QSizeF(210, 297);
    QTest::newRow("A0 portrait") << int(QPageSize::A0) << 0 << QSizeF(841, 1189);
    QTest::newRow("A9 landscape") << int(QPageSize::A9) << 1 << QSizeF(37, 52);
    QTest::newRow("B5 landscape") << int(QPageSize::B5) << 1 << QSizeF(176, 250);
    QTest::newRow("B10 portrait") << int(QPageSize::B10) << 0 << QSizeF(31, 44);
}

void TestToPDFThread::paperSizesAndOrientation()
{
    QFETCH(int, paper);
    QFETCH(int, orientation);
    QFETCH(QSizeF, millimetres);
    const QString pic = picture("paper.png", "gradient:", "30x20");
    const QString out = m_dir.filePath(QStringLiteral("paper%1-%2").arg(paper).arg(orientation));
    QVERIFY(QDir().mkpath(out));
    const Run result = run(options(ToPDFThread::Merged, paper, orientation, ToPDFThread::Narrow, out), {pic});
    QVERIFY(result.success);
    QCOMPARE(pageCount(result.path), 1);
    QSizeF expected = millimetres * 72 / 25.4;
    if (orientation != 0)
        expected.transpose();
    const QSizeF size = pageSize(result.path);
    QVERIFY2(near(size.width(), expected.width(), 1.5) && near(size.height(), expected.height(), 1.5),
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
}

void TestToPDFThread::marginAndCentringRule_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("margins");
    // Where the picture must be on the page, in points from the top left.
    QTest::addColumn<QRectF>("expected");
    // A4 is 595.28 x 841.89 points; wide margins are 100 points.
    QTest::newRow("wide picture, wide margins: printable width, centred up and down")
        << "400x100" << 0 << int(ToPDFThread::Wide) << QRectF(100, 371.5, 395.3, 98.8);
    QTest::newRow("tall picture, wide margins: printable height, centred across")
        << "100x400" << 0 << int(ToPDFThread::Wide) << QRectF(217.4, 100, 160.5, 641.9);
    QTest::newRow("wide picture, no margins")
        << "400x100" << 0 << int(ToPDFThread::NoMargins) << QRectF(0, 346.5, 595.3, 148.8);
    QTest::newRow("tall picture, no margins")
        << "100x400" << 0 << int(ToPDFThread::NoMargins) << QRectF(192.4, 0, 210.5, 841.9);
    QTest::newRow("tiny picture enlarged, landscape")
        << "8x2" << 1 << int(ToPDFThread::NoMargins) << QRectF(0, 192.4, 841.9, 210.5);
    QTest::newRow("tiny tall picture enlarged, landscape, wide margins")
        << "1x3" << 1 << int(ToPDFThread::Wide) << QRectF(355.1, 100, 131.8, 395.3);
}

void TestToPDFThread::marginAndCentringRule()
{
    QFETCH(QString, size);
    QFETCH(int, orientation);
    QFETCH(int, margins);
    QFETCH(QRectF, expected);
    const QString pic = picture("solid" + size + ".png", "xc:red", size);
    const QString out =
        m_dir.filePath(QStringLiteral("margins-%1-%2-%3").arg(size).arg(orientation).arg(margins));
    QVERIFY(QDir().mkpath(out));
    const Run result = run(options(ToPDFThread::Merged, QPageSize::A4, orientation, margins, out), {pic});
    QVERIFY(result.success);
    const QImage page = render(result.path, 1);
    const QRect box = inkBox(page);
    QVERIFY2(near(box.x(), expected.x()) && near(box.y(), expected.y()) &&
                 near(box.width(), expected.width()) && near(box.height(), expected.height()),
             qPrintable(describe(box)));
    QVERIFY(isColour(centreOf(page), 255, 0, 0));
}

void TestToPDFThread::narrowMarginsLieBetween()
{
    const QString pic = picture("narrow.png", "xc:red", "400x100");
    const QString out = m_dir.filePath("narrow");
    QVERIFY(QDir().mkpath(out));
    const Run result = run(options(ToPDFThread::Merged, QPageSize::A4, 0, ToPDFThread::Narrow, out), {pic});
    QVERIFY(result.success);
    const QImage page = render(result.path, 1);
    const QRect box = inkBox(page);
    const int left = box.left();
    const int right = page.width() - 1 - box.right();
    QVERIFY2(left > 0 && left < 100 && near(left, right), qPrintable(describe(box)));
    QVERIFY2(near(box.width(), box.height() * 4.0, 5), qPrintable(describe(box)));
}

void TestToPDFThread::phonePhotoIsUpright()
{
    // Stored 60x30, red left and blue right, declared as turned: a viewer shows it 30x60,
    // red on top.
    const QString photo = m_dir.filePath("phone.jpg");
    QVERIFY(Fixtures::runTool("convert",
                              {"-size", "30x30", "xc:red", "-size", "30x30", "xc:blue", "+append", photo}));
    QVERIFY(Fixtures::runTool("exiftool", {"-q", "-n", "-Orientation=6", "-overwrite_original", photo}));
    const QString out = m_dir.filePath("phone");
    QVERIFY(QDir().mkpath(out));
    const Run result =
        run(options(ToPDFThread::Merged, QPageSize::A4, 0, ToPDFThread::NoMargins, out), {photo});
    QVERIFY(result.success);
    const QImage page = render(result.path, 1);
    const QRect box = inkBox(page);
    // Upright it fits the height: 421 x 842 points, centred across.
    QVERIFY2(near(box.width(), 421, 3) && near(box.height(), 842, 3) && near(box.x(), 87, 3),
             qPrintable(describe(box)));
    QVERIFY(isColour(page.pixel(297, 200), 255, 0, 0));
    QVERIFY(isColour(page.pixel(297, 640), 0, 0, 255));
}

void TestToPDFThread::onePdfPerPictureNeverReplacesOne()
{
    QDir().mkpath(m_dir.filePath("same"));
    const QStringList pictures{picture("x.y.png", "xc:red", "20x20"),
                               picture("same/p.png", "xc:lime", "20x20"),
                               picture("p.jpg", "xc:blue", "20x20")};
    const QString out = m_dir.filePath("single");
    QVERIFY(QDir().mkpath(out));
    const Run result =
        run(options(ToPDFThread::OnePerPicture, QPageSize::A5, 0, ToPDFThread::Wide, out), pictures);
    QVERIFY(result.success);
    QVERIFY2(
        QRegularExpression("^" + QRegularExpression::escape(out) + "/\\d{14}$").match(result.path).hasMatch(),
        qPrintable(result.path));
    QDir sub(result.path);
    QCOMPARE(sub.entryList(QDir::Files, QDir::Name), QStringList({"p.pdf", "p_2.pdf", "x.pdf"}));
    for (const char* name : {"x.pdf", "p.pdf", "p_2.pdf"})
        QCOMPARE(pageCount(sub.filePath(name)), 1);
    // Each picture its own PDF, in table order.
    QVERIFY(isColour(centreOf(render(sub.filePath("p.pdf"), 1)), 0, 255, 0));
    QVERIFY(isColour(centreOf(render(sub.filePath("p_2.pdf"), 1)), 0, 0, 255));
    QCOMPARE(result.progress, QList<int>({30, 60, 90}));
    // A second run in the same second gets a folder of its own.
    const Run again = run(options(ToPDFThread::OnePerPicture, QPageSize::A5, 0, ToPDFThread::Wide, out),
                          {pictures.first()});
    QVERIFY(again.success);
    QVERIFY(again.path != result.path);
    QCOMPARE(sub.entryList(QDir::Files).size(), 3);
}

void TestToPDFThread::unreadablePicturesAreLeftOutAndNamed_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("merged") << int(ToPDFThread::Merged);
    QTest::newRow("one per picture") << int(ToPDFThread::OnePerPicture);
}

void TestToPDFThread::unreadablePicturesAreLeftOutAndNamed()
{
    QFETCH(int, mode);
    const QString fake = m_dir.filePath("fake.png");
    QFile file(fake);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    const QString good = picture("good.png", "xc:red", "20x20");
    // Listed, then gone before the run reached it.
    const QString gone = m_dir.filePath("gone.png");
    const QString out = m_dir.filePath(QStringLiteral("unreadable%1").arg(mode));
    QVERIFY(QDir().mkpath(out));
    const QString blue = picture("blue.png", "xc:blue", "20x20");
    const Run result = run(options(mode, QPageSize::A6, 0, ToPDFThread::Wide, out), {fake, good, gone, blue});
    QVERIFY(result.success);
    QVERIFY(!result.failure.isFailure());
    QCOMPARE(result.unreadable, QStringList({fake, gone}));
    if (mode == ToPDFThread::Merged) {
        // No empty page where a picture could not be read, and named after a picture it holds.
        QVERIFY2(QFileInfo(result.path).fileName().startsWith("good_"), qPrintable(result.path));
        QCOMPARE(pageCount(result.path), 2);
        QVERIFY(isColour(centreOf(render(result.path, 1)), 255, 0, 0));
        QVERIFY(isColour(centreOf(render(result.path, 2)), 0, 0, 255));
    } else {
        QCOMPARE(QDir(result.path).entryList(QDir::Files, QDir::Name), QStringList({"blue.pdf", "good.pdf"}));
    }
}

void TestToPDFThread::nothingReadableIsAFailure()
{
    const QString fake = m_dir.filePath("only.png");
    QFile file(fake);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("words");
    file.close();
    const QString out = m_dir.filePath("nothing");
    QVERIFY(QDir().mkpath(out));
    for (int mode : {int(ToPDFThread::Merged), int(ToPDFThread::OnePerPicture)}) {
        const Run result = run(options(mode, QPageSize::A4, 1, ToPDFThread::Wide, out), {fake});
        QVERIFY(!result.success);
        QCOMPARE(result.failure.kind, FailureKind::SourceUnreadable);
        QCOMPARE(result.unreadable, QStringList{fake});
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }
}

void TestToPDFThread::unwritableFolderIsAFailure_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("merged") << int(ToPDFThread::Merged);
    QTest::newRow("one per picture") << int(ToPDFThread::OnePerPicture);
}

void TestToPDFThread::unwritableFolderIsAFailure()
{
    QFETCH(int, mode);
    // A folder below a plain file can never be made, even by root.
    const QString blocker = m_dir.filePath("blocker.txt");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString pic = picture("fine.png", "xc:red", "20x20");
    const Run result = run(options(mode, QPageSize::A4, 1, ToPDFThread::Wide, blocker + "/out"), {pic});
    QVERIFY(!result.success);
    QCOMPARE(result.failure.kind, FailureKind::OutputNotWritable);
    // Nothing to show: no result path.
    QVERIFY(result.path.isEmpty());
    QVERIFY(!QFileInfo::exists(blocker + "/out"));

    const QString locked = m_dir.filePath(QStringLiteral("locked%1").arg(mode));
    QVERIFY(QDir().mkpath(locked));
    if (!Fixtures::setFolderReadOnly(locked, true))
        QSKIP("this file system cannot make a folder read-only");
    const Run readOnly = run(options(mode, QPageSize::A4, 1, ToPDFThread::Wide, locked), {pic});
    Fixtures::setFolderReadOnly(locked, false);
    QVERIFY(!readOnly.success);
    QCOMPARE(readOnly.failure.kind, FailureKind::OutputNotWritable);
    QVERIFY(readOnly.path.isEmpty());
    QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void TestToPDFThread::missingOutputFolderIsMade()
{
    const QString pic = picture("first.png", "xc:red", "20x20");
    const QString out = m_dir.filePath("not/yet/there");
    const Run result = run(options(ToPDFThread::Merged, QPageSize::A4, 1, ToPDFThread::Wide, out), {pic});
    QVERIFY(result.success);
    QCOMPARE(QFileInfo(result.path).absolutePath(), out);
    QCOMPARE(pageCount(result.path), 1);
}

void TestToPDFThread::noPicturesEndsAtOnce()
{
    const Run result =
        run(options(ToPDFThread::Merged, QPageSize::A4, 1, ToPDFThread::Wide, m_dir.path()), {});
    QVERIFY(!result.success);
    QVERIFY(result.progress.isEmpty());
}

QTEST_MAIN(TestToPDFThread)
#include "tst_topdfthread.moc"

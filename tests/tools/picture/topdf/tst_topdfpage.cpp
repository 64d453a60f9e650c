#include "app/tooltable.h"
#include "framework/exportfilewt.h"
#include "support/fixtures.h"
#include "tools/picture/topdf/centerprogresswt.h"
#include "tools/picture/topdf/topdfcenterwt.h"
#include "tools/picture/topdf/topdfmainwt.h"
#include "tools/picture/topdf/topdfparamwt.h"
#include "tools/picture/topdf/topdftable.h"
#include "widgets/mycombobox.h"
#include "widgets/mydialog.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// The images-to-PDF page as a user drives it.
class TestToPDFPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void theToolboxEntryBuildsThePage();
    void rowsShowNameSizeAndFormat();
    void otherTypesAndTheirFoldersAddNothing();
    void deletingRenumbersAndTheLastBringsBackTheDropZone();
    void optionDefaultsAndValues();
    void startRefusals();
    void aRunShowsItsProgressAndOffersTheResult();
    void aFailedRunSaysSoOnTheShade();
    void skippedPicturesAreNamedOnTheShade();
    void progressDisplayRules();

private:
    QString file(const QString& name, int bytes);
    QString picture(const QString& name);
    QStringList notices() const;
    QPushButton* deleteButton(int row) const;
    CenterProgressWT* overlay() const { return m_page->table()->progressWT(); }
    void runToEnd();
    // As a drop: the list is shown.
    void add(const QStringList& paths);

    QTemporaryDir m_dir;
    ToPDFMainWT* m_page = nullptr;
};

void TestToPDFPage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // No file manager to answer: the reveal falls back to opening the folder, which is recorded.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
}

void TestToPDFPage::init()
{
    m_page = new ToPDFMainWT(nullptr);
    m_page->resize(1400, 700);
    m_page->centerWidget()->param()->exportFile()->setText(m_dir.filePath("out"));
    m_page->show();
}

void TestToPDFPage::cleanup()
{
    delete m_page;
}

QString TestToPDFPage::file(const QString& name, int bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray(bytes, 'x'));
    return path;
}

QString TestToPDFPage::picture(const QString& name)
{
    const QString path = m_dir.filePath(name);
    return Fixtures::makePicture(path, "xc:red", "30x20") ? path : QString();
}

QStringList TestToPDFPage::notices() const
{
    QStringList texts;
    for (const MyDialog* dialog : m_page->findChildren<MyDialog*>())
        texts << dialog->message();
    return texts;
}

QPushButton* TestToPDFPage::deleteButton(int row) const
{
    return m_page->table()->cellWidget(row, 4)->findChild<QPushButton*>("delBtn");
}

void TestToPDFPage::runToEnd()
{
    m_page->toPDF();
    QVERIFY(m_page->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);
}

void TestToPDFPage::add(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    m_page->onDragAndDrop(urls);
}

void TestToPDFPage::theToolboxEntryBuildsThePage()
{
    const ToolTable table = ToolTable::standard();
    QVERIFY(table.offStripPages().contains(ToolTable::ImgToPdf));
    QScopedPointer<QWidget> page(table.entries.at(ToolTable::ImgToPdf).page(nullptr));
    QVERIFY(qobject_cast<ToPDFMainWT*>(page.data()));
}

void TestToPDFPage::rowsShowNameSizeAndFormat()
{
    ToPDFTable* table = m_page->table();
    QVERIFY(m_page->centerWidget()->isDropZoneShown());
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->horizontalHeaderItem(column)->text();
    QCOMPARE(headers, QStringList({"编号", "文件名", "文件大小", "文件格式", "操作"}));
    const QString a = file("a.png", 2048 + 1000);
    const QString b = file("B.TIFF", 1023);
    m_page->onDragAndDrop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(a)});
    QVERIFY(!m_page->centerWidget()->isDropZoneShown());
    QVERIFY(table->isVisible());
    // No duplicate check: the same picture twice is two pages.
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(0, 0)->text(), "1");
    QCOMPARE(table->item(2, 0)->text(), "3");
    QCOMPARE(table->picturePath(1), b);
    QCOMPARE(table->item(0, 1)->text(), "a.png");
    QCOMPARE(table->item(0, 1)->toolTip(), "a.png");
    QCOMPARE(table->item(0, 2)->text(), "2 KB");
    QCOMPARE(table->item(1, 2)->text(), "0 KB");
    QCOMPARE(table->item(0, 3)->text(), "PNG");
    QCOMPARE(table->item(1, 3)->text(), "TIFF");
    QVERIFY(deleteButton(2));
    QCOMPARE(table->verticalHeader()->defaultSectionSize(), 50);
    QCOMPARE(table->width(), 1000);
}

void TestToPDFPage::otherTypesAndTheirFoldersAddNothing()
{
    QDir().mkpath(m_dir.filePath("gifs"));
    file("gifs/x.gif", 10);
    file("gifs/y.webp", 10);
    QCOMPARE(m_page->addPaths({file("z.gif", 10), file("w.jpeg.gif", 10)}), 0);
    m_page->addFolder(m_dir.filePath("gifs"));
    QCOMPARE(m_page->table()->rowCount(), 0);
    QVERIFY(m_page->centerWidget()->isDropZoneShown());
    // A folder drop takes what is directly inside it.
    file("gifs/z.JPG", 10);
    m_page->onDragAndDrop({QUrl::fromLocalFile(m_dir.filePath("gifs"))});
    QCOMPARE(m_page->table()->rowCount(), 1);
    QCOMPARE(m_page->table()->item(0, 3)->text(), "JPG");
}

void TestToPDFPage::deletingRenumbersAndTheLastBringsBackTheDropZone()
{
    m_page->onDragAndDrop({QUrl::fromLocalFile(file("1.jpg", 1)), QUrl::fromLocalFile(file("2.jpg", 1)),
                           QUrl::fromLocalFile(file("3.jpg", 1))});
    ToPDFTable* table = m_page->table();
    QTest::mouseClick(deleteButton(0), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 1)->text(), "2.jpg");
    QCOMPARE(table->item(0, 0)->text(), "1");
    QCOMPARE(table->item(1, 0)->text(), "2");
    QTest::mouseClick(deleteButton(1), Qt::LeftButton);
    QTest::mouseClick(deleteButton(0), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(m_page->centerWidget()->isDropZoneShown());

    // While a run goes on, rows stay; clearing is not blocked.
    m_page->addPaths({picture("busy1.png"), picture("busy2.png")});
    m_page->toPDF();
    QVERIFY(m_page->isBusy());
    QTest::mouseClick(deleteButton(0), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(notices(), QStringList{"请等待程序执行完成！"});
    m_page->clearTable();
    QCOMPARE(table->rowCount(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);
}

void TestToPDFPage::optionDefaultsAndValues()
{
    ToPDFParamWT* param = m_page->centerWidget()->param();
    const ToPDFThread::Options defaults = param->options();
    QCOMPARE(defaults.outputMode, int(ToPDFThread::Merged));
    QCOMPARE(defaults.paperSize, int(QPageSize::A4));
    QCOMPARE(defaults.orientation, 1);
    QCOMPARE(defaults.margins, int(ToPDFThread::Wide));
    QCOMPARE(param->paperCombo()->currentText(), "A4");
    QCOMPARE(param->orientationCombo()->currentText(), "横向");
    QStringList papers;
    for (int i = 0; i < param->paperCombo()->count(); ++i)
        papers << param->paperCombo()->itemText(i);
    QCOMPARE(papers, QStringList({"A0", "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9", "B0",
                                  "B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B10"}));
    param->modeCombo()->setCurrentIndex(1);
    param->paperCombo()->setCurrentText("B10");
    param->orientationCombo()->setCurrentIndex(1);
    param->marginsCombo()->setCurrentIndex(2);
    const ToPDFThread::Options chosen = param->options();
    QCOMPARE(chosen.outputMode, int(ToPDFThread::OnePerPicture));
    QCOMPARE(chosen.paperSize, int(QPageSize::B10));
    QCOMPARE(chosen.orientation, 0);
    QCOMPARE(chosen.margins, int(ToPDFThread::NoMargins));
    QCOMPARE(chosen.outputFolder, m_dir.filePath("out"));
}

void TestToPDFPage::startRefusals()
{
    m_page->toPDF();
    QCOMPARE(notices(), QStringList{"请添加要转换的文件！"});
    // Every listed picture deleted from disk: refused, not a run without pictures.
    const QString a = file("gone1.png", 1);
    const QString b = file("gone2.png", 1);
    m_page->addPaths({a, b});
    QFile::remove(a);
    QFile::remove(b);
    m_page->toPDF();
    QCOMPARE(notices(), QStringList({"请添加要转换的文件！", "列表中的图片都已不存在！"}));
    QVERIFY(!m_page->isBusy());
    QVERIFY(!overlay()->isVisible());
    // A second start while one runs is its stop.
    m_page->addPaths({picture("running.png")});
    m_page->toPDF();
    m_page->toPDF();
    QCOMPARE(notices().size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);
}

void TestToPDFPage::aRunShowsItsProgressAndOffersTheResult()
{
    const QString gone = file("gone.png", 1);
    add({picture("a.png"), gone, picture("b.jpg"), picture("c.bmp")});
    QFile::remove(gone);
    m_page->toPDF();
    QVERIFY(overlay()->isVisible());
    QCOMPARE(overlay()->geometry(), m_page->table()->rect());
    QCOMPARE(overlay()->label()->text(), "0%");
    QVERIFY(!overlay()->closeButton()->isVisible() && !overlay()->resultButton()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);

    // The picture that went away is named, not silently dropped.
    QCOMPARE(overlay()->label()->text(), "1 张图片无法读取");
    QVERIFY(overlay()->note()->text().contains("gone.png"));
    QCOMPARE(overlay()->bar()->value(), 100);
    QVERIFY(overlay()->closeButton()->isVisible() && overlay()->resultButton()->isVisible());
    const QString pdf = overlay()->resultPath();
    QVERIFY2(QRegularExpression("/out/a_\\d{8}\\.pdf$").match(pdf).hasMatch(), qPrintable(pdf));
    QString info;
    QVERIFY(Fixtures::runTool("pdfinfo", {pdf}, &info));
    QVERIFY2(QRegularExpression("Pages:\\s+3\\n").match(info).hasMatch(), qPrintable(info));

    // The shade over the list: (105, 110, 114) at alpha 160 over white.
    const QImage shot = m_page->table()->grab().toImage();
    const QColor shaded = shot.pixelColor(20, shot.height() - 20);
    QVERIFY2(qAbs(shaded.red() - 161) <= 3 && qAbs(shaded.green() - 164) <= 3 &&
                 qAbs(shaded.blue() - 166) <= 3,
             qPrintable(shaded.name()));

    // The result: the PDF opened, and shown in its folder.
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    QTest::mouseClick(overlay()->resultButton(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(recorder.opened,
             QList<QUrl>({QUrl::fromLocalFile(pdf), QUrl::fromLocalFile(m_dir.filePath("out"))}));
    QTest::mouseClick(overlay()->closeButton(), Qt::LeftButton);
    QVERIFY(!overlay()->isVisible());
    QCOMPARE(m_page->table()->rowCount(), 4);
}

void TestToPDFPage::aFailedRunSaysSoOnTheShade()
{
    file("blocker", 1);
    m_page->centerWidget()->param()->exportFile()->setText(m_dir.filePath("blocker/out"));
    add({picture("fails.png")});
    runToEnd();
    QVERIFY(overlay()->label()->isVisible());
    QCOMPARE(overlay()->label()->text(), "转换失败！");
    // Why, below it: our sentence first.
    QVERIFY(overlay()->note()->isVisible());
    QCOMPARE(overlay()->note()->text().split('\n').first(),
             JobFailure::sentence(FailureKind::OutputNotWritable));
    QVERIFY(overlay()->closeButton()->isVisible());
    QVERIFY(!overlay()->resultButton()->isVisible());
    QVERIFY(overlay()->bar()->value() < 100);
}

void TestToPDFPage::skippedPicturesAreNamedOnTheShade()
{
    const QString vanished = picture("vanished.png");
    add({file("junk.png", 100), picture("fine.png"), vanished});
    // Removed after it was listed, before the start.
    QVERIFY(QFile::remove(vanished));
    runToEnd();
    QCOMPARE(overlay()->label()->text(), "2 张图片无法读取");
    QVERIFY(overlay()->label()->isVisible() && overlay()->resultButton()->isVisible());
    QVERIFY(overlay()->note()->isVisible());
    QVERIFY2(overlay()->note()->text().contains("junk.png、vanished.png"),
             qPrintable(overlay()->note()->text()));
    QVERIFY(!overlay()->note()->text().contains("fine.png"));
    // A run with nothing left out has no note.
    m_page->clearTable();
    add({picture("again.png")});
    runToEnd();
    QVERIFY(!overlay()->note()->isVisible());
}

void TestToPDFPage::progressDisplayRules()
{
    m_page->addPaths({file("p.png", 1)});
    m_page->table()->showProgress();
    m_page->setProgress(30);
    QCOMPARE(overlay()->label()->text(), "30%");
    QCOMPARE(overlay()->bar()->value(), 30);
    m_page->setProgress(60);
    QCOMPARE(overlay()->label()->text(), "60%");
    m_page->done(m_dir.filePath("out/p.pdf"), true);
    QCOMPARE(overlay()->bar()->value(), 100);
    QCOMPARE(overlay()->resultPath(), m_dir.filePath("out/p.pdf"));
    // Shown again for the next run: reset.
    m_page->table()->showProgress();
    QCOMPARE(overlay()->label()->text(), "0%");
    QVERIFY(overlay()->resultPath().isEmpty());
    QVERIFY(!overlay()->resultButton()->isVisible());
}

QTEST_MAIN(TestToPDFPage)
#include "tst_topdfpage.moc"

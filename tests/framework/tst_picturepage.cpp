#include "framework/centershowforcenterwt.h"
#include "framework/centershowwt.h"
#include "framework/convertparamwt.h"
#include "framework/exportfilewt.h"
#include "framework/mytable.h"
#include "tools/picture/chformat/chfcenterwt.h"
#include "tools/picture/chformat/chfmainwt.h"
#include "tools/picture/chformat/chfparamwt.h"
#include "tools/picture/heictoimg/heictoimgmainwt.h"
#include "widgets/mycombobox.h"
#include "widgets/mydialog.h"
#include "widgets/mylineedit.h"
#include "widgets/submitbtn.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The shared picture page, driven through the format conversion page.
class TestPicturePage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dropZoneGivesWayToTheTable();
    void rowCellsAndSizes();
    void duplicatesAndUpperCaseSuffixesAreAdded();
    void deletingRenumbersAndTheLastBringsBackTheDropZone();
    void busyStartStopsAndDeleteIsRefused();
    void emptyListNotice();
    void missingFilesAreMarkedAndTheEmptyBatchEnds();
    void reportsOfAClearedBatchNeverReachNewRows();
    void dropOfAFolderWithOnlySuffixlessFiles();
    void sizeChoiceShowsAndClearsTheFields();
    void keyboardDeleteAndTab();
    void sizeEditsHoldOnlyZeroToTenThousand_data();
    void sizeEditsHoldOnlyZeroToTenThousand();
    void openFolderForms();
    void compressionFormShowsTheResultSize();
    void rowsOutOfViewKeepTheirStateUntilShown();
    void clickingTheDropZoneAsksForFiles();

private:
    QString file(const QString& name, int bytes);
    QStringList notices() const;
    QPushButton* rowButton(int row, const char* name) const;

    QTemporaryDir m_dir;
    CHFMainWT* m_page = nullptr;
};

void TestPicturePage::init()
{
    QVERIFY(m_dir.isValid());
    m_page = new CHFMainWT(nullptr);
    m_page->resize(1400, 700);
    m_page->show();
}

void TestPicturePage::cleanup()
{
    delete m_page;
}

QString TestPicturePage::file(const QString& name, int bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray(bytes, 'x'));
    return path;
}

QStringList TestPicturePage::notices() const
{
    QStringList texts;
    for (const MyDialog* dialog : m_page->findChildren<MyDialog*>())
        texts << dialog->message();
    return texts;
}

QPushButton* TestPicturePage::rowButton(int row, const char* name) const
{
    return m_page->table()->cellWidget(row, 4)->findChild<QPushButton*>(name);
}

void TestPicturePage::dropZoneGivesWayToTheTable()
{
    QVERIFY(m_page->center()->isDropZoneShown());
    QVERIFY(!m_page->table()->isVisible());
    m_page->onDragAndDrop({QUrl::fromLocalFile(file("a.jpg", 10))});
    QVERIFY(!m_page->center()->isDropZoneShown());
    QVERIFY(m_page->table()->isVisible());
    m_page->clearTable();
    QVERIFY(m_page->center()->isDropZoneShown());
    QCOMPARE(m_page->table()->rowCount(), 0);
}

void TestPicturePage::rowCellsAndSizes()
{
    m_page->addPaths({file("small.png", 1023), file("one.png", 1024), file("big.bmp", 5000)});
    MyTable* table = m_page->table();
    QCOMPARE(table->columnCount(), 5);
    QCOMPARE(table->horizontalHeaderItem(3)->text(), QStringLiteral("状态"));
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("small.png"));
    QCOMPARE(table->item(0, 1)->toolTip(), QStringLiteral("small.png"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("0 KB"));
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("1 KB"));
    QCOMPARE(table->item(2, 2)->text(), QStringLiteral("4 KB"));
    QCOMPARE(table->sourcePath(2), m_dir.filePath("big.bmp"));
    QCOMPARE(table->progress(0), 0);
    QVERIFY(rowButton(0, "openDirBtn"));
    QVERIFY(rowButton(0, "delBtn"));
    // A completed row keeps its bar; a failed one shows the text instead.
    table->completeRow(1, m_dir.filePath("one.jpg"), true);
    QCOMPARE(table->exportPath(1), m_dir.filePath("one.jpg"));
    QVERIFY(table->rowWarning(1).isEmpty());
    table->completeRow(2, m_dir.filePath("big.jpg"), false);
    QCOMPARE(table->rowWarning(2), QStringLiteral("转换失败！"));
}

void TestPicturePage::duplicatesAndUpperCaseSuffixesAreAdded()
{
    const QString upper = file("SHOT.JPG", 10);
    m_page->onDragAndDrop(
        {QUrl::fromLocalFile(upper), QUrl::fromLocalFile(upper), QUrl::fromLocalFile(file("n.txt", 1))});
    QCOMPARE(m_page->table()->rowCount(), 2);
}

void TestPicturePage::deletingRenumbersAndTheLastBringsBackTheDropZone()
{
    m_page->onDragAndDrop({QUrl::fromLocalFile(file("a.jpg", 1)), QUrl::fromLocalFile(file("b.jpg", 1)),
                           QUrl::fromLocalFile(file("c.jpg", 1))});
    QTest::mouseClick(rowButton(1, "delBtn"), Qt::LeftButton);
    MyTable* table = m_page->table();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("a.jpg"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("c.jpg"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("2"));
    QTest::mouseClick(rowButton(0, "delBtn"), Qt::LeftButton);
    QTest::mouseClick(rowButton(0, "delBtn"), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(m_page->center()->isDropZoneShown());
}

void TestPicturePage::busyStartStopsAndDeleteIsRefused()
{
    // The jobs' reports wait for this thread, so the batch stays busy until events run.
    m_page->addPaths({file("a.jpg", 10), file("b.jpg", 10)});
    m_page->centerWidget()->param()->exportFile()->setText(m_dir.filePath("out"));
    QPushButton* start = m_page->centerWidget()->param()->submitButton();
    const QString startText = start->text();
    m_page->chFormat();
    QVERIFY(m_page->isBusy());
    QCOMPARE(start->text(), QStringLiteral("停止"));
    QTest::mouseClick(rowButton(0, "delBtn"), Qt::LeftButton);
    QCOMPARE(m_page->table()->rowCount(), 2);
    QCOMPARE(notices(), QStringList({"请等待程序执行完成！"}));
    // The start button is the stop now: no notice, the batch ends and no row is red.
    m_page->chFormat();
    QVERIFY(m_page->isStopping());
    QCOMPARE(notices().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 10000);
    QCOMPARE(start->text(), startText);
    for (int row = 0; row < 2; ++row) {
        QVERIFY(m_page->table()->rowWarning(row).isEmpty());
        QCOMPARE(m_page->table()->progress(row), 0);
    }
}

void TestPicturePage::emptyListNotice()
{
    m_page->chFormat();
    QCOMPARE(notices(), QStringList({"请添加要转换的文件！"}));
    QVERIFY(!m_page->isBusy());
}

void TestPicturePage::missingFilesAreMarkedAndTheEmptyBatchEnds()
{
    const QString a = file("gone1.jpg", 1);
    const QString b = file("gone2.png", 1);
    m_page->addPaths({a, b});
    QFile::remove(a);
    QFile::remove(b);
    m_page->chFormat();
    QCOMPARE(m_page->table()->rowWarning(0), QStringLiteral("原文件不存在！"));
    QCOMPARE(m_page->table()->rowWarning(1), QStringLiteral("原文件不存在！"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 10000);
}

void TestPicturePage::reportsOfAClearedBatchNeverReachNewRows()
{
    m_page->addPaths({file("old.jpg", 10)});
    m_page->centerWidget()->param()->exportFile()->setText(m_dir.filePath("out"));
    m_page->chFormat();
    QVERIFY(m_page->isBusy());
    m_page->clearTable();
    m_page->addPaths({file("new.jpg", 10)});
    // Late reports of the cleared batch, for the index the new row now has.
    m_page->setProgress(57, 0);
    m_page->done(m_dir.filePath("out/old.jpg"), 0, false);
    QCOMPARE(m_page->table()->progress(0), 0);
    QVERIFY(m_page->table()->exportPath(0).isEmpty());
    QVERIFY(m_page->table()->rowWarning(0).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);
    QCOMPARE(m_page->table()->progress(0), 0);
    QVERIFY(m_page->table()->exportPath(0).isEmpty());
    // The next batch reports to its rows again.
    m_page->setProgress(40, 0);
    QCOMPARE(m_page->table()->progress(0), 40);
}

void TestPicturePage::dropOfAFolderWithOnlySuffixlessFiles()
{
    QTemporaryDir folder;
    QFile f(folder.filePath("README"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    m_page->onDragAndDrop({QUrl::fromLocalFile(folder.path())});
    QVERIFY(!m_page->center()->isDropZoneShown());
    QCOMPARE(m_page->table()->rowCount(), 0);
    // Through the folder button the same folder leaves the drop zone in place.
    m_page->clearTable();
    m_page->addFolder(folder.path());
    QVERIFY(m_page->center()->isDropZoneShown());
}

void TestPicturePage::sizeEditsHoldOnlyZeroToTenThousand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("value");
    QTest::newRow("in range") << "800"
                              << "800" << 800;
    QTest::newRow("the top") << "10000"
                             << "10000" << 10000;
    QTest::newRow("one digit too many") << "99999"
                                        << "9999" << 9999;
    QTest::newRow("past the top") << "10001"
                                  << "1000" << 1000;
    QTest::newRow("letters and signs") << "-12a"
                                       << "12" << 12;
    QTest::newRow("zero is as good as empty") << "0"
                                              << "0" << -1;
}

void TestPicturePage::sizeEditsHoldOnlyZeroToTenThousand()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, value);
    ConvertParamWT* param = m_page->centerWidget()->param();
    param->sizeCombo()->setCurrentIndex(1);
    for (MyLineEdit* edit : {param->widthEdit(), param->heightEdit()}) {
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }
    QCOMPARE(param->widthValue(), value);
    QCOMPARE(param->jobParams(ImgOperation::Conversion).height, value);
}

void TestPicturePage::keyboardDeleteAndTab()
{
    m_page->addPaths({file("k1.jpg", 1), file("k2.jpg", 1), file("k3.jpg", 1)});
    m_page->center()->showTable();
    m_page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_page->window()));
    MyTable* table = m_page->table();
    // Icon-only buttons say what they do; none of them takes the keyboard focus.
    for (const char* name : {"openDirBtn", "delBtn"}) {
        QPushButton* button = rowButton(0, name);
        QVERIFY(!button->toolTip().isEmpty());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    table->selectRow(1);
    QTest::keyClick(m_page->centerWidget()->param()->exportFile(), Qt::Key_Delete);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("k3.jpg"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("2"));
    // Refused while a batch runs, as the row button is.
    m_page->centerWidget()->param()->exportFile()->setText(m_dir.filePath("out"));
    m_page->chFormat();
    QVERIFY(m_page->isBusy());
    table->selectRow(0);
    QTest::keyClick(m_page->centerWidget()->param()->exportFile(), Qt::Key_Delete);
    QCOMPARE(table->rowCount(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);
    // The folder box shows the end of a long path, the whole of it on hover.
    const QString longPath = "/home/someone/a/very/long/path/that/goes/on/and/on/结果";
    m_page->centerWidget()->param()->exportFile()->setText(longPath);
    QLineEdit* box = m_page->centerWidget()->param()->exportFile()->findChild<QLineEdit*>();
    QCOMPARE(box->cursorPosition(), longPath.size());
    QCOMPARE(box->toolTip(), longPath);
}

void TestPicturePage::sizeChoiceShowsAndClearsTheFields()
{
    ConvertParamWT* param = m_page->centerWidget()->param();
    QVERIFY(!param->widthEdit()->isVisible());
    QCOMPARE(param->widthValue(), -1);
    param->sizeCombo()->setCurrentIndex(1);
    QVERIFY(param->widthEdit()->isVisible());
    param->widthEdit()->setText("800");
    param->heightEdit()->setText("600");
    QCOMPARE(param->jobParams(ImgOperation::Conversion).width, 800);
    param->sizeCombo()->setCurrentIndex(0);
    QVERIFY(!param->widthEdit()->isVisible());
    const ImgJobParams params = param->jobParams(ImgOperation::Conversion);
    QCOMPARE(params.width, -1);
    QCOMPARE(params.height, -1);
}

// Records what the desktop services were asked to open instead of starting a file manager.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

void TestPicturePage::openFolderForms()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    // Output-folder form: the chooser's folder, whatever the row.
    m_page->addPaths({file("a.jpg", 1)});
    m_page->centerWidget()->param()->exportFile()->setText(m_dir.filePath("chosen"));
    QTest::mouseClick(rowButton(0, "openDirBtn"), Qt::LeftButton);
    QCOMPARE(recorder.opened, QList<QUrl>({QUrl::fromLocalFile(m_dir.filePath("chosen"))}));
    // Containing-folder form: nothing until the row completes, then the result's folder.
    HeicToImgMainWT heic(nullptr);
    heic.show();
    heic.addPaths({file("b.heic", 1)});
    recorder.opened.clear();
    QPushButton* open = heic.table()->cellWidget(0, 4)->findChild<QPushButton*>("openDirBtn");
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(recorder.opened.isEmpty());
    heic.done(m_dir.filePath("result/b.jpg"), 0, true);
    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(recorder.opened, QList<QUrl>({QUrl::fromLocalFile(m_dir.filePath("result"))}));
    QDesktopServices::unsetUrlHandler("file");
}

void TestPicturePage::compressionFormShowsTheResultSize()
{
    MyTable table(0, 5, nullptr);
    table.setForm(MyTable::Form::Compression);
    QCOMPARE(table.columnCount(), 6);
    QCOMPARE(table.horizontalHeaderItem(3)->text(), QStringLiteral("压缩后大小"));
    table.addFileRows({file("big.png", 4096), file("bad.png", 10)}, 7);
    QCOMPARE(table.keyOf(1), 8ull);
    QCOMPARE(table.rowOfKey(7), 0);
    QVERIFY(!table.item(0, 3));
    table.completeRow(0, file("big-small.png", 2100), true);
    QCOMPARE(table.item(0, 3)->text(), QStringLiteral("2 KB"));
    QVERIFY(table.cellWidget(0, 5)->findChild<QPushButton*>("openDirBtn"));
    table.completeRow(1, m_dir.filePath("never-written.png"), false,
                      {FailureKind::SourceUnreadable, "convert: improper image header"});
    QVERIFY(!table.item(1, 3));
    QCOMPARE(table.rowWarning(1), QStringLiteral("转换失败！"));
    // Why, in a sentence of ours over the tool's own line; the failure is drawn in red.
    auto* warning = table.cellWidget(1, 4)->findChild<QLabel*>("rowWarning");
    QCOMPARE(warning->toolTip().split('\n'), QStringList({JobFailure::sentence(FailureKind::SourceUnreadable),
                                                          "convert: improper image header"}));
    QVERIFY(warning->styleSheet().contains("#D93A3A"));
    table.removeFileRow(0);
    QCOMPARE(table.rowOfKey(8), 0);
    QCOMPARE(table.rowOfKey(7), -1);
    QCOMPARE(table.item(0, 0)->text(), QStringLiteral("1"));
}

void TestPicturePage::rowsOutOfViewKeepTheirStateUntilShown()
{
    QStringList paths;
    for (int i = 0; i < 300; ++i)
        paths << file(QStringLiteral("many%1.jpg").arg(i), 1);
    m_page->addPaths(paths);
    m_page->center()->showTable();
    MyTable* table = m_page->table();
    QTRY_VERIFY(table->isVisible());
    QVERIFY(table->cellWidget(0, 3));
    // A row far below the view has no cells yet; its reports are kept all the same.
    QVERIFY(!table->cellWidget(290, 3));
    table->setRowProgress(290, 64);
    table->completeRow(291, m_dir.filePath("out/x.jpg"), false,
                       {FailureKind::ToolCrashed, "magick: crashed"});
    QCOMPARE(table->progress(290), 64);
    QCOMPARE(table->rowWarning(291), QStringLiteral("转换失败！"));
    table->scrollToBottom();
    QVERIFY(table->cellWidget(290, 3));
    QCOMPARE(table->cellWidget(290, 3)->findChild<QProgressBar*>("progressBar")->value(), 64);
    auto* warning = table->cellWidget(291, 3)->findChild<QLabel*>("rowWarning");
    QVERIFY(!warning->isHidden());
    QCOMPARE(warning->text(), QStringLiteral("转换失败！"));
    QCOMPARE(warning->toolTip(), JobFailure::sentence(FailureKind::ToolCrashed) + "\nmagick: crashed");
    // Its buttons work as any row's do.
    QPushButton* remove = table->cellWidget(299, 4)->findChild<QPushButton*>("delBtn");
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(table->rowCount(), 299);
    QCOMPARE(table->item(298, 0)->text(), QStringLiteral("299"));
}

void TestPicturePage::clickingTheDropZoneAsksForFiles()
{
    QString title;
    QString filter;
    // The dialog is modal: look at it and close it from the event loop it runs.
    QTimer::singleShot(300, [&title, &filter]() {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            filter = dialog->nameFilters().join(';');
            dialog->reject();
        }
    });
    QSignalSpy clicks(m_page->center()->dropZone()->block(), &CenterShowForCenterWT::clicked);
    QTest::mousePress(m_page->center()->dropZone()->block(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(title, QStringLiteral("打开图片"));
    QVERIFY2(filter.contains("*.jpg-mobile") && filter.contains("*.heic"), qPrintable(filter));
    QVERIFY(m_page->center()->isDropZoneShown()); // cancelled: nothing changes
}

QTEST_MAIN(TestPicturePage)
#include "tst_picturepage.moc"

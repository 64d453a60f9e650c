#include "app/mainwidget.h"
#include "app/tooltable.h"
#include "framework/convertparamwt.h"
#include "framework/exportfilewt.h"
#include "framework/mytable.h"
#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediafixtures.h"
#include "support/fixtures.h"
#include "tools/media/videofmt/videofmtcenterwt.h"
#include "tools/media/videofmt/videofmtmainwt.h"
#include "tools/media/videofmt/videofmtparamwt.h"
#include "tools/picture/chformat/chfcenterwt.h"
#include "tools/picture/chformat/chfmainwt.h"
#include "tools/picture/chformat/chfparamwt.h"
#include "tools/picture/topdf/centerprogresswt.h"
#include "tools/picture/topdf/topdfcenterwt.h"
#include "tools/picture/topdf/topdfmainwt.h"
#include "tools/picture/topdf/topdfparamwt.h"
#include "tools/picture/topdf/topdftable.h"
#include "widgets/mycombobox.h"
#include "widgets/mydialog.h"
#include "widgets/mylineedit.h"
#include "widgets/operbtn.h"
#include "widgets/operbtnbar.h"
#include "widgets/submitbtn.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/prctl.h>

namespace {
// The test's own running children, by /proc: "pid (name)". Orphans of a killed tool come here
// too, as the test is their subreaper.
QStringList runningChildren()
{
    QStringList children;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(stat.readAll());
        const int close = text.lastIndexOf(QLatin1Char(')'));
        const QStringList fields = text.mid(close + 2).split(QLatin1Char(' '));
        const int open = text.indexOf(QLatin1Char('('));
        if (fields.value(1) == self && fields.value(0) != QLatin1String("Z"))
            children << pid + QLatin1Char(' ') + text.mid(open, close + 1 - open);
    }
    return children;
}

// Every file in the folder, hidden ones and those in sub-folders included.
QStringList allFilesIn(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

bool waitForChild(int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (runningChildren().isEmpty() && timer.elapsed() < ms)
        QTest::qWait(20);
    return !runningChildren().isEmpty();
}

// From the click on, within a second: no child runs.
void verifyChildrenGoneWithinASecond()
{
    QElapsedTimer timer;
    timer.start();
    while (!runningChildren().isEmpty() && timer.elapsed() < 1000)
        QTest::qWait(10);
    QVERIFY2(runningChildren().isEmpty(), qPrintable(runningChildren().join(QStringLiteral(", "))));
}
} // namespace

// Stop, clear and close during real runs on long inputs: tools end at once, nothing half-written
// stays, rows wait again and the next start works.
class TestBatchStop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void picturePageStopsAndStartsAgain();
    void clearingDuringARunStopsIt();
    void mediaPageStopsTheBatchAndARowsOwnRun();
    void pdfPageStops_data();
    void pdfPageStops();
    void closingDuringARunAsksOnce();

private:
    QString in(const QString& name) const { return m_in.filePath(name); }
    QString out() const { return m_out->path(); }
    CHFMainWT* picturePage();
    void verifyPictureOutputsWhole(CHFMainWT* page);

    QTemporaryDir m_in;
    QScopedPointer<QTemporaryDir> m_out;
    QStringList m_bigPictures;
};

void TestBatchStop::initTestCase()
{
    // A tool's own children, orphaned by its kill, are reparented here and counted.
    QCOMPARE(prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0), 0);
    QVERIFY(m_in.isValid());
    // Noise codes slowly: each picture keeps a tool busy for a while, and a batch of them long.
    QVERIFY(Fixtures::makePicture(in("noise.jpg"), QStringLiteral("xc:gray"), QStringLiteral("3000x2000"),
                                  {QStringLiteral("+noise"), QStringLiteral("Random")}));
    for (int i = 0; i < 14; ++i) {
        m_bigPictures << in(QStringLiteral("photo %1.jpg").arg(i));
        QVERIFY(QFile::copy(in("noise.jpg"), m_bigPictures.last()));
    }
    QVERIFY(Fixtures::makePicture(in("small.png"), QStringLiteral("xc:red"), QStringLiteral("40x30")));
    // MPEG-2: the MP4 target has to encode it again (MPEG-4 Part 2 would only be copied).
    MediaFixtures::Clip longClip;
    longClip.seconds = 90;
    longClip.size = QSize(960, 720);
    longClip.videoCodec = QStringLiteral("mpeg2video");
    QVERIFY(MediaFixtures::make(in("long.mkv"), longClip));
    MediaFixtures::Clip shortClip;
    shortClip.seconds = 1.4;
    shortClip.audioCodec.clear();
    shortClip.size = QSize(120, 160);
    QVERIFY(MediaFixtures::make(in("short.mp4"), shortClip));
}

void TestBatchStop::init()
{
    m_out.reset(new QTemporaryDir);
    QVERIFY(m_out->isValid());
    QTRY_VERIFY_WITH_TIMEOUT(runningChildren().isEmpty(), 30000);
}

void TestBatchStop::cleanup()
{
    QTRY_VERIFY_WITH_TIMEOUT(runningChildren().isEmpty(), 30000);
}

CHFMainWT* TestBatchStop::picturePage()
{
    auto* page = new CHFMainWT(nullptr);
    page->resize(1400, 700);
    page->show();
    CHFParamWT* panel = page->centerWidget()->param();
    panel->exportFile()->setText(out());
    return page;
}

void TestBatchStop::verifyPictureOutputsWhole(CHFMainWT* page)
{
    // Only finished rows' results are there, each whole.
    QStringList finished;
    for (int row = 0; row < page->table()->rowCount(); ++row) {
        if (!page->table()->exportPath(row).isEmpty() && page->table()->rowWarning(row).isEmpty())
            finished << QFileInfo(page->table()->exportPath(row)).absoluteFilePath();
    }
    finished.sort();
    QCOMPARE(allFilesIn(out()), finished);
    for (const QString& file : qAsConst(finished))
        QCOMPARE(Fixtures::identify(file), QStringLiteral("3000x2000 JPEG"));
}

void TestBatchStop::picturePageStopsAndStartsAgain()
{
    QScopedPointer<CHFMainWT> page(picturePage());
    QPushButton* start = page->centerWidget()->param()->submitButton();
    const QString startText = start->text();
    page->addPaths(m_bigPictures);
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(page->isBusy());
    QCOMPARE(start->text(), QStringLiteral("停止"));
    QVERIFY(waitForChild());
    QTest::qWait(300);
    QTest::mouseClick(start, Qt::LeftButton);
    verifyChildrenGoneWithinASecond();
    QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 1000);
    QCOMPARE(start->text(), startText);
    QVERIFY(page->findChildren<MyDialog*>().isEmpty());
    int waiting = 0;
    for (int row = 0; row < page->table()->rowCount(); ++row) {
        QVERIFY2(page->table()->rowWarning(row).isEmpty(), qPrintable(page->table()->rowWarning(row)));
        if (page->table()->progress(row) == 0)
            ++waiting;
    }
    QVERIFY(waiting > 0);
    verifyPictureOutputsWhole(page.data());

    // The same page starts again; one row is enough to see it through.
    page->clearTable();
    page->addPaths({in("small.png")});
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 30000);
    QVERIFY(page->table()->rowWarning(0).isEmpty());
    QVERIFY(QFileInfo(page->table()->exportPath(0)).size() > 0);
}

void TestBatchStop::clearingDuringARunStopsIt()
{
    QScopedPointer<CHFMainWT> page(picturePage());
    page->addPaths(m_bigPictures);
    QTest::mouseClick(page->centerWidget()->param()->submitButton(), Qt::LeftButton);
    QVERIFY(waitForChild());
    QTest::mouseClick(page->findChild<OperBtnBar*>()->clearButton(), Qt::LeftButton);
    QCOMPARE(page->table()->rowCount(), 0);
    verifyChildrenGoneWithinASecond();
    QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 1000);
    // What the cleared list's jobs had finished may stay; nothing they were writing does.
    for (const QString& file : allFilesIn(out()))
        QCOMPARE(Fixtures::identify(file), QStringLiteral("3000x2000 JPEG"));
    const int before = allFilesIn(out()).size();
    page->addPaths({in("small.png")});
    QTest::mouseClick(page->centerWidget()->param()->submitButton(), Qt::LeftButton);
    QVERIFY(page->findChildren<MyDialog*>().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 30000);
    QVERIFY(page->table()->rowWarning(0).isEmpty());
    QCOMPARE(allFilesIn(out()).size(), before + 1);
}

void TestBatchStop::mediaPageStopsTheBatchAndARowsOwnRun()
{
    VideoFmtMainWT page(nullptr);
    page.resize(1500, 800);
    page.show();
    page.centerWidget()->param()->savePathBox()->setCurrentIndex(1);
    page.centerWidget()->param()->setCustomFolder(out());
    page.addPaths({in("long.mkv"), in("long.mkv"), in("short.mp4")});
    // The thumbnails' ffmpeg is no part of the run.
    QTRY_VERIFY_WITH_TIMEOUT(runningChildren().isEmpty(), 30000);
    QPushButton* start = page.centerWidget()->param()->submitButton();
    const QString startText = start->text();

    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(start->text(), QStringLiteral("停止"));
    QVERIFY(waitForChild());
    QTRY_VERIFY_WITH_TIMEOUT(page.table()->row(0)->persent() > 0, 30000);
    QTest::mouseClick(start, Qt::LeftButton);
    verifyChildrenGoneWithinASecond();
    QTRY_VERIFY_WITH_TIMEOUT(!page.isRunning(), 1000);
    QCOMPARE(start->text(), startText);
    for (TableRowWidget* row : page.table()->rows()) {
        QVERIFY(!row->isFailed());
        QCOMPARE(row->persent(), 0);
    }
    QCOMPARE(allFilesIn(out()), QStringList());

    // A row's own run: its button reads 停止 and stops that run alone.
    QPushButton* own = page.table()->row(1)->actionButton();
    const QString ownText = own->text();
    QTest::mouseClick(own, Qt::LeftButton);
    QCOMPARE(own->text(), QStringLiteral("停止"));
    QVERIFY(!page.isBusy());
    QCOMPARE(start->text(), startText);
    QVERIFY(waitForChild());
    QTRY_VERIFY_WITH_TIMEOUT(page.table()->row(1)->persent() > 0, 30000);
    QTest::mouseClick(own, Qt::LeftButton);
    verifyChildrenGoneWithinASecond();
    QTRY_VERIFY_WITH_TIMEOUT(!page.isRunning(), 1000);
    QCOMPARE(own->text(), ownText);
    QVERIFY(!page.table()->row(1)->isFailed());
    QCOMPARE(page.table()->row(1)->persent(), 0);
    QCOMPARE(allFilesIn(out()), QStringList());

    // The short row on its own, then the whole page again: both go through.
    QTest::mouseClick(page.table()->row(2)->actionButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!page.isRunning(), 60000);
    QCOMPARE(page.table()->row(2)->persent(), 100);
    QVERIFY(!page.table()->row(2)->isFailed());
    QCOMPARE(allFilesIn(out()).size(), 1);
    QTest::mouseClick(page.findChild<OperBtnBar*>()->clearButton(), Qt::LeftButton);
    page.addPaths({in("short.mp4")});
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!page.isRunning(), 60000);
    QVERIFY(!page.table()->row(0)->isFailed());
    QCOMPARE(allFilesIn(out()).size(), 2);
}

void TestBatchStop::pdfPageStops_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("merged") << 0;
    QTest::newRow("one per picture") << 1;
}

void TestBatchStop::pdfPageStops()
{
    QFETCH(int, mode);
    ToPDFMainWT page(nullptr);
    page.resize(1400, 700);
    page.show();
    ToPDFParamWT* panel = page.centerWidget()->param();
    panel->exportFile()->setText(out());
    panel->modeCombo()->setCurrentIndex(mode);
    QPushButton* start = panel->submitButton();
    const QString startText = start->text();
    page.addPaths(m_bigPictures);
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(start->text(), QStringLiteral("停止"));
    QTRY_VERIFY_WITH_TIMEOUT(page.table()->progressWT()->value() > 0, 30000);
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!page.isBusy(), 1000);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(start->text(), startText);
    QVERIFY(!page.table()->progressWT()->isVisible());
    QCOMPARE(page.table()->rowCount(), m_bigPictures.size());
    QCOMPARE(allFilesIn(out()), QStringList());
    QCOMPARE(QDir(out()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

    page.clearTable();
    page.addPaths({in("small.png")});
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!page.isBusy(), 30000);
    QCOMPARE(allFilesIn(out()).size(), 1);
    QVERIFY(allFilesIn(out()).first().endsWith(QLatin1String(".pdf")));
}

void TestBatchStop::closingDuringARunAsksOnce()
{
    MainWidget window(nullptr);
    window.show();
    auto* page = qobject_cast<CHFMainWT*>(window.pageFor(ToolTable::Format));
    QVERIFY(page);
    page->centerWidget()->param()->exportFile()->setText(out());
    page->addPaths(m_bigPictures);
    QTest::mouseClick(page->centerWidget()->param()->submitButton(), Qt::LeftButton);
    QVERIFY(waitForChild());

    // 取消 keeps the run going; a second close while asked raises no second question.
    QVERIFY(!window.close());
    MyDialog* question = window.quitQuestion();
    QVERIFY(question);
    QCOMPARE(question->message(), QStringLiteral("正在转换，确定要退出吗？"));
    QVERIFY(!window.close());
    QCOMPARE(window.findChildren<MyDialog*>().size(), 1);
    QCOMPARE(question->okButton()->text(), QStringLiteral("确定"));
    QCOMPARE(question->cancelButton()->text(), QStringLiteral("取消"));
    QVERIFY(question->cancelButton()->isVisible());
    QTest::mouseClick(question->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(!window.quitQuestion());
    QVERIFY(window.isVisible());
    QVERIFY(page->isBusy());
    QVERIFY(!runningChildren().isEmpty());

    QVERIFY(!window.close());
    QTest::mouseClick(window.quitQuestion()->okButton(), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    verifyChildrenGoneWithinASecond();
    QTRY_VERIFY_WITH_TIMEOUT(!page->isBusy(), 1000);
    for (const QString& file : allFilesIn(out()))
        QCOMPARE(Fixtures::identify(file), QStringLiteral("3000x2000 JPEG"));
}

QTEST_MAIN(TestBatchStop)
#include "tst_batchstop.moc"

#include "framework/exportfilewt.h"
#include "framework/mytable.h"
#include "framework/tablerowwidget.h"
#include "framework/tablewidget.h"
#include "media/mediafixtures.h"
#include "support/fakedesktop.h"
#include "support/fixtures.h"
#include "tools/media/audiofmt/audiofmtcenterwt.h"
#include "tools/media/audiofmt/audiofmtmainwt.h"
#include "tools/media/audiofmt/audiofmtparamwt.h"
#include "tools/picture/chformat/chfcenterwt.h"
#include "tools/picture/chformat/chfmainwt.h"
#include "tools/picture/chformat/chfparamwt.h"
#include "widgets/operbtnbar.h"

#include <QApplication>
#include <QComboBox>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <QtTest>

class FolderRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// The end of a real batch on a picture page: its summary, the notification when the window is
// not the active one, and the sleep inhibit around it, with stand-ins for the desktop's services
// on private buses.
class TestBatchEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void inactiveWindowIsToldTheSummaryAndItsClickShowsTheResult();
    void activeWindowGetsOnlyTheSummary();
    void everyRowFailedShowsTheFolder();
    void mediaBatchAndRowRunKeepTheMachineAwake();

private:
    // Two pictures, a text file named as a picture, and a file gone before the start.
    void addMixedRows();
    void runToTheEnd();
    // A bare window, no widget of ours, takes the focus: as if the user went to another program.
    void leaveForAnotherProgram();

    PrivateBus m_session;
    PrivateBus m_system;
    QTemporaryDir m_dir;
    QString m_out;
    CHFMainWT* m_page = nullptr;
    QWindow* m_elsewhere = nullptr;
};

void TestBatchEnd::initTestCase()
{
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
        QSKIP("dbus-daemon is needed for a private bus");
    QVERIFY(m_session.start());
    QVERIFY(m_system.start());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_session.address().toUtf8());
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_system.address().toUtf8());
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void TestBatchEnd::init()
{
    m_out = m_dir.filePath(QString("out-%1").arg(QTest::currentTestFunction()));
    QVERIFY(QDir().mkpath(m_out));
    m_page = new CHFMainWT(nullptr);
    m_page->resize(1400, 700);
    m_page->show();
    m_page->centerWidget()->param()->exportFile()->setText(m_out);
    QVERIFY(QTest::qWaitForWindowActive(m_page));
}

void TestBatchEnd::cleanup()
{
    delete m_page;
    delete m_elsewhere;
    m_elsewhere = nullptr;
}

void TestBatchEnd::leaveForAnotherProgram()
{
    m_elsewhere = new QWindow();
    m_elsewhere->resize(200, 100);
    m_elsewhere->show();
    m_elsewhere->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_elsewhere));
    QVERIFY(!QApplication::activeWindow());
}

void TestBatchEnd::addMixedRows()
{
    QVERIFY(Fixtures::makePicture(m_dir.filePath("a.png"), "gradient:", "40x30"));
    QVERIFY(Fixtures::makePicture(m_dir.filePath("b.jpg"), "rose:", "30x40"));
    QFile fake(m_dir.filePath("fake.png"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("not a picture\n");
    fake.close();
    QFile gone(m_dir.filePath("gone.png"));
    QVERIFY(gone.open(QIODevice::WriteOnly));
    gone.close();
    m_page->addPaths({m_dir.filePath("a.png"), m_dir.filePath("fake.png"), m_dir.filePath("b.jpg"),
                      m_dir.filePath("gone.png")});
    QFile::remove(m_dir.filePath("gone.png"));
}

void TestBatchEnd::runToTheEnd()
{
    m_page->chFormat();
    QVERIFY(m_page->isBusy());
    QVERIFY(m_page->batchSummary().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->isBusy(), 60000);
}

void TestBatchEnd::inactiveWindowIsToldTheSummaryAndItsClickShowsTheResult()
{
    FakeDesktop desktop(m_session.address(), m_system.address(),
                        FakeDesktop::Notifications | FakeDesktop::FileManager | FakeDesktop::Login);
    QVERIFY(desktop.begin());
    addMixedRows();
    leaveForAnotherProgram();
    runToTheEnd();

    const QString summary = QStringLiteral("完成 2 个，失败 2 个");
    QCOMPARE(m_page->batchSummary(), summary);
    auto* label = m_page->findChild<OperBtnBar*>()->summaryLabel();
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), summary);
    QTRY_COMPARE(desktop.calls("Notify").size(), 1);
    QCOMPARE(desktop.calls("Notify").first().at(4).toString(), summary);

    // The machine was kept awake for the batch and is free again.
    QCOMPARE(desktop.calls("LoginInhibit").size(), 1);
    QTRY_VERIFY(!desktop.loginLockHeld());

    // The click selects the last file written, in its folder.
    desktop.invokeAction(41, "default");
    QTRY_COMPARE(desktop.calls("ShowItems").size(), 1);
    const QString shown =
        QUrl(desktop.calls("ShowItems").first().first().toStringList().value(0)).toLocalFile();
    QCOMPARE(QFileInfo(shown).absolutePath(), m_out);
    QVERIFY(QFileInfo::exists(shown));
}

void TestBatchEnd::activeWindowGetsOnlyTheSummary()
{
    FakeDesktop desktop(m_session.address(), m_system.address(), FakeDesktop::Notifications);
    QVERIFY(desktop.begin());
    addMixedRows();
    QVERIFY(m_page->isActiveWindow());
    runToTheEnd();
    QCOMPARE(m_page->batchSummary(), QStringLiteral("完成 2 个，失败 2 个"));
    // Sent at once if at all: the summary is set in the same step.
    QTest::qWait(500);
    QVERIFY(desktop.calls("Notify").isEmpty());

    // The next batch starts with no summary of the last one and counts afresh.
    m_page->table()->removeFileRow(3);
    m_page->table()->removeFileRow(1);
    runToTheEnd();
    QCOMPARE(m_page->batchSummary(), QStringLiteral("完成 2 个，失败 0 个"));
}

void TestBatchEnd::everyRowFailedShowsTheFolder()
{
    FakeDesktop desktop(m_session.address(), m_system.address(),
                        FakeDesktop::Notifications | FakeDesktop::FileManager);
    QVERIFY(desktop.begin());
    QFile fake(m_dir.filePath("only.png"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("still not a picture\n");
    fake.close();
    m_page->addPaths({m_dir.filePath("only.png")});
    leaveForAnotherProgram();
    runToTheEnd();
    QCOMPARE(m_page->batchSummary(), QStringLiteral("完成 0 个，失败 1 个"));
    QTRY_COMPARE(desktop.calls("Notify").size(), 1);
    // No file to select: the click opens the output folder itself.
    FolderRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    desktop.invokeAction(41, "default");
    QTRY_COMPARE(recorder.opened, QList<QUrl>{QUrl::fromLocalFile(m_out)});
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(desktop.calls("ShowItems").isEmpty());
}

void TestBatchEnd::mediaBatchAndRowRunKeepTheMachineAwake()
{
    FakeDesktop desktop(m_session.address(), m_system.address(), FakeDesktop::Login);
    QVERIFY(desktop.begin());
    QVERIFY(MediaFixtures::makeMp3(m_dir.filePath("song.mp3"), 1.3));
    AudioFmtMainWT page(nullptr);
    page.resize(1500, 800);
    page.show();
    AudioFmtParamWT* panel = page.centerWidget()->param();
    panel->savePathBox()->setCurrentIndex(1);
    panel->setCustomFolder(m_out);
    page.addPaths({m_dir.filePath("song.mp3")});
    page.fmt();
    QVERIFY(page.isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!page.isBusy(), 60000);
    QCOMPARE(page.batchSummary(), QStringLiteral("完成 1 个，失败 0 个"));
    QTRY_COMPARE(desktop.loginLocksHandedOut(), 1);
    QTRY_VERIFY(!desktop.loginLockHeld());

    // A row's own run holds the machine awake as well, and leaves the page's summary alone.
    TableRowWidget* row = page.table()->row(0);
    QTest::mouseClick(row->actionButton(), Qt::LeftButton);
    QTRY_COMPARE(desktop.loginLocksHandedOut(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(row->persent(), 100, 60000);
    QTRY_VERIFY(!desktop.loginLockHeld());
    QCOMPARE(desktop.calls("LoginInhibit").size(), 2);
}

QTEST_MAIN(TestBatchEnd)
#include "tst_batchend.moc"

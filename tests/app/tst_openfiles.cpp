#include "app/filerouter.h"
#include "app/mainwidget.h"
#include "app/toolbar.h"
#include "app/toolbtn.h"
#include "app/tooltable.h"
#include "framework/toolpagewt.h"
#include "platform/instancechannel.h"
#include "platform/singleinstanceguard.h"
#include "support/fixtures.h"
#include "widgets/mydialog.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sched.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Files from outside the window: the command line, the file manager, a second start.
class TestOpenFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void toolFor_data();
    void toolFor();
    void absolutePaths_data();
    void absolutePaths();
    void routeSplitsAMixInOrderAndExpandsFolders();
    void openFilesFillsEachPageAndShowsTheFirst();
    void openFilesReachesPagesOffTheStripThroughTheToolbox();
    void unknownFilesAloneLeaveThePageAndSayWhy();
    void aStaleSocketIsReplacedByTheGuardHolder();
    void aSecondStartHandsItsFilesOver();

private:
    QString make(const QString& name);
    static ToolPageWT* page(const MainWidget& window, int tool);
    static QStringList notices(const QWidget& window);

    QTemporaryDir m_runtime;
    QTemporaryDir m_files;
};

void TestOpenFiles::initTestCase()
{
    QVERIFY(m_runtime.isValid() && m_files.isValid());
    QFile::setPermissions(m_runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The hand-over socket of this test and of the processes it starts, never a real instance's.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    // Root can give this test an IPC namespace of its own: the guard's keys then meet no running copy.
    if (::geteuid() == 0 && ::unshare(CLONE_NEWIPC) != 0)
        qWarning() << "no IPC namespace of our own";
}

QString TestOpenFiles::make(const QString& name)
{
    const QString path = m_files.filePath(name);
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == "mp4")
        Fixtures::runTool("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=96x128:rate=10",
                                     "-t", "0.7", "-pix_fmt", "yuv420p", path});
    else if (suffix == "wav")
        Fixtures::runTool(
            "ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440", "-t", "0.3", path});
    else if (suffix == "pdf")
        Fixtures::makePdf(path, 1);
    else if (QStringList{"jpg", "png", "heic"}.contains(suffix))
        Fixtures::makePicture(suffix == "heic" ? path + ".png" : path, "rose:", "70x46");
    else {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("not a picture");
    }
    if (suffix == "heic") {
        Fixtures::runTool("heif-enc", {"-o", path, path + ".png"});
        QFile::remove(path + ".png");
    }
    return path;
}

void TestOpenFiles::toolFor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tool");
    QTest::newRow("heic") << "IMG_0001.HEIC" << int(ToolTable::Heic);
    QTest::newRow("heif") << "a.heif" << int(ToolTable::Heic);
    // RAW suffixes are also in the all-pictures list: the RAW page wins.
    QTest::newRow("cr2") << "b.CR2" << int(ToolTable::Raw);
    QTest::newRow("dng") << "c.dng" << int(ToolTable::Raw);
    QTest::newRow("x3f, no MIME type") << "d.x3f" << int(ToolTable::Raw);
    QTest::newRow("raw") << "e.raw" << int(ToolTable::Raw);
    QTest::newRow("jpg") << "f.jpg" << int(ToolTable::Format);
    QTest::newRow("webp") << "g.webp" << int(ToolTable::Format);
    QTest::newRow("jpg-mobile") << "h.jpg-mobile" << int(ToolTable::Format);
    QTest::newRow("pdf") << "i.PDF" << int(ToolTable::PdfToImg);
    QTest::newRow("mp4") << "j.mp4" << int(ToolTable::VideoFormat);
    QTest::newRow("qlv, no MIME type") << "k.qlv" << int(ToolTable::VideoFormat);
    QTest::newRow("kux") << "l.kux" << int(ToolTable::VideoFormat);
    QTest::newRow("flac") << "m.flac" << int(ToolTable::AudioFormat);
    QTest::newRow("ogg") << "n.ogg" << int(ToolTable::AudioFormat);
    QTest::newRow("dash first") << "-rf.png" << int(ToolTable::Format);
    QTest::newRow("last suffix counts") << "photo.jpg.heic" << int(ToolTable::Heic);
    QTest::newRow("text") << "notes.txt" << -1;
    QTest::newRow("no suffix") << "README" << -1;
    QTest::newRow("double suffix") << "pack.tar.gz" << -1;
}

void TestOpenFiles::toolFor()
{
    QFETCH(QString, name);
    QFETCH(int, tool);
    QCOMPARE(FileRouter::toolFor("/some/where/" + name), tool);
}

void TestOpenFiles::absolutePaths_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("relative") << QStringList{"a.jpg", "sub//b.png", "./c.pdf"}
                              << QStringList{"/w/d/a.jpg", "/w/d/sub/b.png", "/w/d/c.pdf"};
    QTest::newRow("dashes are files") << QStringList{"-reverse", "--style=x.png", "--"}
                                      << QStringList{"/w/d/-reverse", "/w/d/--style=x.png", "/w/d/--"};
    QTest::newRow("parent and absolute")
        << QStringList{"../up.mp4", "/abs/v.mkv"} << QStringList{"/w/up.mp4", "/abs/v.mkv"};
    QTest::newRow("url") << QStringList{"file:///tmp/%E7%85%A7%E7%89%87%201.heic"}
                         << QStringList{"/tmp/照片 1.heic"};
    QTest::newRow("empty word") << QStringList{""} << QStringList{};
}

void TestOpenFiles::absolutePaths()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, paths);
    QCOMPARE(FileRouter::absolutePaths(words, "/w/d"), paths);
}

void TestOpenFiles::routeSplitsAMixInOrderAndExpandsFolders()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("album/deeper"));
    for (const char* name : {"album/1.heic", "album/2.jpg", "album/skip.txt", "album/deeper/3.jpg", "x.mp4",
                             "y.pdf", "z.jpg", "w.doc"})
        QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    const FileRouter::Routes routes =
        FileRouter::route({dir.filePath("x.mp4"), dir.filePath("album"), dir.filePath("w.doc"),
                           dir.filePath("z.jpg"), dir.filePath("gone.jpg"), dir.filePath("y.pdf")});
    QCOMPARE(routes.tools,
             (QVector<int>{ToolTable::VideoFormat, ToolTable::Heic, ToolTable::Format, ToolTable::PdfToImg}));
    QCOMPARE(routes.files.value(ToolTable::Format).size(), 2);
    QVERIFY(routes.files.value(ToolTable::Format).contains(dir.filePath("z.jpg")));
    QVERIFY(!routes.files.value(ToolTable::Format).contains(dir.filePath("album/deeper/3.jpg")));
    // The text file in the folder and the document: what the notice counts. A missing file is
    // no unsupported format.
    QCOMPARE(routes.skipped, 2);
}

ToolPageWT* TestOpenFiles::page(const MainWidget& window, int tool)
{
    return qobject_cast<ToolPageWT*>(window.pageFor(tool));
}

QStringList TestOpenFiles::notices(const QWidget& window)
{
    QStringList texts;
    for (const MyDialog* dialog : window.findChildren<MyDialog*>())
        texts << dialog->message();
    return texts;
}

void TestOpenFiles::openFilesFillsEachPageAndShowsTheFirst()
{
    MainWidget window(nullptr);
    window.show();
    const QStringList files{make("clip.mp4"), make("-dash.jpg"), make("song.wav"), make("Shot.heic"),
                            make("doc.pdf"),  make("notes.txt"), make("two.jpg")};
    QCOMPARE(window.openFiles(files), 6);
    QCOMPARE(page(window, ToolTable::VideoFormat)->fileCount(), 1);
    QCOMPARE(page(window, ToolTable::Format)->fileCount(), 2);
    QCOMPARE(page(window, ToolTable::AudioFormat)->fileCount(), 1);
    QCOMPARE(page(window, ToolTable::Heic)->fileCount(), 1);
    QCOMPARE(page(window, ToolTable::PdfToImg)->fileCount(), 1);
    QCOMPARE(page(window, ToolTable::Raw)->fileCount(), 0);
    // The video page lives in the toolbox: it is shown, and the toolbox wears the selection.
    QCOMPARE(window.currentPage(), window.pageFor(ToolTable::VideoFormat));
    QVERIFY(window.currentPage()->isVisible());
    QVERIFY(window.toolBar()->button(ToolTable::ToolBox)->isSelected());
    QVERIFY(!window.toolBar()->button(ToolTable::Heic)->isSelected());
    QCOMPARE(notices(window), QStringList{"1 个文件格式不支持，已跳过"});

    // Again from a strip page: its button takes the selection back.
    QCOMPARE(window.openFiles({make("again.heic")}), 1);
    QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Heic));
    QVERIFY(window.toolBar()->button(ToolTable::Heic)->isSelected());
    QVERIFY(!window.toolBar()->button(ToolTable::ToolBox)->isSelected());
    QCOMPARE(page(window, ToolTable::Heic)->fileCount(), 2);
}

void TestOpenFiles::openFilesReachesPagesOffTheStripThroughTheToolbox()
{
    MainWidget window(nullptr);
    window.show();
    QCOMPARE(window.openFiles({make("book.pdf")}), 1);
    QCOMPARE(window.currentPage(), window.pageFor(ToolTable::PdfToImg));
    for (QWidget* other : window.pages())
        QCOMPARE(other->isVisible(), other == window.currentPage());
    QCOMPARE(window.toolBar()->selectedButton(), window.toolBar()->button(ToolTable::PdfToImg));
    QVERIFY(notices(window).isEmpty());
}

void TestOpenFiles::unknownFilesAloneLeaveThePageAndSayWhy()
{
    MainWidget window(nullptr);
    window.show();
    QCOMPARE(window.openFiles({make("a.txt"), make("b.docx")}), 0);
    QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Heic));
    QCOMPARE(notices(window), QStringList{"2 个文件格式不支持，已跳过"});
}

void TestOpenFiles::aStaleSocketIsReplacedByTheGuardHolder()
{
    // What a killed instance leaves: a bound socket file that nobody listens on.
    const QByteArray path = QFile::encodeName(InstanceChannel::socketPath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    QVERIFY(QFile::exists(path));
    QVERIFY(!InstanceChannel::send({"/x.jpg"}, 300));

    InstanceChannel channel;
    QVERIFY(channel.listen());
    QSignalSpy received(&channel, &InstanceChannel::filesReceived);
    QStringList sent{"/照片/a b.jpg", "/-x.png"};
    bool delivered = false;
    // The sender blocks on its own; the channel answers from this thread's event loop.
    QThread* sender = QThread::create([&] { delivered = InstanceChannel::send(sent, 5000); });
    sender->start();
    QTRY_VERIFY_WITH_TIMEOUT(sender->isFinished(), 10000);
    delete sender;
    QVERIFY(delivered);
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.first().first().toStringList(), sent);
}

void TestOpenFiles::aSecondStartHandsItsFilesOver()
{
    SingleInstanceGuard guard(QStringLiteral("chengying"));
    if (!guard.tryAcquire())
        QSKIP("an instance of the application runs in this IPC namespace");
    InstanceChannel channel;
    QVERIFY(channel.listen());
    MainWidget window(nullptr);
    window.show();
    connect(&channel, &InstanceChannel::filesReceived, &window, &MainWidget::openFiles);

    make("-first.jpg");
    make("later.mp4");
    make("unknown.txt");
    QProcess second;
    second.setWorkingDirectory(m_files.path());
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(APP_BINARY_DIR "/chengying"), {"-first.jpg", "later.mp4", "unknown.txt"});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 30000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(page(window, ToolTable::Format)->fileCount(), 1);
    QCOMPARE(page(window, ToolTable::VideoFormat)->fileCount(), 1);
    QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Format));
    QCOMPARE(notices(window), QStringList{"1 个文件格式不支持，已跳过"});
    // The second start left the live socket alone: a third one gets through as well.
    QProcess third;
    third.setWorkingDirectory(m_files.path());
    third.start(QStringLiteral(APP_BINARY_DIR "/chengying"), {m_files.filePath("later.mp4")});
    QVERIFY(third.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(third.state(), QProcess::NotRunning, 30000);
    QCOMPARE(third.exitCode(), 0);
    QCOMPARE(page(window, ToolTable::VideoFormat)->fileCount(), 2);
}

QTEST_MAIN(TestOpenFiles)
#include "tst_openfiles.moc"

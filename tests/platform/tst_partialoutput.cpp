#include "platform/partialoutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/time.h>

namespace {
bool write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets a file's times an hour back, as a file of an earlier run would have them.
bool age(const QString& path)
{
    const qint64 then = QDateTime::currentSecsSinceEpoch() - 3600;
    const timeval times[2] = {{then, 0}, {then, 0}};
    return ::lutimes(QFile::encodeName(path).constData(), times) == 0;
}

QStringList entries(const QString& folder)
{
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// A pid no process has: past the kernel's largest.
const QString kDeadPid = QStringLiteral("4194305");
} // namespace

class TestPartialOutput : public QObject
{
    Q_OBJECT
private slots:
    void namesOfOurOwn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("owner");
        QTest::newRow("file") << ".chengying-unfinished-1234-aB3dE6gH.mp4" << qint64(1234);
        QTest::newRow("two suffixes") << ".chengying-unfinished-77-aB3dE6gH.tar.gz" << qint64(77);
        QTest::newRow("folder") << ".chengying-unfinished-77-aB3dE6gH" << qint64(77);
        QTest::newRow("run folder") << ".chengying-unfinished-77-aB3dE6gH.batch" << qint64(77);
        QTest::newRow("frame beside a file") << ".chengying-unfinished-77-aB3dE6gH-12.png" << qint64(77);
        QTest::newRow("magick's scratch") << ".chengying-unfinished-981-mkQ2w9Zx" << qint64(981);
        QTest::newRow("a user's hidden file") << ".照片 1.jpg.ZPh9k9" << qint64(0);
        QTest::newRow("not hidden") << "chengying-unfinished-77-aB3dE6gH.mp4" << qint64(0);
        QTest::newRow("no pid") << ".chengying-unfinished-aB3dE6gH.mp4" << qint64(0);
        QTest::newRow("pid 0") << ".chengying-unfinished-0-aB3dE6gH.mp4" << qint64(0);
        QTest::newRow("short token") << ".chengying-unfinished-77-aB3dE6.mp4" << qint64(0);
        QTest::newRow("long token") << ".chengying-unfinished-77-aB3dE6gHi.mp4" << qint64(0);
        QTest::newRow("other mark") << ".chengying-unfinished-77-aB3dE6g_" << qint64(0);
        QTest::newRow("a user's file") << "holiday.mp4" << qint64(0);
    }
    void namesOfOurOwn()
    {
        QFETCH(QString, name);
        QFETCH(qint64, owner);
        QCOMPARE(PartialOutput::ownerOf(name), owner);
        QCOMPARE(PartialOutput::isPartialName(name), owner > 0);
    }

    void madeNamesAreOursAndKeepTheSuffixLast()
    {
        QTemporaryDir dir;
        const QString file = PartialOutput::createFile(dir.path(), "mp4");
        const QString folder = PartialOutput::createFolder(dir.path());
        QVERIFY(QFileInfo(file).isFile());
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QFileInfo(file).suffix(), QString("mp4"));
        for (const QString& path : {file, folder})
            QCOMPARE(PartialOutput::ownerOf(QFileInfo(path).fileName()), QCoreApplication::applicationPid());
        QVERIFY(PartialOutput::createFile(dir.filePath("missing"), "mp4").isEmpty());
        QVERIFY(PartialOutput::createFolder(dir.filePath("missing")).isEmpty());
    }

    // Both ways of moving: the kernel's exclusive rename, and link-then-unlink (or, for a folder,
    // an exclusive claim replaced in one step) where a filesystem refuses it.
    void movesNeverReplace_data()
    {
        QTest::addColumn<bool>("byLink");
        QTest::newRow("exclusive rename") << false;
        QTest::newRow("fallback") << true;
    }
    void movesNeverReplace()
    {
        QFETCH(bool, byLink);
        const auto move = [byLink](const QString& from, const QString& to) {
            return byLink ? PartialOutput::moveByLink(from, to) : PartialOutput::moveNoReplace(from, to);
        };
        QTemporaryDir dir;
        const QString partial = PartialOutput::createFile(dir.path(), "png");
        QVERIFY(write(partial, "new"));
        QVERIFY(write(dir.filePath("taken.png"), "old"));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling.png")));
        QCOMPARE(move(partial, dir.filePath("taken.png")), PartialOutput::Move::Taken);
        // Writing through a dangling link would create a file elsewhere.
        QCOMPARE(move(partial, dir.filePath("dangling.png")), PartialOutput::Move::Taken);
        QVERIFY(!QFileInfo::exists(dir.filePath("nowhere")));
        QCOMPARE(contents(dir.filePath("taken.png")), QByteArray("old"));
        QCOMPARE(move(partial, dir.filePath("free.png")), PartialOutput::Move::Moved);
        QCOMPARE(contents(dir.filePath("free.png")), QByteArray("new"));
        QVERIFY(!QFileInfo::exists(partial));

        const QString folder = PartialOutput::createFolder(dir.path());
        QVERIFY(write(folder + "/frame-1.png", "1"));
        QCOMPARE(move(folder, dir.filePath("taken.png")), PartialOutput::Move::Taken);
        QVERIFY(QDir().mkdir(dir.filePath("frames")));
        QCOMPARE(move(folder, dir.filePath("frames")), PartialOutput::Move::Taken);
        QCOMPARE(entries(dir.filePath("frames")), QStringList());
        QCOMPARE(move(folder, dir.filePath("frames2")), PartialOutput::Move::Moved);
        QCOMPARE(contents(dir.filePath("frames2/frame-1.png")), QByteArray("1"));
    }

    void claimTakesTheFirstFreeCandidate()
    {
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("a.png"), "old"));
        QVERIFY(write(dir.filePath("a_2.png"), "old"));
        const QString partial = PartialOutput::createFile(dir.path(), "png");
        const auto candidate = [&](int attempt) {
            return dir.filePath(attempt == 0 ? QStringLiteral("a.png")
                                             : QStringLiteral("a_%1.png").arg(attempt + 1));
        };
        QCOMPARE(PartialOutput::claim(partial, candidate), dir.filePath("a_3.png"));
        QCOMPARE(entries(dir.path()), QStringList({"a.png", "a_2.png", "a_3.png"}));
        // A partial that is gone cannot be claimed, and nothing is made in its place.
        QVERIFY(PartialOutput::claim(partial, candidate).isEmpty());
        QCOMPARE(entries(dir.path()), QStringList({"a.png", "a_2.png", "a_3.png"}));
    }

    void staleCleanupTakesOnlyOldPartialsOfGoneWriters()
    {
        QTemporaryDir dir;
        const QString own = QString::number(QCoreApplication::applicationPid());
        const QStringList kept{".chengying-unfinished-" + own + "-aaaaaaaa.mp4",      // a live writer: us
                               ".chengying-unfinished-" + kDeadPid + "-bbbbbbbb.mp4", // too new
                               ".照片 1.jpg.ZPh9k9",
                               "holiday.mp4",
                               ".chengying-unfinished-cccccccc.mp4",
                               "chengying-unfinished-" + kDeadPid + "-dddddddd.mp4"};
        const QStringList gone{".chengying-unfinished-" + kDeadPid + "-eeeeeeee.mp4",
                               ".chengying-unfinished-" + kDeadPid + "-ffffffff-3.png",
                               ".chengying-unfinished-" + kDeadPid + "-mkQ2w9Zx"};
        for (const QString& name : kept + gone)
            QVERIFY(write(dir.filePath(name), "x"));
        const QString folder = dir.filePath(".chengying-unfinished-" + kDeadPid + "-gggggggg.batch");
        QVERIFY(QDir().mkpath(folder + "/inner"));
        QVERIFY(write(folder + "/inner/piece.mp4", "x"));
        // A link of our pattern is removed as a link; what it points at stays.
        QVERIFY(QDir().mkdir(dir.filePath("target")));
        QVERIFY(write(dir.filePath("target/keep.txt"), "x"));
        const QString link = dir.filePath(".chengying-unfinished-" + kDeadPid + "-hhhhhhhh");
        QVERIFY(QFile::link(dir.filePath("target"), link));
        for (const QString& path : QStringList{folder, link} + gone + kept) {
            if (!path.contains("bbbbbbbb"))
                QVERIFY(age(QDir(dir.path()).absoluteFilePath(path)));
        }
        const QDateTime start = QDateTime::currentDateTime().addSecs(-60);

        QCOMPARE(PartialOutput::removeStale(dir.path(), start), gone.size() + 2);
        QStringList expected = kept;
        expected << "target";
        expected.sort();
        QCOMPARE(entries(dir.path()), expected);
        QVERIFY(QFileInfo::exists(dir.filePath("target/keep.txt")));
        QCOMPARE(PartialOutput::removeStale(dir.filePath("missing"), start), 0);
    }
};

QTEST_GUILESS_MAIN(TestPartialOutput)
#include "tst_partialoutput.moc"

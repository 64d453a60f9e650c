#include "framework/fileintake.h"
#include "imaging/extensionlists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFileIntake : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath("sub");
        for (const char* name : {"a.JPG", "b.png", "c.txt", "noext", "sub/deep.jpg", "archive.tar.gz"})
            touch(m_dir.filePath(name));
    }

    void addRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("upper-case suffix") << "a.JPG" << true;
        QTest::newRow("listed") << "b.png" << true;
        QTest::newRow("not listed") << "c.txt" << false;
        QTest::newRow("no suffix") << "noext" << false;
        QTest::newRow("last dot counts") << "archive.tar.gz" << false;
        QTest::newRow("jpg-mobile") << "x.jpg-mobile" << true;
    }
    void addRule()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(FileIntake::accepts(m_dir.filePath(name), ExtensionLists::allPictures()), accepted);
    }

    void foldersAreNotRecursive()
    {
        QStringList names;
        for (const QString& path : FileIntake::folderFiles(m_dir.path()))
            names << QFileInfo(path).fileName();
        names.sort();
        QCOMPARE(names, QStringList({"a.JPG", "archive.tar.gz", "b.png", "c.txt", "noext"}));
    }

    void naturalOrderAndSkipCount()
    {
        QStringList paths{"/f/clip 10.mp4", "/f/Clip 9.mp4", "/f/clip 1.mp4", "/f/b.mp4", "/f/a 2.txt"};
        FileIntake::sortNaturally(&paths);
        QCOMPARE(paths,
                 QStringList({"/f/a 2.txt", "/f/b.mp4", "/f/clip 1.mp4", "/f/Clip 9.mp4", "/f/clip 10.mp4"}));
        int skipped = -1;
        QCOMPARE(FileIntake::acceptedOf(paths, {"mp4"}, &skipped), paths.mid(1));
        QCOMPARE(skipped, 1);
        QCOMPARE(FileIntake::skipNotice(3), QString("3 个文件格式不支持，已跳过"));
    }

    void dropExpandsFoldersOneLevel()
    {
        const QStringList paths = FileIntake::expandDrop({QUrl::fromLocalFile(m_dir.filePath("sub")),
                                                          QUrl::fromLocalFile(m_dir.filePath("b.png")),
                                                          QUrl("https://example.invalid/x.png")});
        QCOMPARE(paths, QStringList({m_dir.filePath("sub/deep.jpg"), m_dir.filePath("b.png")}));
    }

    void dragEnterRule()
    {
        const QStringList& heic = ExtensionLists::heic();
        QVERIFY(!FileIntake::acceptsDrag({QUrl::fromLocalFile(m_dir.filePath("b.png"))}, heic));
        QVERIFY(FileIntake::acceptsDrag({QUrl::fromLocalFile(m_dir.filePath("b.png"))},
                                        ExtensionLists::rotate()));
        // Every entry ends with the empty suffix.
        QVERIFY(FileIntake::acceptsDrag({QUrl::fromLocalFile(m_dir.filePath("noext"))}, heic));
        QTemporaryDir onlyNoSuffix;
        touch(onlyNoSuffix.filePath("README"));
        QVERIFY(FileIntake::acceptsDrag({QUrl::fromLocalFile(onlyNoSuffix.path())}, heic));
        QTemporaryDir empty;
        QVERIFY(!FileIntake::acceptsDrag({QUrl::fromLocalFile(empty.path())}, heic));
    }

    void everyCameraSuffixIsTaken_data()
    {
        QTest::addColumn<QString>("suffix");
        for (const char* suffix : {"raw", "nef", "NRW", "rw2", "srw", "3fr", "iiq", "erf", "kdc", "mef",
                                   "mos", "rwl", "sr2", "srf", "X3F", "dng", "cr3"})
            QTest::newRow(suffix) << QString::fromLatin1(suffix);
    }
    void everyCameraSuffixIsTaken()
    {
        QFETCH(QString, suffix);
        const QString path = m_dir.filePath("shot." + suffix);
        // The RAW page, the pages of all pictures, and the pre-converter's choice read one list.
        QVERIFY(FileIntake::accepts(path, ExtensionLists::raw()));
        QVERIFY(FileIntake::accepts(path, ExtensionLists::allPictures()));
        QVERIFY(FileIntake::nameFilter(ExtensionLists::raw()).contains("*." + suffix.toLower() + " "));
        touch(path);
        QVERIFY(FileIntake::acceptsDrag({QUrl::fromLocalFile(path)}, ExtensionLists::raw()));
        QVERIFY(FileIntake::folderFiles(m_dir.path()).contains(path));
    }

    void dialogFilter()
    {
        QCOMPARE(FileIntake::nameFilter(ExtensionLists::heic()), QStringLiteral("*.heic *.heif "));
    }

private:
    static void touch(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestFileIntake)
#include "tst_fileintake.moc"

#include "app/appstartup.h"
#include "app/filerouter.h"
#include "imaging/extensionlists.h"
#include "media/mediaextensionlists.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

// The files the desktop and the software centres read, against the validators and the program.
class TestDesktopFiles : public QObject
{
    Q_OBJECT
private slots:
    void validators_data();
    void validators();
    void everyListedTypeReachesAPage();
    void everySuffixWithATypeIsListed();
    void namesMatchTheProgram();

private:
    static QString desktopFile()
    {
        return QStringLiteral(LINUX_DIR "/io.github.chengying.Chengying.desktop");
    }
    static QString metainfoFile()
    {
        return QStringLiteral(LINUX_DIR "/io.github.chengying.Chengying.metainfo.xml");
    }
    static QString entry(const QString& key);
    static QStringList mimeTypes() { return entry("MimeType").split(';', Qt::SkipEmptyParts); }
};

QString TestDesktopFiles::entry(const QString& key)
{
    QFile file(desktopFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

void TestDesktopFiles::validators_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{desktopFile()};
    QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net", metainfoFile()};
}

void TestDesktopFiles::validators()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    if (QStandardPaths::findExecutable(program).isEmpty())
        QFAIL(qPrintable(program + " is missing: install the packages of packages.txt"));
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(program, arguments);
    QVERIFY(validator.waitForFinished(60000));
    const QString report = QString::fromUtf8(validator.readAll());
    QVERIFY2(validator.exitStatus() == QProcess::NormalExit && validator.exitCode() == 0, qPrintable(report));
    // desktop-file-validate exits 0 on warnings.
    QVERIFY2(!report.contains("error:") && !report.contains("warning:"), qPrintable(report));
}

void TestDesktopFiles::everyListedTypeReachesAPage()
{
    const QMimeDatabase db;
    const QStringList listed = mimeTypes();
    QVERIFY(listed.contains("image/heif") && listed.contains("image/heic"));
    for (const QString& name : listed) {
        const QMimeType type = db.mimeTypeForName(name);
        QVERIFY2(type.isValid(), qPrintable(name + " is unknown to the MIME database"));
        bool routed = false;
        for (const QString& suffix : type.suffixes())
            routed = routed || FileRouter::toolFor("/f." + suffix) >= 0;
        QVERIFY2(routed, qPrintable(name + ": no page takes its files"));
    }
}

void TestDesktopFiles::everySuffixWithATypeIsListed()
{
    const QMimeDatabase db;
    QSet<QString> listed;
    for (const QString& name : mimeTypes())
        listed << db.mimeTypeForName(name).name();
    QStringList suffixes = ExtensionLists::allPictures() + ExtensionLists::pdf() +
                           MediaExtensionLists::videoFormat() + MediaExtensionLists::audioFormat();
    QStringList missing;
    for (const QString& suffix : suffixes) {
        const QList<QMimeType> types = db.mimeTypesForFileName("f." + suffix);
        // Suffixes with no type (qlv, kux, livp ...) reach their page by suffix alone.
        if (types.isEmpty())
            continue;
        bool found = false;
        for (const QMimeType& type : types)
            found = found || listed.contains(type.name());
        if (!found)
            missing << suffix + " (" + types.first().name() + ")";
    }
    QVERIFY2(missing.isEmpty(), qPrintable("not in MimeType: " + missing.join(", ")));
}

void TestDesktopFiles::namesMatchTheProgram()
{
    QVERIFY(entry("Exec").endsWith(" %F"));
    AppStartup::setIdentity();
    // Qt's X11 window class is the application name.
    QCOMPARE(entry("StartupWMClass"), QCoreApplication::applicationName());
    QCOMPARE(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(desktopFile()).fileName());
    QCOMPARE(entry("Icon"), QGuiApplication::desktopFileName());
    QFile metainfo(metainfoFile());
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(metainfo.readAll());
    QVERIFY(xml.contains("<id>" + QGuiApplication::desktopFileName() + "</id>"));
    QVERIFY(xml.contains("<launchable type=\"desktop-id\">" + QFileInfo(desktopFile()).fileName() +
                         "</launchable>"));
    // No screenshot until a real web address for one exists.
    QVERIFY(!xml.contains("file://"));
}

QTEST_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"

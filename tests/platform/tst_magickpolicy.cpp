#include "platform/apppaths.h"
#include "platform/toollauncher.h"
#include "support/fixtures.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Our ImageMagick policy reaches the tools only through the environment the launcher gives them,
// so these run the real converter the way a job does.
class TestMagickPolicy : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(Fixtures::mirrorAppDir(m_dir.path()));
        AppPaths::setAppDirForTesting(m_dir.path());
    }
    void cleanup() { AppPaths::setAppDirForTesting(QString()); }

    void limitsInForce()
    {
        ChildProcess process;
        ToolLauncher::prepare(process, QStringLiteral("magick"), {"-list", "resource"});
        QVERIFY(ToolLauncher::start(process));
        QVERIFY(process.waitForFinished(60000));
        QStringList limits;
        for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
            const QString item = line.simplified();
            for (const char* name : {"Width:", "Height:", "Area:", "Memory:", "Map:", "Disk:"}) {
                if (item.startsWith(QLatin1String(name)))
                    limits << item;
            }
        }
        QCOMPARE(limits, QStringList({"Width: 128KP", "Height: 128KP", "Area: 1GP", "Memory: 2GiB",
                                      "Map: 4GiB", "Disk: 8GiB"}));
    }

    void convertsPanoramaPastTheSystemCap()
    {
        // Debian's policy caps a side at 16KP and refuses this with "width or height exceeds limit".
        const QString source = m_dir.filePath("pano.png");
        QImage pano(20000, 40, QImage::Format_RGB32);
        for (int x = 0; x < pano.width(); ++x) {
            for (int y = 0; y < pano.height(); ++y)
                pano.setPixel(x, y, qRgb(x % 256, y * 6, 128));
        }
        QVERIFY(pano.save(source));
        const QString output = m_dir.filePath("pano.jpg");

        const ToolResult r = ToolLauncher::run("magick", {source, "-resize", "19000x", output});
        QVERIFY2(r.exitedCleanly(), r.standardError.constData());
        QCOMPARE(r.standardError, QByteArray());
        QCOMPARE(QImageReader(output).size(), QSize(19000, 38));
    }

    void pdfStillReadsAndWrites()
    {
        const QString pdf = m_dir.filePath("page.pdf");
        const QString png = m_dir.filePath("page.png");
        const ToolResult written = ToolLauncher::run("magick", {"-size", "60x40", "xc:red", pdf});
        QVERIFY2(written.exitedCleanly() && written.standardError.isEmpty(),
                 written.standardError.constData());

        const ToolResult read = ToolLauncher::run("magick", {pdf, png});
        QVERIFY2(read.exitedCleanly() && read.standardError.isEmpty(), read.standardError.constData());
        const QImage page(png);
        QCOMPARE(page.size(), QSize(60, 40));
        QCOMPARE(QColor(page.pixel(30, 20)), QColor(Qt::red));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestMagickPolicy)
#include "tst_magickpolicy.moc"

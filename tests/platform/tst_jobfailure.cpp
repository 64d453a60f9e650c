#include "platform/jobfailure.h"
#include "platform/toolresult.h"
#include "support/fixtures.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// The kinds a failure can have, their sentences, and how a failure is told apart.
class TestJobFailure : public QObject
{
    Q_OBJECT
private slots:
    void everyKindHasItsOwnChineseSentence()
    {
        QSet<QString> seen;
        static const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
        for (FailureKind kind : JobFailure::allKinds()) {
            const QString sentence = JobFailure::sentence(kind);
            QVERIFY2(sentence.contains(chinese), qPrintable(QString::number(int(kind))));
            QVERIFY2(!seen.contains(sentence), qPrintable(sentence));
            seen.insert(sentence);
        }
        QVERIFY(JobFailure::sentence(FailureKind::None).isEmpty());
        // The list is the whole enum: a kind added without a sentence would be missed.
        QCOMPARE(JobFailure::allKinds().last(), FailureKind::ToolFailed);
        QCOMPARE(int(JobFailure::allKinds().size()), int(FailureKind::ToolFailed));
    }

    void toolTipIsTheSentenceOverTheDetail()
    {
        const JobFailure full(FailureKind::DiskFull, "out.mp4: No space left on device");
        QCOMPARE(full.toolTip().split('\n'), QStringList({JobFailure::sentence(FailureKind::DiskFull),
                                                          "out.mp4: No space left on device"}));
        QCOMPARE(JobFailure(FailureKind::Stopped).toolTip(), JobFailure::sentence(FailureKind::Stopped));
        QVERIFY(!JobFailure().isFailure());
        QVERIFY(JobFailure().toolTip().isEmpty());
    }

    void knownToolLinesHaveTheirKind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<FailureKind>("kind");
        // Lines as the tools print them.
        QTest::newRow("magick header") << "convert-im6.q16: improper image header `/t/fake.png' @ "
                                          "error/png.c/ReadPNGImage/4092.\n"
                                       << FailureKind::SourceUnreadable;
        QTest::newRow("magick delegate") << "convert-im6.q16: no decode delegate for this image format `' @ "
                                            "error/constitute.c/ReadImage/575."
                                         << FailureKind::SourceUnreadable;
        QTest::newRow("magick limit") << "convert: width or height exceeds limit `big.png' @ "
                                         "error/cache.c/OpenPixelCache/3909."
                                      << FailureKind::LimitsExceeded;
        QTest::newRow("magick cache") << "convert: cache resources exhausted `a.tif' @ "
                                         "error/cache.c/OpenPixelCache/4095."
                                      << FailureKind::LimitsExceeded;
        QTest::newRow("ffmpeg input")
            << "/t/fake.mp4: Invalid data found when processing input" << FailureKind::SourceUnreadable;
        QTest::newRow("ffmpeg disk") << "[mp4 @ 0x55d] Error writing trailer: No space left on device\n"
                                        "Invalid data found when processing input"
                                     << FailureKind::DiskFull;
        QTest::newRow("ffmpeg no stream")
            << "Output file #0 does not contain any stream" << FailureKind::NoContent;
        QTest::newRow("ffmpeg map") << "Stream map '0:a' matches no streams." << FailureKind::NoContent;
        QTest::newRow("ffmpeg output") << "/ro/out.mp4: Permission denied" << FailureKind::OutputNotWritable;
        QTest::newRow("pdf password")
            << "Command Line Error: Incorrect password" << FailureKind::PasswordProtected;
        QTest::newRow("gifsicle") << "gifsicle: fake.gif: file not in GIF format"
                                  << FailureKind::SourceUnreadable;
        QTest::newRow("unknown") << "something else went wrong" << FailureKind::None;
        QTest::newRow("empty") << "" << FailureKind::None;
    }

    void knownToolLinesHaveTheirKind()
    {
        QFETCH(QString, text);
        QFETCH(FailureKind, kind);
        QCOMPARE(JobFailure::kindOfToolText(text), kind);
    }

    void filesAndRunsComeBeforeTheToolsWords()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("a.png");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkpath(out));
        const QString words = "convert: improper image header";
        QCOMPARE(JobFailure::classify(dir.filePath("gone.png"), out, nullptr, words),
                 FailureKind::SourceMissing);
        QCOMPARE(JobFailure::classify(source, dir.filePath("a.png/out"), nullptr, words),
                 FailureKind::OutputNotWritable);
        ToolResult crashed;
        crashed.started = crashed.finished = true;
        crashed.exitStatus = QProcess::CrashExit;
        QCOMPARE(JobFailure::classify(source, out, &crashed, words), FailureKind::ToolCrashed);
        QCOMPARE(JobFailure::classify(source, out, &crashed, QString()), FailureKind::ToolCrashed);
        const ToolResult neverStarted;
        QCOMPARE(JobFailure::classify(source, out, &neverStarted, QString()), FailureKind::ToolMissing);
        ToolResult exited;
        exited.started = exited.finished = true;
        exited.exitCode = 1;
        QCOMPARE(JobFailure::classify(source, out, &exited, words), FailureKind::SourceUnreadable);
        QCOMPARE(JobFailure::classify(source, out, &exited, QString()), FailureKind::ToolFailed);

        if (!Fixtures::setFolderReadOnly(out, true))
            QSKIP("this file system cannot make a folder read-only");
        const FailureKind readOnly = JobFailure::kindOfFiles(source, out);
        Fixtures::setFolderReadOnly(out, false);
        QCOMPARE(readOnly, FailureKind::OutputNotWritable);
    }
};

QTEST_APPLESS_MAIN(TestJobFailure)
#include "tst_jobfailure.moc"

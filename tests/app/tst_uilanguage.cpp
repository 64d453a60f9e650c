#include "app/appstartup.h"
#include "app/mainwidget.h"
#include "app/toolbar.h"
#include "app/toolbtn.h"
#include "app/uilanguage.h"
#include "platform/apppaths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <QtTest>

// Which language the program speaks, and whether its English is whole.
class TestUiLanguage : public QObject
{
    Q_OBJECT
private slots:
    void aStartFollowsTheLocale_data();
    void aStartFollowsTheLocale();
    void prefersEnglish_data();
    void prefersEnglish();
    void everyTextHasItsEnglish();
    void theEnglishTranslationIsBuiltIn();
    void everyPageSpeaksEnglish();

private:
    static QStringList textsOf(const QWidget* widget);
    static void removeTranslators();
};

void TestUiLanguage::prefersEnglish_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<bool>("english");
    QTest::newRow("nothing set") << QStringList{} << false;
    QTest::newRow("en_US") << QStringList{"LANG=en_US.UTF-8"} << true;
    QTest::newRow("en_GB without codeset") << QStringList{"LANG=en_GB"} << true;
    QTest::newRow("bare en") << QStringList{"LANG=en"} << true;
    QTest::newRow("zh_CN") << QStringList{"LANG=zh_CN.UTF-8"} << false;
    QTest::newRow("German") << QStringList{"LANG=de_DE.UTF-8"} << false;
    QTest::newRow("not en_") << QStringList{"LANG=eo.UTF-8"} << false;
    QTest::newRow("C") << QStringList{"LANG=C"} << false;
    QTest::newRow("POSIX") << QStringList{"LANG=POSIX"} << false;
    QTest::newRow("C.UTF-8") << QStringList{"LANG=C.UTF-8"} << false;
    QTest::newRow("LC_ALL wins") << QStringList{"LANG=zh_CN.UTF-8", "LC_ALL=en_US.UTF-8"} << true;
    QTest::newRow("LC_ALL C wins") << QStringList{"LANG=en_US.UTF-8", "LC_ALL=C"} << false;
    QTest::newRow("LC_MESSAGES over LANG")
        << QStringList{"LANG=zh_CN.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << true;
    QTest::newRow("empty LC_ALL is unset") << QStringList{"LC_ALL=", "LANG=en_US.UTF-8"} << true;
    QTest::newRow("LANGUAGE first") << QStringList{"LANG=zh_CN.UTF-8", "LANGUAGE=en_US:zh_CN"} << true;
    QTest::newRow("LANGUAGE Chinese first") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=zh_CN:en"} << false;
    QTest::newRow("LANGUAGE skips what has no texts")
        << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=fr:en"} << true;
    QTest::newRow("LANGUAGE with no known language")
        << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=fr"} << false;
    QTest::newRow("LANGUAGE ignored under C") << QStringList{"LANG=C", "LANGUAGE=en"} << false;
    QTest::newRow("empty LANGUAGE") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE="} << true;
}

void TestUiLanguage::prefersEnglish()
{
    QFETCH(QStringList, variables);
    QFETCH(bool, english);
    QProcessEnvironment env;
    for (const QString& variable : variables)
        env.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QCOMPARE(UiLanguage::prefersEnglish(env), english);
}

void TestUiLanguage::everyTextHasItsEnglish()
{
    QFile ts(QStringLiteral(TS_FILE));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString source;
    QStringList untranslated;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value("type").toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            // Texts the sources no longer use are kept for a later merge, and never shown.
            if (type == "vanished" || type == "obsolete")
                continue;
            if (type == "unfinished" || text.trimmed().isEmpty())
                untranslated << source;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY2(untranslated.isEmpty(), qPrintable("no English for: " + untranslated.join(" | ")));
}

void TestUiLanguage::theEnglishTranslationIsBuiltIn()
{
    QVERIFY(QFile::exists(":/i18n/chengying_en.qm"));
    QVERIFY(UiLanguage::installEnglish(*QCoreApplication::instance()));
}

QStringList TestUiLanguage::textsOf(const QWidget* widget)
{
    QStringList texts{widget->toolTip(), widget->windowTitle()};
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        texts << button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        texts << edit->placeholderText() << edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    }
    if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (const QTableWidgetItem* item = table->horizontalHeaderItem(column))
                texts << item->text();
        }
    }
    return texts;
}

void TestUiLanguage::everyPageSpeaksEnglish()
{
    QVERIFY(UiLanguage::installEnglish(*QCoreApplication::instance()));
    MainWidget window(nullptr);
    QList<const QWidget*> widgets{&window};
    for (const QWidget* child : window.findChildren<QWidget*>())
        widgets << child;
    // The tool buttons of pages off the strip have no parent; the toolbox lists their labels.
    for (int tool = 0; tool < ToolTable::ToolCount; ++tool)
        widgets << window.toolBar()->button(tool);
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    QStringList left;
    for (const QWidget* widget : widgets) {
        for (QString text : textsOf(widget)) {
            // The default output folder keeps its Chinese name.
            text.remove(AppPaths::appName());
            if (text.contains(chinese))
                left << QString::fromLatin1(widget->metaObject()->className()) + ": " + text;
        }
    }
    left.removeDuplicates();
    QVERIFY2(left.isEmpty(), qPrintable("still Chinese: " + left.join(" | ")));
    QCOMPARE(window.windowTitle(), QStringLiteral("Chengying HEIC Converter"));
}

void TestUiLanguage::removeTranslators()
{
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void TestUiLanguage::aStartFollowsTheLocale_data()
{
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << QByteArray("en_US.UTF-8") << true;
    QTest::newRow("C") << QByteArray("C") << false;
    QTest::newRow("German") << QByteArray("de_DE.UTF-8") << false;
}

void TestUiLanguage::aStartFollowsTheLocale()
{
    QFETCH(QByteArray, lang);
    QFETCH(bool, english);
    removeTranslators();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(name);
    qputenv("LANG", lang);
    AppStartup::installTranslations(*QCoreApplication::instance());
    AppStartup::configureProcess(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    MainWidget window(nullptr);
    window.show();
    ToolBar* strip = window.toolBar();
    QCOMPARE(strip->button(ToolTable::Heic)->text(), english ? QString("HEIC") : QString("HEIC转换"));
    QCOMPARE(strip->button(ToolTable::ToolBox)->text(), english ? QString("Toolbox") : QString("实用工具箱"));
    QStringList pageButtons;
    for (const QPushButton* button : window.currentPage()->findChildren<QPushButton*>())
        pageButtons << button->text();
    QVERIFY2(pageButtons.contains(english ? QString("Add Files") : QString("添加文件")),
             qPrintable(pageButtons.join(',')));
    // Qt's own dialogs speak the same language.
    QMessageBox box(QMessageBox::Information, "t", "x", QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), english ? QString("Cancel") : QString("取消"));
    removeTranslators();
}

QTEST_MAIN(TestUiLanguage)
#include "tst_uilanguage.moc"

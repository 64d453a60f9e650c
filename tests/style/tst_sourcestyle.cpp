#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// Colours and font families are written in style/ only; the rest of the code names them
// (Palette, AppFonts), so a look changes in one place. This reads the source tree itself.
namespace {
// Product folders; style/ is where the values live, tests/ may state them.
const char* const kProductFolders[] = {"app",     "framework", "tools",    "widgets", "player",
                                       "imaging", "media",     "platform", "helpers", "bench"};
// Only the interface draws: elsewhere numbers in a QColor are pixel data, not a look.
const char* const kInterfaceFolders[] = {"app", "framework", "tools", "widgets"};

struct Rule
{
    const char* what;
    QRegularExpression pattern;
    bool interfaceOnly;
};

const QList<Rule>& rules()
{
    static const QList<Rule> list = {
        {"hex colour",
         QRegularExpression(
             QString::fromLatin1("(?<![\\w&])#(?:[0-9A-Fa-f]{8}|[0-9A-Fa-f]{6}|[0-9A-Fa-f]{3,4})\\b")),
         false},
        {"font family",
         QRegularExpression(
             QString::fromLatin1("QFont(?:\\s+\\w+)?\\s*[({]\\s*(?:QStringLiteral|QLatin1String|QString)?\\s*"
                                 "\\(?\\s*\"|setFamil(?:y|ies)\\s*\\(|font-family|[{;]\\s*font\\s*:")),
         false},
        {"colour from numbers",
         QRegularExpression(
             QString::fromLatin1("QColor\\s*\\(\\s*\\d|QColor::from[A-Z]\\w*\\s*\\(\\s*\\d|qRgba?\\s*\\(")),
         true},
        {"Qt colour constant",
         QRegularExpression(
             QString::fromLatin1("Qt::(?:white|black|red|green|blue|cyan|magenta|yellow|gray|darkGray|"
                                 "lightGray|dark(?:Red|Green|Blue|Cyan|Magenta|Yellow))\\b")),
         true},
    };
    return list;
}

// The rules a line breaks; "#include" and "#endif" are no colours by the pattern itself.
QStringList offences(const QString& line, bool interface)
{
    QStringList found;
    for (const Rule& rule : rules()) {
        if ((!rule.interfaceOnly || interface) && rule.pattern.match(line).hasMatch())
            found << QLatin1String(rule.what);
    }
    return found;
}
} // namespace

class TestSourceStyle : public QObject
{
    Q_OBJECT
private slots:
    void rulesSeeWhatTheyMean_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("interface");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;
        QTest::newRow("sheet hex") << "setStyleSheet(QStringLiteral(\"QLabel{color:#484848;}\"));" << true
                                   << QStringList{"hex colour"};
        QTest::newRow("short hex at line start")
            << "\"#fff;border:0px;}\"" << false << QStringList{"hex colour"};
        QTest::newRow("hex with alpha") << "QColor(\"#7F264E77\")" << false << QStringList{"hex colour"};
        QTest::newRow("token") << "StyleSheet::make(\"QLabel{color:@text;}\")" << true << none;
        QTest::newRow("object name selector") << "\"QWidget#parHeaderWidget{border:0px;}\"" << true << none;
        QTest::newRow("object name of hex letters") << "\"QPushButton#add{border:0px;}\"" << true << none;
        QTest::newRow("include") << "#include \"style/palette.h\"" << true << none;
        QTest::newRow("endif") << "#endif" << true << none;
        QTest::newRow("html entity") << "tr(\"a&#160;b\")" << true << none;
        QTest::newRow("family by name") << "setFont(QFont(QStringLiteral(\"Microsoft YaHei\"), 8));" << true
                                        << QStringList{"font family"};
        QTest::newRow("family plain") << "QFont font(\"Noto Sans\");" << false << QStringList{"font family"};
        QTest::newRow("family set") << "font.setFamily(name);" << false << QStringList{"font family"};
        QTest::newRow("family in sheet")
            << "\"QLabel{font-family:Arial;}\"" << true << QStringList{"font family"};
        QTest::newRow("font shorthand in sheet")
            << "\"QLabel{color:@text;font: 12px Arial;}\"" << true << QStringList{"font family"};
        QTest::newRow("range over fonts") << "for (const QFont& font : fonts)" << true << none;
        QTest::newRow("hex in a define")
            << "#define BORDER \"#E2E2E2\"" << false << QStringList{"hex colour"};
        QTest::newRow("font from accessor") << "setFont(AppFonts::familyFont(8));" << true << none;
        QTest::newRow("copied font") << "QFont font = AppFonts::largeFont();" << true << none;
        QTest::newRow("painted colour")
            << "painter.setBrush(QColor(39, 105, 188));" << true << QStringList{"colour from numbers"};
        QTest::newRow("pixel data outside the interface")
            << "image.setPixel(0, 0, qRgb(0, 0, 0));" << false << none;
        QTest::newRow("named colour")
            << "painter.fillRect(rect, Qt::darkGray);" << true << QStringList{"Qt colour constant"};
        QTest::newRow("transparent is no colour") << "pixmap.fill(Qt::transparent);" << true << none;
        QTest::newRow("colour from the palette")
            << "painter.setBrush(Palette::color(Palette::kTrackPlayed));" << true << none;
    }
    void rulesSeeWhatTheyMean()
    {
        QFETCH(QString, line);
        QFETCH(bool, interface);
        QFETCH(QStringList, expected);
        QCOMPARE(offences(line, interface), expected);
    }

    void noColourOrFamilyOutsideStyle()
    {
        const QDir root(QStringLiteral(SOURCE_DIR));
        QStringList found;
        QStringList seen;
        for (const char* folder : kProductFolders) {
            const bool interface = std::find_if(std::begin(kInterfaceFolders), std::end(kInterfaceFolders),
                                                [folder](const char* f) {
                                                    return qstrcmp(f, folder) == 0;
                                                }) != std::end(kInterfaceFolders);
            QDirIterator it(root.filePath(QLatin1String(folder)), {"*.cpp", "*.h", "*.c"}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile file(path);
                QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(path));
                seen << root.relativeFilePath(path);
                int number = 0;
                while (!file.atEnd()) {
                    const QString line = QString::fromUtf8(file.readLine());
                    ++number;
                    for (const QString& what : offences(line, interface))
                        found << QStringLiteral("%1:%2: %3: %4")
                                     .arg(root.relativeFilePath(path))
                                     .arg(number)
                                     .arg(what, line.trimmed());
                }
            }
        }
        // A wrong source path would find nothing and pass.
        QVERIFY(seen.contains(QStringLiteral("app/mainwidget.cpp")));
        QVERIFY(seen.contains(QStringLiteral("tools/picture/crop/cropdialog.cpp")));
        QVERIFY2(found.isEmpty(), qPrintable(QLatin1Char('\n') + found.join(QLatin1Char('\n'))));
    }
};

QTEST_APPLESS_MAIN(TestSourceStyle)
#include "tst_sourcestyle.moc"

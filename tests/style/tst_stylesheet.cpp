#include "style/palette.h"
#include "style/stylesheet.h"

#include <QtTest>

// The palette fills the sheets: what comes out must be the exact sheets the widgets were designed with.
class TestStyleSheet : public QObject
{
    Q_OBJECT
private slots:
    void tokensBecomeColours_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("plain text") << "QLabel{color:@text;}"
                                    << "QLabel{color:#484848;}";
        QTest::newRow("hover name is longer than its base")
            << "QPushButton{background-color:@blueButton;}QPushButton:hover{background-color:@"
               "blueButtonHover;}"
            << "QPushButton{background-color:#3C6EFF;}QPushButton:hover{background-color:#507BFB;}";
        QTest::newRow("no token") << "QWidget{background-color:white;}"
                                  << "QWidget{background-color:white;}";
        QTest::newRow("unknown token stays") << "QLabel{color:@nothing;}"
                                             << "QLabel{color:@nothing;}";
        QTest::newRow("url with at sign is untouched by known names")
            << "QLabel{border:1px solid @accent;image:url(:/icons/icons/a.png);}"
            << "QLabel{border:1px solid #027DF0;image:url(:/icons/icons/a.png);}";
        QTest::newRow("name running into more letters is another name") << "QLabel{color:@textual;}"
                                                                        << "QLabel{color:@textual;}";
        QTest::newRow("lone at sign") << "QLabel{color:@;}@"
                                      << "QLabel{color:@;}@";
    }
    void tokensBecomeColours()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, sheet);
        QCOMPARE(StyleSheet::make(pattern.toUtf8().constData()), sheet);
    }

    void everyColourHasItsOwnToken()
    {
        QSet<QString> tokens;
        for (const Palette::Colour& colour : Palette::kAll) {
            QVERIFY(Palette::color(colour).isValid());
            QVERIFY2(!tokens.contains(QLatin1String(colour.token)), colour.token);
            tokens << QLatin1String(colour.token);
        }
        QCOMPARE(Palette::color(Palette::kText), QColor(0x48, 0x48, 0x48));
        // Painted see-through colours: alpha comes first in the name, as QColor reads it.
        QCOMPARE(Palette::color(Palette::kDialogShadow), QColor(38, 78, 119, 127));
        QCOMPARE(Palette::color(Palette::kProgressVeil), QColor(105, 110, 114, 160));
    }
};

QTEST_APPLESS_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"

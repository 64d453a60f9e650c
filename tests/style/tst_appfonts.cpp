#include "style/appfonts.h"
#include "style/widgetsize.h"

#include <QtTest>

class TestAppFonts : public QObject
{
    Q_OBJECT
private slots:
    void screenClass_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<bool>("small");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("standardPx");
        QTest::newRow("1600 wide is small") << QSize(1600, 1000) << 96.0 << true << QSize(1100, 730) << 15;
        QTest::newRow("1601x890 is normal") << QSize(1601, 890) << 96.0 << false << QSize(1400, 900) << 15;
        QTest::newRow("889 high is small") << QSize(1920, 889) << 96.0 << true << QSize(1100, 730) << 15;
        QTest::newRow("1366x728 laptop") << QSize(1366, 728) << 96.0 << true << QSize(1100, 730) << 15;
        QTest::newRow("dpi 144 is high density")
            << QSize(1920, 1040) << 144.0 << false << QSize(1400, 900) << 18;
        QTest::newRow("dpi 143.9 is not") << QSize(1920, 1040) << 143.9 << false << QSize(1400, 900) << 15;
        QTest::newRow("small ignores dpi") << QSize(1280, 800) << 192.0 << true << QSize(1100, 730) << 15;
    }
    void screenClass()
    {
        QFETCH(QSize, available);
        QFETCH(qreal, dpi);
        QFETCH(bool, small);
        QFETCH(QSize, window);
        QFETCH(int, standardPx);
        QCOMPARE(AppFonts::configure(available, dpi), small);
        QCOMPARE(WidgetSize::isSmallScreen(), small);
        QCOMPARE(WidgetSize::mainWindow(), window);
        QCOMPARE(AppFonts::standardFont().pixelSize(), standardPx);
        QCOMPARE(AppFonts::standardFont().family(), QStringLiteral("Microsoft YaHei"));
    }

    void fontTable()
    {
        // The small progress font is larger than the normal one: kept as designed.
        const AppFonts::PixelSizes small = AppFonts::pixelSizesFor(true, 96);
        const AppFonts::PixelSizes normal = AppFonts::pixelSizesFor(false, 96);
        const AppFonts::PixelSizes dense = AppFonts::pixelSizesFor(false, 144);
        QCOMPARE((QList<int>{small.standard, small.item, small.large, small.progress}),
                 (QList<int>{15, 12, 17, 20}));
        QCOMPARE((QList<int>{normal.standard, normal.item, normal.large, normal.progress}),
                 (QList<int>{15, 14, 18, 15}));
        QCOMPARE((QList<int>{dense.standard, dense.item, dense.large, dense.progress}),
                 (QList<int>{18, 16, 20, 18}));
    }

    void sizesFollowTheScreenClass()
    {
        WidgetSize::setSmallScreen(true);
        QCOMPARE(WidgetSize::comboBox().height(), 35);
        QCOMPARE(WidgetSize::toolButton(), QSize(115, 70));
        QCOMPARE(WidgetSize::dropZone().width(), 760);
        QCOMPARE(WidgetSize::cropToolButton(), QSize(40, 40));
        WidgetSize::setSmallScreen(false);
        QCOMPARE(WidgetSize::comboBox().height(), 45);
        QCOMPARE(WidgetSize::toolButton(), QSize(150, 90));
        QCOMPARE(WidgetSize::dropZone().width(), 1000);
        QCOMPARE(WidgetSize::compressActionColumn(), QSize(100, 60));
    }

    void yaheiMapsToAnInstalledCjkFont()
    {
        AppFonts::installFamilySubstitution();
        const QFontInfo info(QFont(QStringLiteral("Microsoft YaHei")));
        QVERIFY2(info.family().contains(QStringLiteral("WenQuanYi"), Qt::CaseInsensitive) ||
                     info.family().contains(QStringLiteral("CJK"), Qt::CaseInsensitive),
                 qPrintable(info.family()));
        QVERIFY(QFontMetrics(QFont(QStringLiteral("Microsoft YaHei"))).inFont(QChar(0x6F84))); // 澄
    }
};

QTEST_MAIN(TestAppFonts)
#include "tst_appfonts.moc"

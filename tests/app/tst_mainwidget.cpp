#include "app/appstartup.h"
#include "app/mainwidget.h"
#include "app/toolbar.h"
#include "app/toolboxpanel.h"
#include "app/toolbtn.h"
#include "framework/picturecenterwt.h"
#include "framework/picturepagewt.h"
#include "framework/toolpagewt.h"
#include "style/appfonts.h"
#include "style/widgetsize.h"
#include "widgets/operbtnbar.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

class TestMainWidget : public QObject
{
    Q_OBJECT
private slots:
    void dragBand_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("inBand");
        QTest::newRow("inside") << QPoint(10, 10) << true;
        QTest::newRow("x = 0") << QPoint(0, 10) << false;
        QTest::newRow("y = 0") << QPoint(10, 0) << false;
        QTest::newRow("y = 59") << QPoint(10, 59) << true;
        QTest::newRow("y = 60") << QPoint(10, 60) << false;
        QTest::newRow("last pixel before the buttons") << QPoint(1299, 30) << true;
        QTest::newRow("window buttons") << QPoint(1300, 30) << false;
    }
    void dragBand()
    {
        QFETCH(QPoint, pos);
        QFETCH(bool, inBand);
        QCOMPARE(MainWidget::inDragBand(pos, 1400), inBand);
    }

    void dragStartsOnlyInTheBandAndEndsOnRelease()
    {
        MainWidget window(nullptr);
        window.show();
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(1350, 30));
        QVERIFY(!window.isDragging());
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(1350, 30));
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 20));
        QVERIFY(window.isDragging());
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(700, 600));
        QVERIFY(!window.isDragging());
    }

    void startsOnTheHeicPageWithItsButtonSelected()
    {
        MainWidget window(nullptr);
        window.show();
        QCOMPARE(window.size(), WidgetSize::mainWindow());
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Heic));
        for (QWidget* page : window.pages())
            QCOMPARE(page->isVisible(), page == window.pageFor(ToolTable::Heic));
        ToolBar* strip = window.toolBar();
        QCOMPARE(strip->selectedButton(), strip->button(ToolTable::Heic));
        QVERIFY(strip->button(ToolTable::Heic)->styleSheet().contains("background-color:white"));
        for (int tool : {ToolTable::Raw, ToolTable::Format, ToolTable::Rotate, ToolTable::Resize}) {
            QVERIFY(strip->button(tool)->isVisible());
            QVERIFY(strip->button(tool)->styleSheet().contains("#EBEFF8"));
        }
        // Only the five strip buttons are placed, left to right in this order, and the toolbox
        // after them once some page is off the strip.
        QList<ToolBtn*> shown;
        for (int tool = 0; tool < ToolTable::ToolCount; ++tool) {
            if (strip->button(tool)->isVisible())
                shown << strip->button(tool);
        }
        std::sort(shown.begin(), shown.end(), [](ToolBtn* a, ToolBtn* b) { return a->x() < b->x(); });
        QStringList labels;
        for (ToolBtn* button : shown)
            labels << button->text();
        // The toolbox follows them once a page lives off the strip.
        QStringList expected{"HEIC转换", "RAW转换", "格式转换", "批量图片旋转", "批量尺寸修改"};
        if (!ToolTable::standard().offStripPages().isEmpty())
            expected << "实用工具箱";
        QCOMPARE(labels, expected);
    }

    void pressingAToolSwitchesPagesOnce()
    {
        MainWidget window(nullptr);
        window.show();
        ToolBar* strip = window.toolBar();
        QSignalSpy selections(strip, &ToolBar::siginalParent);
        QTest::mousePress(strip->button(ToolTable::Rotate), Qt::LeftButton);
        QCOMPARE(selections.count(), 1);
        QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Rotate));
        QVERIFY(window.pageFor(ToolTable::Rotate)->isVisible());
        QVERIFY(!window.pageFor(ToolTable::Heic)->isVisible());
        QVERIFY(!strip->button(ToolTable::Heic)->isSelected());
        // A second press on the selected tool neither re-emits nor re-shows.
        QTest::mousePress(strip->button(ToolTable::Rotate), Qt::LeftButton);
        QCOMPARE(selections.count(), 1);
    }

    // All sixteen pages exist from the start, in their order; what they hold is made when one is
    // first shown (and kept), so a page switched to shows its whole body at once.
    void pagesAreBuiltOnFirstShow()
    {
        MainWidget window(nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pages().size(), 16);
        for (QWidget* page : window.pages()) {
            auto* toolPage = qobject_cast<ToolPageWT*>(page);
            QVERIFY(toolPage);
            QCOMPARE(toolPage->isBuilt(), page == window.pageFor(ToolTable::Heic));
        }
        auto* resize = qobject_cast<ToolPageWT*>(window.pageFor(ToolTable::Resize));
        const QList<QWidget*> before = resize->findChildren<QWidget*>();
        QVERIFY(before.isEmpty());
        window.switchTab(window.toolBar()->button(ToolTable::Resize));
        QVERIFY(resize->isBuilt());
        // Shown with the page, not an event later.
        QVERIFY(resize->findChild<OperBtnBar*>()->isVisible());
        QVERIFY(qobject_cast<PicturePageWT*>(resize)->center()->isVisible());
        QApplication::processEvents();
        QVERIFY(qobject_cast<PicturePageWT*>(resize)->center()->height() > resize->height() / 2);
        // Back and forth keeps what was built, with its settings.
        const int children = resize->findChildren<QWidget*>().size();
        window.switchTab(window.toolBar()->button(ToolTable::Heic));
        window.switchTab(window.toolBar()->button(ToolTable::Resize));
        QCOMPARE(resize->findChildren<QWidget*>().size(), children);
    }

    // A page never shown is built by its first use: files added from outside, a start pressed.
    void aHiddenPageIsBuiltByItsFirstUse()
    {
        MainWidget window(nullptr);
        auto* rotate = qobject_cast<ToolPageWT*>(window.pageFor(ToolTable::Rotate));
        QVERIFY(!rotate->isBuilt());
        QCOMPARE(rotate->addPaths({QStringLiteral("/nowhere/a.txt")}), 0);
        QVERIFY(rotate->isBuilt());
        QVERIFY(!rotate->isVisible());
        auto* video = qobject_cast<ToolPageWT*>(window.pageFor(ToolTable::VideoFormat));
        QVERIFY(video && !video->isBuilt());
        QVERIFY(QMetaObject::invokeMethod(video, "fmt"));
        QVERIFY(video->isBuilt());
    }

    void hoverOnlyTouchesUnselectedButtons()
    {
        MainWidget window(nullptr);
        window.show();
        ToolBtn* raw = window.toolBar()->button(ToolTable::Raw);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(raw, &enter);
        QVERIFY(raw->styleSheet().contains("background-color:white"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(raw, &leave);
        QVERIFY(raw->styleSheet().contains("#EBEFF8"));
        ToolBtn* heic = window.toolBar()->button(ToolTable::Heic);
        QApplication::sendEvent(heic, &leave);
        QVERIFY(heic->styleSheet().contains("background-color:white"));
    }

    void toolsWithoutAPageHideEverything()
    {
        MainWidget window(nullptr);
        window.show();
        window.switchTab(nullptr);
        QVERIFY(window.pageFor(ToolTable::Heic)->isVisible());
        window.switchTab(window.toolBar()->button(ToolTable::MediaExtract));
        for (QWidget* page : window.pages())
            QVERIFY(!page->isVisible());
        window.switchTab(window.toolBar()->button(ToolTable::Format));
        QVERIFY(window.pageFor(ToolTable::Format)->isVisible());
    }

    void aPageComesFromItsTableEntryAlone()
    {
        // A page given to one entry of the table: the window creates it, lays it out and shows it
        // for that button; nothing else is touched.
        ToolTable table = ToolTable::standard();
        table.entries[ToolTable::Crop].page = [](QWidget* parent) -> QWidget* {
            auto* page = new QLabel(QStringLiteral("crop"), parent);
            page->setObjectName(QStringLiteral("registeredPage"));
            return page;
        };
        MainWidget window(table, nullptr);
        window.show();
        QWidget* page = window.pageFor(ToolTable::Crop);
        QVERIFY(page);
        QCOMPARE(page->objectName(), QStringLiteral("registeredPage"));
        QVERIFY(!page->isVisible());
        window.switchTab(window.toolBar()->button(ToolTable::Crop));
        QVERIFY(page->isVisible());
        QCOMPARE(window.currentPage(), page);
        QVERIFY(!window.pageFor(ToolTable::Heic)->isVisible());
    }

    void theToolboxListsThePagesOffTheStrip()
    {
        // A table with no page off the strip: no toolbox.
        {
            ToolTable stripOnly = ToolTable::standard();
            for (int tool : stripOnly.offStripPages())
                stripOnly.entries[tool].page = {};
            MainWidget window(stripOnly, nullptr);
            window.show();
            QVERIFY(!window.toolBar()->button(ToolTable::ToolBox)->isVisible());
            QVERIFY(!window.toolBar()->toolBoxPanel());
        }
        ToolTable table = ToolTable::standard();
        for (int tool : {ToolTable::Crop, ToolTable::VideoFormat}) {
            table.entries[tool].page = [](QWidget* parent) -> QWidget* { return new QLabel("page", parent); };
        }
        MainWidget window(table, nullptr);
        window.show();
        ToolBar* strip = window.toolBar();
        ToolBtn* toolBox = strip->button(ToolTable::ToolBox);
        QVERIFY(toolBox->isVisible());
        QVERIFY(toolBox->x() > strip->button(ToolTable::Resize)->x());
        ToolBoxPanel* panel = strip->toolBoxPanel();
        QVERIFY(panel);
        QVERIFY(panel->entry(ToolTable::Crop) && panel->entry(ToolTable::VideoFormat));
        QVERIFY(!panel->entry(ToolTable::Heic));
        // The video tool's entry shows its coloured icon, not the white one.
        QVERIFY(!panel->entry(ToolTable::VideoFormat)->icon().isNull());

        // Opening changes neither the selection nor the page.
        QTest::mousePress(toolBox, Qt::LeftButton);
        QVERIFY(panel->isVisible());
        QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Heic));
        QVERIFY(window.pageFor(ToolTable::Heic)->isVisible());
        QVERIFY(!toolBox->isSelected());
        panel->hide();
        QVERIFY(strip->button(ToolTable::Heic)->isSelected());
        QVERIFY(window.pageFor(ToolTable::Heic)->isVisible());

        // Choosing shows the page and marks the toolbox.
        QTest::mousePress(toolBox, Qt::LeftButton);
        QTest::mouseClick(panel->entry(ToolTable::Crop), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(window.currentPage(), window.pageFor(ToolTable::Crop));
        QVERIFY(window.pageFor(ToolTable::Crop)->isVisible());
        QVERIFY(toolBox->isSelected());
        QVERIFY(!strip->button(ToolTable::Heic)->isSelected());

        // Selected, it still opens on every press; dismissing keeps the chosen page.
        QTest::mousePress(toolBox, Qt::LeftButton);
        QVERIFY(panel->isVisible());
        panel->hide();
        QVERIFY(window.pageFor(ToolTable::Crop)->isVisible());
        QVERIFY(toolBox->isSelected());
        QTest::mousePress(toolBox, Qt::LeftButton);
        QTest::mouseClick(panel->entry(ToolTable::VideoFormat), Qt::LeftButton);
        QVERIFY(window.pageFor(ToolTable::VideoFormat)->isVisible());
        QVERIFY(!window.pageFor(ToolTable::Crop)->isVisible());

        // A strip button takes the selection back.
        QTest::mousePress(strip->button(ToolTable::Raw), Qt::LeftButton);
        QVERIFY(!toolBox->isSelected());
        QVERIFY(window.pageFor(ToolTable::Raw)->isVisible());
    }

    void qtsOwnDialogsSpeakChinese()
    {
        QVERIFY(AppStartup::installQtTranslation(*QCoreApplication::instance()));
        const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
        QVERIFY2(lookIn != QLatin1String("Look in:"), qPrintable(lookIn));
        QMessageBox box(QMessageBox::Information, "t", "x", QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    }

    void closeButtonClosesTheWindow()
    {
        MainWidget window(nullptr);
        window.show();
        QVERIFY(window.isVisible());
        QTest::mouseClick(window.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestMainWidget)
#include "tst_mainwidget.moc"

#include "style/widgetsize.h"
#include "widgets/mycombobox.h"
#include "widgets/mydialog.h"
#include "widgets/mylineedit.h"
#include "widgets/operbtn.h"
#include "widgets/operbtnbar.h"
#include "widgets/submitbtn.h"

#include <QPointer>
#include <QPushButton>
#include <QtTest>

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void noticeShowsOneButtonAndDiesOnOk()
    {
        QWidget page;
        QPointer<MyDialog> dialog = new MyDialog(QStringLiteral("请添加要转换的文件！"), &page);
        dialog->show();
        QList<QPushButton*> visible;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->isVisible())
                visible << button;
        }
        QCOMPARE(visible.size(), 1);
        QCOMPARE(visible.first()->text(), QStringLiteral("确定"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("提示"));
        QCOMPARE(dialog->size(), QSize(450, 200));
        QTest::mouseClick(visible.first(), Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
    }

    void closingByTheWindowAlsoDestroysIt()
    {
        QPointer<MyDialog> dialog = new MyDialog(QStringLiteral("x"), nullptr);
        dialog->show();
        dialog->close();
        QTRY_VERIFY(dialog.isNull());
    }

    void twoNoticesAreIndependent()
    {
        QWidget page;
        QPointer<MyDialog> first = new MyDialog(QStringLiteral("一"), &page);
        QPointer<MyDialog> second = new MyDialog(QStringLiteral("二"), &page);
        first->show();
        second->show();
        first->close();
        QTRY_VERIFY(first.isNull());
        QVERIFY(!second.isNull());
        QVERIFY(second->isVisible());
        QCOMPARE(second->message(), QStringLiteral("二"));
        second->close();
    }

    void sizesFollowTheScreenClass_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QSize>("operButton");
        QTest::newRow("small") << true << 35 << ":/icons/icons/down_arrow_small.png" << QSize(130, 40);
        QTest::newRow("normal") << false << 45 << ":/icons/icons/down_arrow.png" << QSize(150, 45);
    }
    void sizesFollowTheScreenClass()
    {
        QFETCH(bool, small);
        QFETCH(int, height);
        QFETCH(QString, arrow);
        QFETCH(QSize, operButton);
        WidgetSize::setSmallScreen(small);
        MyComboBox combo(nullptr);
        MyLineEdit edit(nullptr);
        QCOMPARE(combo.height(), height);
        QCOMPARE(edit.height(), height);
        QVERIFY(combo.styleSheet().contains(arrow));
        OperBtnBar bar(nullptr);
        QCOMPARE(bar.addFileButton()->size(), operButton);
        QCOMPARE(bar.addDirButton()->text(), QStringLiteral("添加文件夹"));
        QCOMPARE(bar.clearButton()->text(), QStringLiteral("清空列表"));
        SubmitBtn start(QStringLiteral("开始转换"), false, nullptr);
        QCOMPARE(start.height(), small ? 45 : 60);
        QVERIFY(start.styleSheet().contains("#FF9F00"));
        WidgetSize::setSmallScreen(false);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"

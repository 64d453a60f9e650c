#include "tools/media/common/fmttargetitemwt.h"
#include "tools/media/fmtchoosen/fmtchobtn.h"
#include "tools/media/fmtchoosen/fmtchoosenwt.h"
#include "tools/media/fmtchoosen/fmtchorightwt.h"
#include "tools/media/fmtchoosen/fmtrightbtn.h"
#include "tools/media/fmtchoosen/searchwt.h"
#include "tools/media/fmtchoosen/videofmtcombox.h"
#include "widgets/sliderwidget.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
FmtChoBtn* entryNamed(const QList<FmtChoBtn*>& entries, const QString& name)
{
    for (FmtChoBtn* entry : entries) {
        if (entry->text() == name)
            return entry;
    }
    return nullptr;
}

QStringList visibleNames(const QList<FmtChoBtn*>& entries)
{
    QStringList names;
    for (FmtChoBtn* entry : entries) {
        if (!entry->isHidden())
            names << entry->text();
    }
    return names;
}

QStringList labels(const FmtChoRightWT* panel)
{
    QStringList names;
    for (FmtRightBtn* button : panel->buttons())
        names << button->label();
    return names;
}

FmtRightBtn* selectedPreset(const FmtChoRightWT* panel)
{
    for (FmtRightBtn* button : panel->buttons()) {
        if (button->isSelected())
            return button;
    }
    return nullptr;
}

// A drag with the button held: QTest's own move only places the cursor, which offscreen does nothing.
void drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}
} // namespace

// The format chooser and the compression rows' slider, driven by the mouse and the keyboard.
class TestMediaChooser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<FmtRightBtn*>(); }

    void categoriesAndFirstPresets()
    {
        FmtChoosenWT both(true, FmtChoosenWT::VideoAndAudio, nullptr);
        QCOMPARE(both.size(), QSize(500, 500));
        QCOMPARE(both.videoEntries().size(), 13);
        QCOMPARE(both.audioEntries().size(), 10);
        QCOMPARE(both.currentFormat(), int(CombEnum::MP4));
        QCOMPARE(labels(both.currentPanel()),
                 QStringList({"同原文件", "高清 1080P", "高清 720P", "标清 576P", "标清 480P", "4K 视频"}));
        QCOMPARE(both.videoRightButtons().first()->label(), QString("同原文件"));
        QVERIFY(!both.videoHeader()->isHidden() && !both.audioHeader()->isHidden());

        FmtChoosenWT concat(false, FmtChoosenWT::VideoOnly, nullptr);
        QCOMPARE(labels(concat.currentPanel()).size(), 5);
        QCOMPARE(concat.videoRightButtons().first()->label(), QString("高清 1080P"));
        QVERIFY(concat.audioHeader()->isHidden());

        FmtChoosenWT audio(true, FmtChoosenWT::AudioOnly, nullptr);
        QVERIFY(audio.videoHeader()->isHidden());
        QVERIFY(audio.isAudioShown());
        QCOMPARE(audio.currentFormat(), int(CombEnum::MP3));
        QCOMPARE(labels(audio.currentPanel()), QStringList({"高品质", "中品质", "低品质"}));
        QCOMPARE(selectedPreset(audio.currentPanel())->label(), QString("高品质"));
    }

    void clickingFormatsAndPresets()
    {
        FmtChoosenWT chooser(true, FmtChoosenWT::VideoAndAudio, nullptr);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QSignalSpy chosen(&chooser, &FmtChoosenWT::choosenRightBtn);

        QTest::mouseClick(entryNamed(chooser.videoEntries(), "VOB"), Qt::LeftButton);
        QCOMPARE(labels(chooser.currentPanel()), QStringList({"480P DVD视频"}));
        QTest::mouseClick(entryNamed(chooser.videoEntries(), "MKV"), Qt::LeftButton);
        QCOMPARE(chooser.currentFormat(), int(CombEnum::MKV));
        QVERIFY(entryNamed(chooser.videoEntries(), "MKV")->isSelected());
        QVERIFY(!entryNamed(chooser.videoEntries(), "VOB")->isSelected());
        QCOMPARE(selectedPreset(chooser.currentPanel())->label(), QString("同原文件"));
        QCOMPARE(chosen.size(), 0);

        FmtRightBtn* p480 = chooser.currentPanel()->buttons().at(3);
        QCOMPARE(p480->label(), QString("标清 480P"));
        QTest::mouseClick(p480, Qt::LeftButton);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().value<FmtRightBtn*>(), p480);
        QCOMPARE(p480->resolution(), 7);
        QVERIFY(!chooser.isVisible());

        // Opened again it is as it was left.
        chooser.show();
        QCOMPARE(chooser.currentFormat(), int(CombEnum::MKV));
        QCOMPARE(selectedPreset(chooser.currentPanel()), p480);

        QTest::mouseClick(chooser.audioHeader(), Qt::LeftButton);
        QVERIFY(chooser.isAudioShown());
        QTest::mouseClick(chooser.videoHeader(), Qt::LeftButton);
        QVERIFY(!chooser.isAudioShown());
        QCOMPARE(chosen.size(), 1);
    }

    void formatsWithoutPresetsChooseNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("M4R") << "M4R";
        QTest::newRow("APE") << "APE";
    }
    void formatsWithoutPresetsChooseNothing()
    {
        FmtTargetItemWT row(FmtChoosenWT::AudioOnly, nullptr);
        row.show();
        QTest::mouseClick(row.box(), Qt::LeftButton);
        FmtChoosenWT* chooser = row.chooser();
        QVERIFY(chooser->isVisible());
        QSignalSpy chosen(chooser, &FmtChoosenWT::choosenRightBtn);
        QFETCH(QString, name);
        QTest::mouseClick(entryNamed(chooser->audioEntries(), name), Qt::LeftButton);
        QCOMPARE(chooser->currentPanel(), nullptr);
        QVERIFY(chooser->noPresetNote()->isVisible());
        QVERIFY(chooser->noPresetNote()->text().contains(name));
        QCOMPARE(chosen.size(), 0);
        QVERIFY(chooser->isVisible());
        QCOMPARE(row.box()->text(), QString("MP3 高品质"));
        // Another format brings its presets back.
        QTest::mouseClick(entryNamed(chooser->audioEntries(), "OGG"), Qt::LeftButton);
        QVERIFY(!chooser->noPresetNote()->isVisible());
        QTest::mouseClick(chooser->currentPanel()->buttons().at(2), Qt::LeftButton);
        QCOMPARE(row.box()->text(), QString("OGG 低品质"));
        QCOMPARE(row.target().audioQuality, 1);
    }

    void searchFiltersTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("m") << "m" << QStringList({"MP4", "MOV", "MKV", "M4V", "MPEG"});
        QTest::newRow("mp") << "mp" << QStringList({"MP4", "MPEG"});
        QTest::newRow("WE") << "WE" << QStringList({"WEBM"});
        QTest::newRow("nothing matches") << "zz" << QStringList();
    }
    void searchFiltersTheList()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        FmtChoosenWT chooser(true, FmtChoosenWT::VideoAndAudio, nullptr);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        chooser.videoSearch()->lineEdit()->setFocus();
        QTest::keyClicks(chooser.videoSearch()->lineEdit(), typed);
        QCOMPARE(visibleNames(chooser.videoEntries()), shown);
        // The panel and the selection stay.
        QCOMPARE(chooser.currentFormat(), int(CombEnum::MP4));
        chooser.videoSearch()->lineEdit()->clear();
        QCOMPARE(visibleNames(chooser.videoEntries()).size(), 13);
        QCOMPARE(visibleNames(chooser.audioEntries()).size(), 10);
    }

    void boxOpensTheChooserUnderIt()
    {
        QWidget window;
        window.resize(600, 300);
        auto* row = new FmtTargetItemWT(FmtChoosenWT::VideoAndAudio, &window);
        row->move(40, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(row->box()->text(), QString("MP4 同原文件"));
        QTest::mouseClick(row->box(), Qt::LeftButton);
        FmtChoosenWT* chooser = row->chooser();
        QVERIFY(chooser->isVisible());
        const QPoint underBox = row->box()->mapToGlobal(QPoint(0, row->box()->height()));
        QCOMPARE(chooser->pos(), underBox);
        // Choosing an audio target on the video page extracts the sound.
        QTest::mouseClick(chooser->audioHeader(), Qt::LeftButton);
        QTest::mouseClick(chooser->currentPanel()->buttons().at(1), Qt::LeftButton);
        QCOMPARE(row->box()->text(), QString("MP3 中品质"));
        QCOMPARE(row->target().mediaLocalType, 1);
        QCOMPARE(row->target().audioQuality, 2);
        // A target set for all rows shows in the row's chooser too.
        row->setTarget(CombEnum::videoPresets(CombEnum::WEBM, true).at(2));
        QCOMPARE(row->box()->text(), QString("WEBM 高清 720P"));
        QVERIFY(!chooser->isAudioShown());
        QCOMPARE(chooser->currentFormat(), int(CombEnum::WEBM));
        QCOMPARE(selectedPreset(chooser->currentPanel())->label(), QString("高清 720P"));
    }

    void sliderFollowsTheMouse()
    {
        SliderWidget slider(nullptr);
        QCOMPARE(slider.minimum(), 0);
        QCOMPARE(slider.maximum(), 100);
        slider.setRange(30, 90);
        slider.setValue(70);
        slider.resize(200, 24);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        QSignalSpy changed(&slider, &QSlider::valueChanged);
        const QPoint handle = handleCentre(slider);
        drag(&slider, handle, QPoint(handle.x() - 50, handle.y()));
        QVERIFY(slider.value() < 70 && slider.value() > 30);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toInt(), slider.value());
        // Past either end it stops at the range.
        drag(&slider, handleCentre(slider), QPoint(-60, handle.y()));
        QCOMPARE(slider.value(), 30);
        drag(&slider, handleCentre(slider), QPoint(slider.width() + 60, handle.y()));
        QCOMPARE(slider.value(), 90);
    }

private:
    static QPoint handleCentre(const QSlider& slider)
    {
        QStyleOptionSlider option;
        option.initFrom(&slider);
        option.orientation = slider.orientation();
        option.minimum = slider.minimum();
        option.maximum = slider.maximum();
        option.sliderPosition = slider.sliderPosition();
        option.sliderValue = slider.value();
        return slider.style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider)
            .center();
    }
};

QTEST_MAIN(TestMediaChooser)
#include "tst_mediachooser.moc"

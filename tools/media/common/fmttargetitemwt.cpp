#include "tools/media/common/fmttargetitemwt.h"

#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"
#include "tools/media/fmtchoosen/fmtchoosenwt.h"
#include "tools/media/fmtchoosen/fmtrightbtn.h"
#include "tools/media/fmtchoosen/videofmtcombox.h"

#include <QGridLayout>
#include <QLabel>

FmtTargetItemWT::FmtTargetItemWT(int categoryMode, QWidget* parent)
    : QWidget(parent), m_categoryMode(categoryMode), m_box(new VideoFmtCombox(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 5, 0, 5);
    auto* caption = new QLabel(tr("格式:"), this);
    caption->setFont(AppFonts::itemFont());
    m_box->setFixedHeight(30);
    m_box->setFixedWidth(WidgetSize::isSmallScreen() ? 130 : 170);
    m_box->setFont(AppFonts::itemFont());
    // One sheet for the caption and the box: every row of a list has one.
    setStyleSheet(StyleSheet::make("QLabel{color:@text;}"
                                   "QComboBox{border:1px solid "
                                   "@accent;border-radius:5px;padding-left:6px;color:@text;background:white;}"
                                   "QComboBox::drop-down{border:0px;width:22px;}"
                                   "QComboBox::down-arrow{image:url(:/icons/icons/down_arrow_small.png);}"));
    grid->addWidget(caption, 0, 0);
    grid->addWidget(m_box, 0, 1, 1, 3);
    m_target = categoryMode == FmtChoosenWT::AudioOnly ? CombEnum::audioPresets(CombEnum::MP3).first()
                                                       : CombEnum::videoPresets(CombEnum::MP4, true).first();
    m_box->setText(CombEnum::presetText(m_target));
    connect(m_box, &VideoFmtCombox::clicked, this, &FmtTargetItemWT::showChooseFmt);
}

FmtChoosenWT* FmtTargetItemWT::chooser()
{
    if (!m_chooser) {
        m_chooser = new FmtChoosenWT(true, m_categoryMode, this);
        m_chooser->select(m_target);
        connect(m_chooser, &FmtChoosenWT::choosenRightBtn, this, &FmtTargetItemWT::onChoosenRightBtn);
    }
    return m_chooser;
}

void FmtTargetItemWT::showChooseFmt()
{
    chooser()->openBelow(m_box, false);
}

void FmtTargetItemWT::onChoosenRightBtn(FmtRightBtn* button)
{
    m_target = button->preset();
    m_box->setText(CombEnum::presetText(m_target));
}

void FmtTargetItemWT::setTarget(const FmtPreset& preset)
{
    m_target = preset;
    m_box->setText(CombEnum::presetText(m_target));
    if (m_chooser)
        m_chooser->select(preset);
}

void FmtTargetItemWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

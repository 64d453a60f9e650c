#include "tools/media/common/fmttargetparamwt.h"

#include "style/stylesheet.h"
#include "tools/media/fmtchoosen/fmtchoosenwt.h"
#include "tools/media/fmtchoosen/fmtrightbtn.h"
#include "tools/media/fmtchoosen/videofmtcombox.h"
#include "widgets/paramlabel.h"

#include <QGridLayout>

FmtTargetParamWT::FmtTargetParamWT(int categoryMode, QWidget* parent, bool offerSameAsSource)
    : MediaParamWT(tr("开始转换(极速)"), parent), m_box(new VideoFmtCombox(this)),
      m_chooser(new FmtChoosenWT(offerSameAsSource, categoryMode, this))
{
    auto* caption = new ParamLabel(this);
    caption->setText(tr("输出格式:"));
    grid()->addWidget(caption, 0, 0);
    grid()->addWidget(m_box, 0, 1, 1, 3);
    m_box->setStyleSheet(
        StyleSheet::make("QComboBox{border:1px solid "
                         "@accent;border-radius:5px;padding-left:8px;color:@text;background:white;}"
                         "QComboBox::drop-down{border:0px;width:30px;}"
                         "QComboBox::down-arrow{image:url(:/icons/icons/down_arrow.png);}"));
    m_box->setText(tr("MP4 高清1080P"));
    const QList<FmtRightBtn*>& first = categoryMode == FmtChoosenWT::AudioOnly
                                           ? m_chooser->audioRightButtons()
                                           : m_chooser->videoRightButtons();
    m_target = first.first()->preset();
    m_box->setText(CombEnum::presetText(m_target));
    connect(m_box, &VideoFmtCombox::clicked, this, &FmtTargetParamWT::showChooseFmt);
    connect(m_chooser, &FmtChoosenWT::choosenRightBtn, this, &FmtTargetParamWT::onChoosenRightBtn);
}

void FmtTargetParamWT::showChooseFmt()
{
    m_chooser->openBelow(m_box, true);
}

void FmtTargetParamWT::fmt() {}

void FmtTargetParamWT::onChoosenRightBtn(FmtRightBtn* button)
{
    m_target = button->preset();
    m_box->setText(CombEnum::presetText(m_target));
    emit chooseTotalFmt(button);
}

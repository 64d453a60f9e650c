#include "widgets/sliderwidget.h"

#include "style/stylesheet.h"

SliderWidget::SliderWidget(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(0, 100);
    setSingleStep(1);
    setCursor(Qt::PointingHandCursor);
    // The groove is drawn here too: with only the handle styled, some styles draw no track.
    setStyleSheet(StyleSheet::make(
        "QSlider::groove:horizontal{height:4px;background:@sliderGroove;border-radius:2px;}"
        "QSlider::sub-page:horizontal{background:@accent;border-radius:2px;}"
        "QSlider::handle:horizontal{border: 0px ;background:url(:/icons/icons/slider_circle.png);"
        "background-repeat:no-repeat;background-attachment:fixed;background-position:center;width: 16px;"
        "margin: -8px -8px -8px -8px;}"));
}

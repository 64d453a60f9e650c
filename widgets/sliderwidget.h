#pragma once

#include <QSlider>

// A horizontal 0 to 100 slider with the round handle; users listen to valueChanged.
class SliderWidget final : public QSlider
{
    Q_OBJECT
public:
    explicit SliderWidget(QWidget* parent);
};

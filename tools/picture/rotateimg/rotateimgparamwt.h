#pragma once

#include "framework/pictureparamwt.h"
#include "imaging/imgjob.h"

class MyComboBox;
class MyLineEdit;

class RotateImgParamWT final : public PictureParamWT
{
    Q_OBJECT
public:
    explicit RotateImgParamWT(QWidget* parent);

    ImgJobParams jobParams() const;
    MyComboBox* angleCombo() const { return m_angle; }
    MyLineEdit* angleEdit() const { return m_angleEdit; }
    MyComboBox* flopCombo() const { return m_flop; }
    MyComboBox* flipCombo() const { return m_flip; }

public slots:
    void chooseSettingDegree(int index);

private:
    MyComboBox* m_angle;
    MyLineEdit* m_angleEdit;
    MyComboBox* m_flop;
    MyComboBox* m_flip;
};

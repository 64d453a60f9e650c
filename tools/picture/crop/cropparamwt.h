#pragma once

#include "framework/pictureparamwt.h"
#include "imaging/imgjob.h"

class MyComboBox;

// The crop page's panel: the output format, the output folder and the start button.
class CropParamWT final : public PictureParamWT
{
    Q_OBJECT
public:
    explicit CropParamWT(QWidget* parent);

    ImgJobParams jobParams() const;
    MyComboBox* formatCombo() const { return m_format; }

private:
    MyComboBox* m_format;
};

#pragma once

#include "framework/pictureparamwt.h"
#include "imaging/imgjob.h"

class MyComboBox;

// Output format, rendering quality and whether the pages become one long picture.
class PdfToImgParamWT final : public PictureParamWT
{
    Q_OBJECT
public:
    explicit PdfToImgParamWT(QWidget* parent);

    ImgJobParams jobParams() const;
    ImgFormat format() const;
    // 0 超清, 1 高清, 2 标清: the record's "imgDefinitionValue".
    int definition() const;
    bool joinPages() const;

    MyComboBox* formatCombo() const { return m_format; }
    MyComboBox* qualityCombo() const { return m_quality; }
    MyComboBox* joinCombo() const { return m_join; }

private:
    MyComboBox* m_format;
    MyComboBox* m_quality;
    MyComboBox* m_join;
};

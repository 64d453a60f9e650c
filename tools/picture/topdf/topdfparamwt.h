#pragma once

#include "framework/pictureparamwt.h"
#include "tools/picture/topdf/topdfthread.h"

class MyComboBox;

// Output mode, paper size, orientation and margins of the PDF page.
class ToPDFParamWT final : public PictureParamWT
{
    Q_OBJECT
public:
    explicit ToPDFParamWT(QWidget* parent);

    // The four combos' values and the output folder.
    ToPDFThread::Options options() const;

    MyComboBox* modeCombo() const { return m_mode; }
    MyComboBox* paperCombo() const { return m_paper; }
    MyComboBox* orientationCombo() const { return m_orientation; }
    MyComboBox* marginsCombo() const { return m_margins; }

private:
    MyComboBox* m_mode;
    MyComboBox* m_paper;
    MyComboBox* m_orientation;
    MyComboBox* m_margins;
};

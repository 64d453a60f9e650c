#pragma once

#include "framework/mediaparamwt.h"

class MyComboBox;
class ParamLabel;

// The compression panel: a quick ratio, or (custom) a bit rate and a frame size.
class VideoCompressParamWT final : public MediaParamWT
{
    Q_OBJECT
public:
    explicit VideoCompressParamWT(QWidget* parent);

    MyComboBox* modeBox() const { return m_modeBox; }
    MyComboBox* ratioBox() const { return m_ratioBox; }
    MyComboBox* bitRateBox() const { return m_bitRateBox; }
    MyComboBox* resolutionBox() const { return m_resolutionBox; }

public slots:
    void compressTotalSet(int index);

private:
    MyComboBox* addRow(int row, const QString& caption, const QStringList& items);

    MyComboBox* m_modeBox;
    MyComboBox* m_ratioBox;
    MyComboBox* m_bitRateBox;
    MyComboBox* m_resolutionBox;
    QList<QWidget*> m_quickRow;
    QList<QWidget*> m_customRows;
};

#pragma once

#include "framework/mediaparamwt.h"

#include <QSize>

class MyComboBox;
class MyLineEdit;

// The compression panel: a quick ratio, (custom) a bit rate and a frame box, or a target size.
class VideoCompressParamWT final : public MediaParamWT
{
    Q_OBJECT
public:
    enum Mode
    {
        Quick = 0,
        Custom = 1,
        TargetSize = 2
    };

    explicit VideoCompressParamWT(QWidget* parent);

    MyComboBox* modeBox() const { return m_modeBox; }
    MyComboBox* ratioBox() const { return m_ratioBox; }
    MyComboBox* bitRateBox() const { return m_bitRateBox; }
    MyComboBox* resolutionBox() const { return m_resolutionBox; }
    MyLineEdit* targetField() const { return m_targetField; }

    Mode mode() const;
    // The custom bit rate in kbit/s; 0 for "自动".
    int customBitRate() const;
    // The custom frame box; invalid for "自动".
    QSize customBox() const;
    // The target in bytes (the field counts MB of 1,048,576 bytes); 0 when the field holds none.
    qint64 targetBytes() const;

signals:
    // Any choice that changes what a start would do.
    void settingsChanged();

public slots:
    void compressTotalSet(int index);

private:
    MyComboBox* addRow(int row, const QString& caption, const QStringList& items);

    MyComboBox* m_modeBox;
    MyComboBox* m_ratioBox;
    MyComboBox* m_bitRateBox;
    MyComboBox* m_resolutionBox;
    MyLineEdit* m_targetField;
    QList<QWidget*> m_quickRow;
    QList<QWidget*> m_customRows;
    QList<QWidget*> m_targetRow;
};

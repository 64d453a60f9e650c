#pragma once

#include "framework/pictureparamwt.h"
#include "imaging/imgjob.h"

#include <QPair>
#include <QVector>

class MyComboBox;
class MyLineEdit;
class ParamLabel;

// The panel of the converting pages: output format, size choice, width and height.
class ConvertParamWT : public PictureParamWT
{
    Q_OBJECT
public:
    using SizeItem = QPair<QString, int>;
    // "原始尺寸" and "自定义" only.
    static QVector<SizeItem> plainSizes();
    // Every preset, as the resize page offers them.
    static QVector<SizeItem> presetSizes();
    // Preset tables keyed by item data; -1 where the preset leaves the field empty.
    static int presetWidth(int data);
    static int presetHeight(int data);
    // A width or height edit: 0 to 10000 as typed, the hint as placeholder and tooltip.
    static MyLineEdit* makeSizeEdit(const QString& hint, QWidget* parent);
    // The edit's value, -1 when empty or 0.
    static int sizeValue(const MyLineEdit* edit);

    ConvertParamWT(const QVector<SizeItem>& sizes, const QString& submitIcon, QWidget* parent);

    // The batch parameters these fields give for an operation; logs the sizes it read.
    ImgJobParams jobParams(ImgOperation operation) const;
    ImgFormat format() const;
    // The edits' values, -1 when empty.
    int widthValue() const;
    int heightValue() const;
    QString widthText() const;
    QString heightText() const;

    MyComboBox* formatCombo() const { return m_format; }
    MyComboBox* sizeCombo() const { return m_size; }
    MyLineEdit* widthEdit() const { return m_width; }
    MyLineEdit* heightEdit() const { return m_height; }

public slots:
    void chooseSettingSize(int index);

private:
    void setSizeFieldsVisible(bool visible);

    MyComboBox* m_format;
    MyComboBox* m_size;
    MyLineEdit* m_width;
    MyLineEdit* m_height;
    ParamLabel* m_widthLabel;
    ParamLabel* m_heightLabel;
};

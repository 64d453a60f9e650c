#pragma once

#include "framework/pictureparamwt.h"
#include "imaging/imgjob.h"

#include <QVector>

class MyComboBox;
class MyLineEdit;
class ParamLabel;

// The panel of the two compression pages: a level, the note on it, and an optional size.
// The pages differ only in what a level means to their tool.
class LevelParamWT : public PictureParamWT
{
    Q_OBJECT
public:
    // levels: the value each item of the level combo stands for, highest first.
    LevelParamWT(const QVector<int>& levels, QWidget* parent);

    // The batch parameters for an operation: the level, the sizes, the source's own format.
    ImgJobParams jobParams(ImgOperation operation) const;
    int level() const;
    int widthValue() const;
    int heightValue() const;

    MyComboBox* levelCombo() const { return m_level; }
    MyComboBox* sizeCombo() const { return m_size; }
    MyLineEdit* widthEdit() const { return m_width; }
    MyLineEdit* heightEdit() const { return m_height; }

public slots:
    void chooseSettingSize(int index);

private:
    QVector<int> m_levels;
    MyComboBox* m_level;
    MyComboBox* m_size;
    MyLineEdit* m_width;
    MyLineEdit* m_height;
    ParamLabel* m_widthLabel;
    ParamLabel* m_heightLabel;
};

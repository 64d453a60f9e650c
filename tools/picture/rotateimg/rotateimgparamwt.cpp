#include "tools/picture/rotateimg/rotateimgparamwt.h"

#include "widgets/mycombobox.h"
#include "widgets/mylineedit.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QRegularExpressionValidator>

namespace {
MyComboBox* makeYesNo(QWidget* parent)
{
    auto* combo = new MyComboBox(parent);
    combo->insertItem(0, QIcon(), QCoreApplication::translate("RotateImgParamWT", "否"));
    combo->insertItem(1, QIcon(), QCoreApplication::translate("RotateImgParamWT", "是"));
    return combo;
}
} // namespace

RotateImgParamWT::RotateImgParamWT(QWidget* parent)
    : PictureParamWT(tr("开始旋转"), QStringLiteral(":/icons/icons/sub_chformat_white.png"), parent),
      m_angle(new MyComboBox(this)), m_angleEdit(new MyLineEdit(this)), m_flop(makeYesNo(this)),
      m_flip(makeYesNo(this))
{
    const QStringList angles{tr("0度（不旋转）"), tr("90度"), tr("180度"), tr("270度"), tr("自定义")};
    for (int i = 0; i < angles.size(); ++i)
        m_angle->insertItem(i, QIcon(), angles.at(i));
    // QIntValidator lets 361 through as "intermediate" when negatives are allowed; the angle
    // must stay within -360..360 as it is typed, with a lone "-" still possible.
    m_angleEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?([0-9]|[1-9][0-9]|[12][0-9]{2}|3[0-5][0-9]|360)?")),
        m_angleEdit));
    m_angleEdit->setPlaceholderText(tr("正数顺时针，负数逆时针"));
    m_angleEdit->setToolTip(tr("正数顺时针，负数逆时针"));
    m_angleEdit->setText(QStringLiteral("0"));

    for (int column = 0; column < 4; ++column)
        grid()->setColumnStretch(column, 1);
    addParamRow(0, tr("旋转角度："), m_angle);
    addParamRow(1, tr("角度大小："), m_angleEdit);
    addSeparator(2);
    addParamRow(3, tr("水平翻转："), m_flop);
    addParamRow(4, tr("垂直翻转："), m_flip);
    connect(m_angle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &RotateImgParamWT::chooseSettingDegree);
}

void RotateImgParamWT::chooseSettingDegree(int index)
{
    static const QStringList texts{QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"),
                                   QStringLiteral("270"), QString()};
    if (index >= 0 && index < texts.size())
        m_angleEdit->setText(texts.at(index));
}

ImgJobParams RotateImgParamWT::jobParams() const
{
    ImgJobParams params;
    params.operation = ImgOperation::KeepFormat;
    params.format = ImgFormat::KeepSource;
    params.rotate = m_angleEdit->text();
    params.flop = m_flop->currentIndex() == 1;
    params.flip = m_flip->currentIndex() == 1;
    params.outputDir = outputFolder();
    return params;
}

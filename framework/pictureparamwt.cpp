#include "framework/pictureparamwt.h"

#include "framework/exportfilewt.h"
#include "platform/apppaths.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"
#include "widgets/paramlabel.h"
#include "widgets/submitbtn.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

PictureParamWT::PictureParamWT(const QString& submitText, const QString& submitIcon, QWidget* parent)
    : QWidget(parent), m_grid(nullptr), m_exportFile(nullptr),
      m_submit(new SubmitBtn(submitText, false, this))
{
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("parHeaderWidget"));
    box->setStyleSheet(
        StyleSheet::make("QWidget#parHeaderWidget{border:2px solid @panelBorder;border-radius:8px;}"));
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setSpacing(0);
    boxLayout->setContentsMargins(0, 0, 0, 20);

    boxLayout->addWidget(makeHeader(
        tr("设置"), QStringLiteral(":/icons/icons/setting.png"), WidgetSize::paramHeader().height(),
        StyleSheet::make("QLabel{padding-left:15;background-color:@panelBorder; "
                         "border-top-left-radius:8px; border-top-right-radius:8px;}")));
    auto* gridWidget = new QWidget(box);
    gridWidget->setObjectName(QStringLiteral("gridWidget"));
    m_grid = new QGridLayout(gridWidget);
    m_grid->setSpacing(WidgetSize::gridSpacing().height());
    m_grid->setContentsMargins(10, 10, 10, 10);
    m_grid->setColumnStretch(0, 2);
    for (int column = 1; column < 4; ++column)
        m_grid->setColumnStretch(column, 3);
    boxLayout->addWidget(gridWidget);
    boxLayout->addStretch();
    boxLayout->addWidget(makeHeader(tr("输出目录"), QStringLiteral(":/icons/icons/change_dir_title.png"), 50,
                                    StyleSheet::make("QWidget{border-top:1px solid @panelBorder;}")));
    m_exportFile = new ExportFileWT(box);
    m_exportFile->setText(AppPaths::defaultOutputDir());
    auto* exportRow = new QWidget(box);
    auto* exportLayout = new QHBoxLayout(exportRow);
    exportLayout->setContentsMargins(10, 0, 10, 0);
    exportLayout->addWidget(m_exportFile);
    boxLayout->addWidget(exportRow);

    if (!submitIcon.isEmpty())
        m_submit->setIcon(QIcon(submitIcon));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(5, 0, 0, 0);
    layout->addWidget(box, 1);
    layout->addWidget(m_submit);
}

QWidget* PictureParamWT::makeHeader(const QString& text, const QString& icon, int height,
                                    const QString& style)
{
    auto* header = new QWidget(this);
    header->setFixedHeight(height);
    header->setStyleSheet(style);
    // A label in button form: nothing is connected to it.
    auto* button = new QPushButton(QIcon(icon), text, header);
    button->setFlat(true);
    button->setStyleSheet(StyleSheet::make("QPushButton{border:0px;color:@text;}"));
    button->setFont(AppFonts::standardFont());
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(10, 5, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(button, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch();
    return header;
}

QString PictureParamWT::outputFolder() const
{
    return m_exportFile->text();
}

void PictureParamWT::openDir()
{
    m_exportFile->onOpenDirClicked();
}

ParamLabel* PictureParamWT::addParamRow(int row, const QString& caption, QWidget* control)
{
    auto* label = new ParamLabel(this);
    label->setText(caption);
    m_grid->addWidget(label, row, 0, 1, 1);
    m_grid->addWidget(control, row, 1, 1, 3);
    return label;
}

void PictureParamWT::addSeparator(int row)
{
    auto* line = new QWidget(this);
    line->setFixedHeight(4);
    line->setStyleSheet(StyleSheet::make("QWidget{border-bottom:2px solid @rowLine;}"));
    m_grid->addWidget(line, row, 0, 1, 4);
}

void PictureParamWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

#include "framework/mediaparamwt.h"

#include "platform/filerevealer.h"
#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "widgets/mycombobox.h"
#include "widgets/paramlabel.h"
#include "widgets/submitbtn.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
QPushButton* makeSquareButton(const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setFixedSize(45, 45);
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton{background-color:white;border:0px;}"
                                         "QPushButton:disabled{background-color:transparent;}"));
    return button;
}
} // namespace

MediaParamWT::MediaParamWT(const QString& submitText, QWidget* parent)
    : QWidget(parent), m_grid(nullptr), m_submit(new SubmitBtn(submitText, false, this)),
      m_defaultFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
      m_outputFolder(m_defaultFolder)
{
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("parHeaderWidget"));
    box->setStyleSheet(
        StyleSheet::make("QWidget#parHeaderWidget{border:2px solid @panelBorder;border-radius:8px;}"));
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setSpacing(0);
    boxLayout->setContentsMargins(0, 0, 0, 20);
    boxLayout->addWidget(makeHeader());
    auto* gridWidget = new QWidget(box);
    gridWidget->setObjectName(QStringLiteral("gridWidget"));
    m_grid = new QGridLayout(gridWidget);
    m_grid->setSpacing(15);
    m_grid->setContentsMargins(10, 10, 10, 10);
    m_grid->setColumnStretch(0, 2);
    for (int column = 1; column < 4; ++column)
        m_grid->setColumnStretch(column, 3);
    boxLayout->addWidget(gridWidget);
    boxLayout->addStretch();
    boxLayout->addWidget(makeOutputRows(box));

    m_submit->setIcon(QIcon(QStringLiteral(":/icons/icons/sub_compress_white.png")));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(5, 0, 0, 0);
    layout->addWidget(box, 1);
    layout->addWidget(m_submit);
}

QWidget* MediaParamWT::makeHeader()
{
    auto* header = new QWidget(this);
    header->setFixedHeight(60);
    header->setStyleSheet(StyleSheet::make("QLabel{padding-left:15;background-color:@panelBorder; "
                                           "border-top-left-radius:8px; border-top-right-radius:8px;}"));
    // A label in button form: nothing is connected to it.
    auto* button = new QPushButton(QIcon(QStringLiteral(":/icons/icons/setting.png")), tr("设置"), header);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(StyleSheet::make("QPushButton{border:0px;color:@text;}"));
    button->setFont(AppFonts::standardFont());
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(10, 5, 0, 0);
    layout->addWidget(button, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch();
    return header;
}

QWidget* MediaParamWT::makeOutputRows(QWidget* parent)
{
    auto* rows = new QWidget(parent);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(10, 0, 10, 0);
    grid->setSpacing(10);
    auto* line = new QWidget(rows);
    line->setFixedHeight(4);
    line->setStyleSheet(StyleSheet::make("QWidget{border-bottom:2px solid @rowLine;}"));
    grid->addWidget(line, 0, 0, 1, 3);

    auto* caption = new ParamLabel(rows);
    caption->setText(tr("输出路径："));
    m_savePathBox = new MyComboBox(rows);
    m_savePathBox->addItems({tr("默认路径"), tr("自定义路径")});
    m_openButton = makeSquareButton(tr("打开文件夹"), rows);
    m_openButton->setIcon(QIcon(QStringLiteral(":/icons/icons/dir.png")));
    grid->addWidget(caption, 1, 0);
    grid->addWidget(m_savePathBox, 1, 1);
    grid->addWidget(m_openButton, 1, 2);

    m_pathField = new QLineEdit(rows);
    m_pathField->setReadOnly(true);
    m_pathField->setFont(AppFonts::standardFont());
    m_pathField->setFixedHeight(45);
    m_pathField->setStyleSheet(StyleSheet::make(
        "QLineEdit{color:@text;border:1px solid @accent;border-radius:5px;padding-left:5px;}"));
    m_pathField->hide();
    m_changeButton = makeSquareButton(tr("更改路径"), rows);
    // Without a custom folder there is nothing to change: the button waits, blank and disabled.
    m_changeButton->setEnabled(false);
    grid->addWidget(m_pathField, 2, 0, 1, 2);
    grid->addWidget(m_changeButton, 2, 2);
    grid->setColumnStretch(1, 1);

    showFolderTips();
    connect(m_savePathBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MediaParamWT::chooseSavePath);
    connect(m_openButton, &QPushButton::clicked, this, &MediaParamWT::openDir);
    connect(m_changeButton, &QPushButton::clicked, this, &MediaParamWT::changeSavePath);
    return rows;
}

void MediaParamWT::chooseSavePath(int index)
{
    m_outputFolder = m_defaultFolder;
    const bool custom = index == 1;
    m_pathField->setVisible(custom);
    m_pathField->setText(m_defaultFolder);
    m_pathField->setCursorPosition(0);
    m_changeButton->setEnabled(custom);
    m_changeButton->setIcon(custom ? QIcon(QStringLiteral(":/icons/icons/dir.png")) : QIcon());
    showFolderTips();
}

void MediaParamWT::showFolderTips()
{
    // "默认路径" alone does not say where the results go.
    const QString tip = tr("输出到：") + QDir::toNativeSeparators(m_outputFolder);
    m_savePathBox->setToolTip(tip);
    m_openButton->setToolTip(tip);
}

void MediaParamWT::changeSavePath()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("选择目录"), m_defaultFolder, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        qCDebug(lcFramework) << "没有更改默认保存目录";
        return;
    }
    setCustomFolder(folder);
}

void MediaParamWT::setCustomFolder(const QString& folder)
{
    m_outputFolder = QDir::toNativeSeparators(folder);
    m_pathField->setText(m_outputFolder);
    m_pathField->setCursorPosition(0);
    showFolderTips();
}

void MediaParamWT::openDir()
{
    qCDebug(lcFramework) << "打开文件夹,路径为：" << m_defaultFolder;
    // The folder the results go to exists once a run starts; before that, make it so it opens.
    QDir().mkpath(m_outputFolder);
    FileRevealer::openFolder(m_outputFolder);
}

void MediaParamWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

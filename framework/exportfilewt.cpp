#include "framework/exportfilewt.h"

#include "platform/filerevealer.h"
#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QDebug>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace {
QPushButton* makeFolderButton(const char* icon, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setIcon(QIcon(QLatin1String(icon)));
    button->setToolTip(tip);
    button->setFixedSize(WidgetSize::exportButton());
    button->setIconSize(WidgetSize::exportButton() * 0.6);
    button->setStyleSheet(QStringLiteral("QPushButton{background-color:white;border:0px;}"));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
} // namespace

ExportFileWT::ExportFileWT(QWidget* parent) : QWidget(parent), m_path(new QLineEdit())
{
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("selectWT"));
    box->setStyleSheet(StyleSheet::make("QWidget#selectWT{border:1px solid @accent;border-radius:5px;}"));
    box->setFixedHeight(WidgetSize::exportPathBox().height());
    m_path->setParent(box);
    m_path->setReadOnly(true);
    m_path->setFont(AppFonts::standardFont());
    m_path->setStyleSheet(StyleSheet::make("QLineEdit{color:@text;border:0px;}"));
    m_choose = makeFolderButton(":/icons/icons/change_dir.png", tr("选择目录"), box);
    auto* inner = new QHBoxLayout(box);
    inner->setSpacing(0);
    inner->setContentsMargins(5, 1, 5, 1);
    inner->addWidget(m_path);
    inner->addWidget(m_choose);

    m_open = makeFolderButton(":/icons/icons/dir.png", tr("打开目录"), this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box, 1);
    layout->addWidget(m_open);

    connect(m_choose, &QPushButton::clicked, this, &ExportFileWT::onChooseDirClicked);
    connect(m_open, &QPushButton::clicked, this, &ExportFileWT::onOpenDirClicked);
}

QString ExportFileWT::text() const
{
    return m_path->text();
}

void ExportFileWT::setText(const QString& text)
{
    m_path->setText(text);
    // The end of a long path is the folder's own name: show that, and the whole path on hover.
    m_path->setCursorPosition(text.size());
    m_path->setToolTip(text);
}

void ExportFileWT::onChooseDirClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("选择目录"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        qCDebug(lcFramework) << "没有更改默认保存目录";
        return;
    }
    setText(folder);
}

void ExportFileWT::onOpenDirClicked()
{
    FileRevealer::openFolder(text());
}

void ExportFileWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

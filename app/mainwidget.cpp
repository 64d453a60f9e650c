#include "app/mainwidget.h"

#include "app/filerouter.h"
#include "app/titlebar.h"
#include "app/toolbar.h"
#include "app/toolbtn.h"
#include "framework/fileintake.h"
#include "framework/toolpagewt.h"
#include "platform/apppaths.h"
#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"
#include "widgets/mydialog.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kBandRightMargin = 100;
constexpr int kBandBottom = 60;
} // namespace

MainWidget::MainWidget(QWidget* parent) : MainWidget(ToolTable::standard(), parent) {}

MainWidget::MainWidget(const ToolTable& table, QWidget* parent)
    : QFrame(parent), m_titleBar(nullptr), m_pages(table.entries.size(), nullptr)
{
    setObjectName(QStringLiteral("MainWidget"));
    setWindowTitle(AppPaths::displayName());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    activateWindow();
    setFixedSize(WidgetSize::mainWindow());
    setFont(AppFonts::familyFont());

    m_titleBar = new TitleBar(this);
    createPages(table);
    m_bottomBar = makeBottomBar();
    m_toolBar = new ToolBar(table, nullptr);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_toolBar);
    for (int tool : table.layoutOrder) {
        if (QWidget* page = m_pages.value(tool))
            layout->addWidget(page, 1);
    }
    layout->addWidget(m_bottomBar);
    setStyleSheet(
        StyleSheet::make("MainWidget{background:transparent;border:1px solid @accent;color:@text;}"));
    connect(m_toolBar, &ToolBar::siginalParent, this, &MainWidget::switchTab);

    m_current = m_pages.value(ToolTable::Heic);
    hideAllPages();
    if (m_current)
        m_current->show();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move((available.width() - width()) / 2, (available.height() - height()) / 2);
    }
}

void MainWidget::createPages(const ToolTable& table)
{
    for (int tool : table.creationOrder) {
        const ToolTable::PageFactory& factory = table.entries.value(tool).page;
        if (factory)
            m_pages[tool] = factory(this);
    }
}

QWidget* MainWidget::makeBottomBar()
{
    auto* bar = new QWidget(this);
    bar->setStyleSheet(QStringLiteral("QWidget{background-color:white;}"));
    auto* left = new QLabel(tr("用心做好每一款软件！"), bar);
    auto* right = new QLabel(tr("当前版本号：") + AppPaths::versionText(), bar);
    for (QLabel* label : {left, right}) {
        label->setStyleSheet(StyleSheet::make("QLabel{border:0px;color:@text;}"));
        label->setFont(AppFonts::standardFont());
    }
    auto* layout = new QHBoxLayout(bar);
    layout->addWidget(left);
    layout->addStretch();
    layout->addWidget(right);
    layout->setAlignment(Qt::AlignVCenter);
    layout->setContentsMargins(15, 5, 50, 5);
    return bar;
}

QList<QWidget*> MainWidget::pages() const
{
    QList<QWidget*> existing;
    for (QWidget* page : m_pages) {
        if (page)
            existing << page;
    }
    return existing;
}

MyDialog* MainWidget::quitQuestion() const
{
    return m_quitQuestion.data();
}

bool MainWidget::anyPageRunning() const
{
    for (QWidget* page : pages()) {
        const auto* tool = qobject_cast<const ToolPageWT*>(page);
        if (tool && tool->isRunning())
            return true;
    }
    return false;
}

void MainWidget::closeEvent(QCloseEvent* event)
{
    if (m_quitConfirmed || !anyPageRunning()) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_quitQuestion) {
        m_quitQuestion->raise();
        m_quitQuestion->activateWindow();
        return;
    }
    m_quitQuestion = new MyDialog(tr("正在转换，确定要退出吗？"), this);
    m_quitQuestion->makeQuestion();
    connect(m_quitQuestion, &QDialog::accepted, this, [this] {
        // The runs end as the pages go; their tools are killed and half-written files removed.
        for (QWidget* page : pages()) {
            if (auto* tool = qobject_cast<ToolPageWT*>(page))
                tool->stopBatch();
        }
        m_quitConfirmed = true;
        close();
    });
    m_quitQuestion->open();
}

void MainWidget::hideAllPages()
{
    for (QWidget* page : pages())
        page->hide();
}

void MainWidget::switchTab(ToolBtn* btn)
{
    if (!btn)
        return;
    hideAllPages();
    QWidget* page = m_pages.value(m_toolBar->toolOf(btn));
    if (!page)
        return;
    m_current = page;
    m_current->show();
}

int MainWidget::openFiles(const QStringList& paths)
{
    const FileRouter::Routes routes = FileRouter::route(paths);
    int added = 0;
    for (int tool : routes.tools) {
        if (auto* page = qobject_cast<ToolPageWT*>(m_pages.value(tool)))
            added += page->takeFiles(routes.files.value(tool));
    }
    if (!routes.tools.isEmpty())
        m_toolBar->selectTool(routes.tools.first());
    if (routes.skipped > 0) {
        auto* notice = new MyDialog(FileIntake::skipNotice(routes.skipped), m_current ? m_current : this);
        notice->show();
    }
    return added;
}

void MainWidget::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

bool MainWidget::inDragBand(const QPoint& pos, int windowWidth)
{
    return pos.x() > 0 && pos.x() < windowWidth - kBandRightMargin && pos.y() > 0 && pos.y() < kBandBottom;
}

void MainWidget::mousePressEvent(QMouseEvent* event)
{
    m_pressOffset = event->pos();
    qCDebug(lcApp) << "X:" << m_pressOffset.x() << m_pressOffset.y();
    if (inDragBand(m_pressOffset, width()))
        m_dragging = true;
    QFrame::mousePressEvent(event);
}

void MainWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPos() - m_pressOffset);
    QFrame::mouseMoveEvent(event);
}

void MainWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QFrame::mouseReleaseEvent(event);
}

void MainWidget::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

#include "framework/tablerowwidget.h"

#include "framework/tableitemwidget.h"
#include "media/mymediainfo.h"
#include "platform/logcategories.h"
#include "style/appfonts.h"
#include "style/palette.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QSize kThumbnailSize(150, 90);

// The list is 760 pixels wide on small screens: the row's gaps and its button give way there.
int rowSpacing()
{
    return WidgetSize::isSmallScreen() ? 6 : 10;
}

int actionWidth()
{
    return WidgetSize::isSmallScreen() ? 90 : 120;
}
} // namespace

TableRowWidget::TableRowWidget(QWidget* target, bool showArrow, bool showPercent, bool showAction,
                               QWidget* parent)
    : QWidget(parent), m_thumbnail(new QLabel(this)), m_itemWidget(new TableItemWidget(this)),
      m_target(target), m_closeButton(new QPushButton(this))
{
    setFixedHeight(100);
    // One sheet for the row and its parts, parsed once per row instead of once per part.
    setStyleSheet(StyleSheet::make(
        "TableRowWidget{padding-left:10px; padding-right:10px;border-radius:2px;"
        "background-color:@rowBackground;border:1px solid @panelBorder;}"
        "TableRowWidget:hover{border:1px solid @hoverBorder;}"
        "QLabel#rowThumbnail{background-color:black;}"
        "QLabel#rowPercent{color:@text;}"
        "QPushButton#rowAction{border:0px;background-color:@rowAction;border-radius:5px;color:white; }"
        "QPushButton#rowAction:hover{border:0px;background-color:@rowActionHover; }"
        "QPushButton#rowClose{background:url(':/icons/icons/item_close.png');border:0px; "
        "background-color:transparent;}"
        "QPushButton#rowClose:hover{background:url(':/icons/icons/item_close_black.png');}"));
    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(rowSpacing());
    layout->setContentsMargins(5, 0, 0, 0);

    m_thumbnail->setFixedSize(kThumbnailSize);
    m_thumbnail->setAlignment(Qt::AlignCenter);
    m_thumbnail->setObjectName(QStringLiteral("rowThumbnail"));
    layout->addWidget(m_thumbnail);
    // One width for every row, so the targets and buttons of a list line up.
    m_itemWidget->setFixedWidth(WidgetSize::isSmallScreen() ? 190 : 260);
    layout->addWidget(m_itemWidget);
    if (showArrow) {
        auto* arrow = new QLabel(this);
        arrow->setPixmap(QPixmap(QStringLiteral(":/icons/icons/item_change.png")));
        layout->addWidget(arrow);
    }
    if (m_target) {
        m_target->setParent(this);
        layout->addWidget(m_target);
    }
    if (showPercent) {
        m_percentLabel = new QLabel(QStringLiteral("0%"), this);
        m_percentLabel->setFont(AppFonts::progressFont());
        m_percentLabel->setObjectName(QStringLiteral("rowPercent"));
        // As wide as "100%" and as "转换失败！" in the smaller font, so the row keeps its layout.
        m_percentLabel->setFixedWidth(64);
        m_percentLabel->setAlignment(Qt::AlignCenter);
        layout->addStretch();
        layout->addWidget(m_percentLabel);
    }
    if (showAction) {
        m_actionButton = new QPushButton(tr("压缩(极速)"), this);
        m_actionButton->setFixedSize(actionWidth(), 40);
        m_actionButton->setFont(AppFonts::familyFont(8));
        m_actionButton->setCursor(Qt::PointingHandCursor);
        m_actionButton->setObjectName(QStringLiteral("rowAction"));
        layout->addStretch();
        layout->addWidget(m_actionButton);
    }

    auto* closeColumn = new QWidget(this);
    closeColumn->setFixedWidth(25);
    auto* closeLayout = new QVBoxLayout(closeColumn);
    closeLayout->setSpacing(0);
    closeLayout->setContentsMargins(0, 5, 5, 0);
    m_closeButton->setParent(closeColumn);
    m_closeButton->setFixedSize(16, 16);
    m_closeButton->setCursor(Qt::PointingHandCursor);
    m_closeButton->setToolTip(tr("移除"));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setObjectName(QStringLiteral("rowClose"));
    closeLayout->addWidget(m_closeButton, 0, Qt::AlignTop);
    layout->addWidget(closeColumn);
    connect(m_closeButton, &QPushButton::clicked, this, &TableRowWidget::clickClose);
}

TableRowWidget::~TableRowWidget() = default;

void TableRowWidget::setSourcePath(const QString& path)
{
    m_sourcePath = path;
    delete m_mediaInfo;
    m_mediaInfo = new MyMediaInfo(this);
    m_mediaInfo->probe(path);
}

void TableRowWidget::setFacts(const QString& name, const QString& format, const QString& resolution,
                              const QString& duration, const QString& size)
{
    m_itemWidget->setFacts(name, format, resolution, duration, size);
}

void TableRowWidget::SetPersent(int persent)
{
    if (persent == m_persent || m_failed)
        return;
    qCDebug(lcFramework) << "row process is:" << persent;
    if (m_percentLabel)
        m_percentLabel->setText(QString::number(persent) + QLatin1Char('%'));
    m_persent = persent;
    update();
}

void TableRowWidget::setFailed(const QString& reason)
{
    m_failed = true;
    m_failureReason = reason;
    setToolTip(reason);
    if (m_percentLabel) {
        m_percentLabel->setText(tr("转换失败！"));
        m_percentLabel->setFont(AppFonts::itemFont());
        m_percentLabel->setToolTip(reason);
        m_percentLabel->setStyleSheet(QStringLiteral("QLabel{color:%1;}").arg(Palette::kFailure.hex));
    }
    update();
}

void TableRowWidget::setFailed(const JobFailure& failure)
{
    setFailed(failure.isFailure() ? failure.toolTip() : JobFailure(FailureKind::ToolFailed).toolTip());
}

void TableRowWidget::resetProgress()
{
    m_failed = false;
    m_failureReason.clear();
    setToolTip(QString());
    m_persent = 0;
    if (m_percentLabel) {
        m_percentLabel->setText(QStringLiteral("0%"));
        m_percentLabel->setFont(AppFonts::progressFont());
        m_percentLabel->setToolTip(QString());
        if (!m_percentLabel->styleSheet().isEmpty())
            m_percentLabel->setStyleSheet(QString());
    }
    update();
}

void TableRowWidget::setThumbnail(const QImage& frame)
{
    if (frame.isNull())
        return;
    m_thumbnail->setPixmap(
        QPixmap::fromImage(frame.scaled(kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TableRowWidget::showSoundIcon()
{
    m_thumbnail->setPixmap(QPixmap(QStringLiteral(":/icons/icons/audio_thumb.png")));
}

void TableRowWidget::clickClose()
{
    emit tableRemoveRow();
}

void TableRowWidget::paintProgress(QPainter& painter, const QSize& size, int percent, bool failed,
                                   const QColor& line, const QColor& fill)
{
    if (percent <= 0 && !failed)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor fillColor = fill;
    QColor lineColor = line;
    int w = size.width() * percent / 100 - 2;
    if (failed) {
        lineColor = Palette::color(Palette::kFailure);
        fillColor = lineColor;
        fillColor.setAlpha(40);
        w = size.width() - 2;
    }
    painter.setBrush(fillColor);
    painter.drawRect(1, 1, w, size.height() - 2);
    painter.setBrush(lineColor);
    painter.drawRect(0, 0, w, 2);
    painter.drawRect(1, size.height() - 2, w, 2);
}

void TableRowWidget::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
    QPainter painter(this);
    paintProgress(painter, size(), m_persent, m_failed, m_lineColor, m_fillColor);
}

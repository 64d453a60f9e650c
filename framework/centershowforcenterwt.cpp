#include "framework/centershowforcenterwt.h"

#include "style/appfonts.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CenterShowForCenterWT::CenterShowForCenterWT(QWidget* parent)
    : QWidget(parent), m_icon(new QLabel()), m_text(new QLabel(tr("点击添加文件 或 拖拽到此区域"), this)),
      m_note(new QLabel(tr("支持jpg，jpeg，png，bmp，tif，tiff，webp等上百种格式"), this))
{
    setCursor(Qt::PointingHandCursor);
    m_icon->setPixmap(QPixmap(QStringLiteral(":/icons/icons/center_add.png")));
    m_icon->setFixedSize(WidgetSize::dropZoneIcon());
    m_icon->setScaledContents(true);
    m_icon->setAlignment(Qt::AlignCenter);
    auto* iconRow = new QWidget(this);
    auto* iconLayout = new QHBoxLayout(iconRow);
    iconLayout->setContentsMargins(0, 0, 0, 0);
    iconLayout->setSpacing(0);
    iconLayout->setAlignment(Qt::AlignCenter);
    iconLayout->addWidget(m_icon);

    auto* spacer = new QWidget(this);
    spacer->setFixedHeight(15);
    m_text->setObjectName(QStringLiteral("textLabel"));
    m_text->setFont(AppFonts::largeFont());
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setStyleSheet(StyleSheet::textLabel());
    m_note->setObjectName(QStringLiteral("noteLable"));
    m_note->setFont(AppFonts::largeFont());
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setStyleSheet(StyleSheet::make("QLabel{color:@secondaryText;}"));

    auto* layout = new QVBoxLayout(this);
    layout->setAlignment(Qt::AlignCenter);
    layout->setSpacing(10);
    layout->addWidget(iconRow);
    layout->addWidget(spacer);
    layout->addWidget(m_text);
    layout->addWidget(m_note);
}

void CenterShowForCenterWT::setNote(const QString& note)
{
    m_note->setText(note);
}

QString CenterShowForCenterWT::note() const
{
    return m_note->text();
}

void CenterShowForCenterWT::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    emit clicked();
}

void CenterShowForCenterWT::enterEvent(QEvent* event)
{
    m_text->setStyleSheet(StyleSheet::make("QLabel{border:0px;background-color:white;color:@accent;}"));
    QWidget::enterEvent(event);
}

void CenterShowForCenterWT::leaveEvent(QEvent* event)
{
    m_text->setStyleSheet(StyleSheet::textLabel());
    QWidget::leaveEvent(event);
}

void CenterShowForCenterWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

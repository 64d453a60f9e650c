#include "framework/mediacenterwt.h"

#include "framework/centershowwt.h"
#include "framework/tablewidget.h"
#include "style/styledbackground.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QHBoxLayout>
#include <QScrollArea>

MediaCenterWT::MediaCenterWT(const QString& note, const QStringList* extensions, QWidget* parent)
    : QWidget(parent), m_dropZone(new CenterShowWT(note, this)), m_scroll(new QScrollArea(this)),
      m_table(new TableWidget(nullptr))
{
    m_dropZone->setExtensionList(extensions);
    m_dropZone->setFixedWidth(WidgetSize::dropZone().width());
    m_scroll->setFixedWidth(WidgetSize::dropZone().width());
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long list must show that it goes on: a bar appears once the rows pass the height.
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setStyleSheet(StyleSheet::make(
        "QScrollArea{background:transparent;border:0px;}"
        "QScrollBar:vertical{width:8px;background:transparent;margin:0px;}"
        "QScrollBar::handle:vertical{background:@scrollHandle;border-radius:4px;min-height:40px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"));
    m_scroll->setWidget(m_table);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_table->setAutoFillBackground(false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(15, 5, 15, 0);
    layout->setSpacing(8);
    layout->addWidget(m_dropZone);
    layout->addWidget(m_scroll);
    m_scroll->hide();
}

void MediaCenterWT::setPanel(QWidget* panel)
{
    static_cast<QHBoxLayout*>(layout())->addWidget(panel, 1);
}

bool MediaCenterWT::isDropZoneShown() const
{
    return !m_dropZone->isHidden();
}

void MediaCenterWT::showTable()
{
    m_dropZone->hide();
    m_scroll->show();
}

void MediaCenterWT::showDropZone()
{
    m_scroll->hide();
    m_dropZone->show();
}

void MediaCenterWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

#include "widgets/regionmaskwt.h"

#include "widgets/regionboxwt.h"

#include <QBrush>
#include <QPainter>

RegionMaskWT::RegionMaskWT(QWidget* parent) : QWidget(parent) {}

QRect RegionMaskWT::boxRect() const
{
    return m_box ? m_box->geometry() : QRect();
}

void RegionMaskWT::setBoxRect(const QRect& rect)
{
    if (!m_box)
        return;
    m_box->setGeometry(rect);
    update();
}

void RegionMaskWT::paintBands(QPainter& painter, QSize surface, const QRect& box, const QBrush& brush)
{
    const int mw = surface.width();
    const int mh = surface.height();
    const int x = box.x();
    const int y = box.y();
    const int w = box.width();
    const int h = box.height();
    painter.fillRect(QRect(0, 0, mw, y), brush);
    painter.fillRect(QRect(0, y + h, mw, mh - y - h), brush);
    painter.fillRect(QRect(0, y, x, h), brush);
    painter.fillRect(QRect(x + w, y, mw - x - w, h), brush);
}

void RegionMaskWT::updateMask()
{
    const QRect rect = boxRect();
    emit captureMove(rect.x(), rect.y(), rect.width(), rect.height());
    update();
}

void RegionMaskWT::adoptBox(RegionBoxWT* box)
{
    m_box = box;
    connect(box, &RegionBoxWT::parentMove, this, &RegionMaskWT::updateMask);
    box->show();
}

#include "framework/picturecenterwt.h"

#include "framework/centershowwt.h"
#include "framework/pictureparamwt.h"
#include "style/styledbackground.h"
#include "style/widgetsize.h"

#include <QHBoxLayout>

PictureCenterWT::PictureCenterWT(const QString& note, const QStringList* extensions, MyTable::Form form,
                                 QWidget* parent)
    : QWidget(parent), m_dropZone(new CenterShowWT(note, this)), m_table(new MyTable(0, 5, this))
{
    m_dropZone->setExtensionList(extensions);
    m_dropZone->setFixedWidth(WidgetSize::dropZone().width());
    m_table->setForm(form);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 5, 10, 0);
    layout->setSpacing(8);
    layout->addWidget(m_dropZone);
    layout->addWidget(m_table);
    m_table->hide();
}

void PictureCenterWT::setPanel(PictureParamWT* panel)
{
    m_panel = panel;
    static_cast<QHBoxLayout*>(layout())->addWidget(panel, 1);
}

bool PictureCenterWT::isDropZoneShown() const
{
    return !m_dropZone->isHidden();
}

void PictureCenterWT::showTable()
{
    m_dropZone->hide();
    m_table->show();
}

void PictureCenterWT::showDropZone()
{
    m_table->hide();
    m_dropZone->show();
}

void PictureCenterWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

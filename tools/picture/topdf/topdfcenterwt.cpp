#include "tools/picture/topdf/topdfcenterwt.h"

#include "framework/centershowwt.h"
#include "imaging/extensionlists.h"
#include "style/styledbackground.h"
#include "style/widgetsize.h"
#include "tools/picture/topdf/topdfparamwt.h"
#include "tools/picture/topdf/topdftable.h"

#include <QHBoxLayout>

ToPDFCenterWT::ToPDFCenterWT(QWidget* parent)
    : QWidget(parent),
      m_dropZone(new CenterShowWT(tr("支持 jpg，jpeg，png，bmp，tif，tiff 格式的图片"), this)),
      m_table(new ToPDFTable(this)), m_param(new ToPDFParamWT(this))
{
    m_dropZone->setExtensionList(&ExtensionLists::pdfInput());
    m_dropZone->setFixedWidth(WidgetSize::dropZone().width());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 5, 10, 0);
    layout->setSpacing(8);
    layout->addWidget(m_dropZone);
    layout->addWidget(m_table);
    layout->addWidget(m_param, 1);
    m_table->hide();
}

bool ToPDFCenterWT::isDropZoneShown() const
{
    return !m_dropZone->isHidden();
}

void ToPDFCenterWT::showTable()
{
    m_dropZone->hide();
    m_table->show();
}

void ToPDFCenterWT::showDropZone()
{
    m_table->hide();
    m_dropZone->show();
}

void ToPDFCenterWT::paintEvent(QPaintEvent*)
{
    paintStyledBackground(this);
}

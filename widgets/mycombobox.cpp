#include "widgets/mycombobox.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QStyledItemDelegate>

MyComboBox::MyComboBox(QWidget* parent) : QComboBox(parent), m_delegate(new QStyledItemDelegate())
{
    setItemDelegate(m_delegate);
    setObjectName(QStringLiteral("itemDelegate"));
    setFont(AppFonts::standardFont());
    setFixedHeight(WidgetSize::comboBox().height());
    const bool small = WidgetSize::isSmallScreen();
    const QString dropWidth = small ? QStringLiteral("30px") : QStringLiteral("50px");
    const QString arrow = small ? QStringLiteral(":/icons/icons/down_arrow_small.png")
                                : QStringLiteral(":/icons/icons/down_arrow.png");
    const QString itemHeight = small ? QStringLiteral("40") : QStringLiteral("45");
    setStyleSheet(
        StyleSheet::make("QComboBox{border:1px solid @accent;border-radius:5px;padding-left:5px;color:@text;}"
                         "QComboBox::drop-down{border:0px;subcontrol-origin:padding; "
                         "subcontrol-position:top right;width:%1;border-left-style:solid;"
                         "border-top-right-radius:3px;border-bottom-right-radius:3px;}"
                         "QComboBox::down-arrow {image:url(%2);}"
                         "QComboBox QAbstractItemView::item{height:%3;color:@text;}")
            .arg(dropWidth, arrow, itemHeight));
}

MyComboBox::~MyComboBox()
{
    // The view holds its delegate through a guarded pointer, so it may go first.
    delete m_delegate;
}

#include "tools/picture/topdf/topdftable.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"
#include "tools/picture/topdf/centerprogresswt.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>

namespace {
QTableWidgetItem* centredItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

int pickWidth(int small, int normal)
{
    return WidgetSize::isSmallScreen() ? small : normal;
}
} // namespace

ToPDFTable::ToPDFTable(QWidget* parent) : QTableWidget(0, 5, parent)
{
    setFrameShape(QFrame::NoFrame);
    setShowGrid(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(WidgetSize::tableRow().height());
    QHeaderView* header = horizontalHeader();
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setFixedHeight(WidgetSize::tableRow().height());
    header->setFont(AppFonts::standardFont());
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFont(AppFonts::standardFont());
    setStyleSheet(StyleSheet::make(
        "QHeaderView{background:transparent;border:0px;padding:0px;color:@text;}"
        "QHeaderView::section{text-align:center;background:@headerSection;border-radius:8px;margin:0px;"
        "border:0px;"
        "padding:0px;}QTableWidget{border:2px solid @tableBorder; border-radius:8px; background:white;"
        "alternate-background-color:@tableGrid;gridline-color:@tableGrid;}"
        "QTableWidget::item{text-align:center;border-bottom:1px solid @rowLine;color:@text;}"));
    setHorizontalHeaderLabels({tr("编号"), tr("文件名"), tr("文件大小"), tr("文件格式"), tr("操作")});
    const int widths[] = {80, pickWidth(200, 240), pickWidth(200, 240), pickWidth(140, 200),
                          pickWidth(100, 200)};
    for (int column = 0; column < 5; ++column)
        setColumnWidth(column, widths[column]);
    setFixedWidth(WidgetSize::dropZone().width());
    m_progress = new CenterProgressWT(this);
    m_progress->hide();
}

void ToPDFTable::addPictureRows(const QStringList& paths, quint64 firstKey)
{
    const int first = rowCount();
    setRowCount(first + paths.size());
    for (int i = 0; i < paths.size(); ++i) {
        const int row = first + i;
        const QFileInfo info(paths.at(i));
        QTableWidgetItem* number = centredItem(QString::number(row + 1));
        number->setData(kPathRole, paths.at(i));
        number->setData(kKeyRole, firstKey + static_cast<quint64>(i));
        setItem(row, 0, number);
        QTableWidgetItem* name = centredItem(info.fileName());
        name->setToolTip(info.fileName());
        setItem(row, 1, name);
        setItem(row, 2, centredItem(QString::number(info.size() / 1024) + QStringLiteral(" KB")));
        setItem(row, 3, centredItem(info.suffix().toUpper()));
        setCellWidget(row, 4, makeDeleteCell());
    }
}

QWidget* ToPDFTable::makeDeleteCell()
{
    auto* cell = new QWidget(this);
    auto* button = new QPushButton(QIcon(QStringLiteral(":/icons/icons/delitem.png")), QString(), cell);
    button->setObjectName(QStringLiteral("delBtn"));
    button->setFixedSize(WidgetSize::rowActionButton());
    button->setIconSize(WidgetSize::rowActionButton() / 2);
    button->setStyleSheet(QStringLiteral("QPushButton{border:0px; background-color:white;}"));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(tr("删除"));
    connect(button, &QPushButton::clicked, this, [this, button] { emit deleteClicked(button); });
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setAlignment(Qt::AlignCenter);
    layout->addWidget(button);
    return cell;
}

void ToPDFTable::removePictureRow(int row)
{
    removeRow(row);
    renumber();
}

void ToPDFTable::renumber()
{
    for (int row = 0; row < rowCount(); ++row)
        item(row, 0)->setText(QString::number(row + 1));
}

QString ToPDFTable::picturePath(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kPathRole).toString() : QString();
}

quint64 ToPDFTable::keyOf(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kKeyRole).toULongLong() : 0;
}

int ToPDFTable::rowOfKey(quint64 key) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (keyOf(row) == key)
            return row;
    }
    return -1;
}

int ToPDFTable::rowOf(const QWidget* cellChild) const
{
    for (int row = 0; row < rowCount(); ++row) {
        const QWidget* cell = cellWidget(row, 4);
        if (cell && (cell == cellChild || cell->isAncestorOf(cellChild)))
            return row;
    }
    return -1;
}

void ToPDFTable::showProgress()
{
    m_progress->setGeometry(rect());
    m_progress->reset();
    m_progress->show();
    m_progress->raise();
}

void ToPDFTable::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    if (!m_progress)
        return;
    // The shade covers the whole table, header included, whatever the window does.
    m_progress->setGeometry(rect());
}

bool ToPDFTable::event(QEvent* event)
{
    const bool handled = QTableWidget::event(event);
    // The scroll area raises its scroll bar when the bar comes into use; the shade stays above it.
    if (m_progress && m_progress->isVisible() && children().constLast() != m_progress)
        m_progress->raise();
    return handled;
}

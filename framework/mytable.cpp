#include "framework/mytable.h"

#include "style/appfonts.h"
#include "style/stylesheet.h"
#include "style/widgetsize.h"

#include <QDebug>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

MyTable::MyTable(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent)
{
    setFrameShape(QFrame::NoFrame);
    setShowGrid(false);
    verticalHeader()->setVisible(false);
    // Every row has the role's height; as the default it costs nothing per added row.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(WidgetSize::tableRow().height());
    QHeaderView* header = horizontalHeader();
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
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
        "QHeaderView::section{text-align:center;background:#F8F8F9;border-radius:8px;margin:0px;border:0px;"
        "padding:0px;}QTableWidget{border:2px solid @tableBorder; border-radius:8px; background:white;"
        "alternate-background-color:#003366;gridline-color:#003366;}"
        "QTableWidget::item{text-align:center;border-bottom:1px solid @rowLine;color:@text;}"));
}

void MyTable::setForm(Form form)
{
    m_form = form;
    QStringList labels{QStringLiteral("编号"), QStringLiteral("文件名"), QStringLiteral("文件大小")};
    QList<int> widths;
    if (form == Form::Standard) {
        labels << QStringLiteral("状态") << QStringLiteral("操作");
        widths << WidgetSize::columnNumber().width() << WidgetSize::columnName().width()
               << WidgetSize::columnName().width() << WidgetSize::columnStatus().width()
               << WidgetSize::columnAction().width();
    } else {
        labels << QStringLiteral("压缩后大小") << QStringLiteral("状态") << QStringLiteral("操作");
        const int wide = WidgetSize::compressWideColumn().width();
        widths << WidgetSize::compressNumberColumn().width() << wide << wide << wide << wide
               << WidgetSize::compressActionColumn().width();
    }
    setColumnCount(labels.size());
    setHorizontalHeaderLabels(labels);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
    setFixedWidth(WidgetSize::dropZone().width());
}

int MyTable::statusColumn() const
{
    return m_form == Form::Standard ? 3 : 4;
}

int MyTable::actionColumn() const
{
    return statusColumn() + 1;
}

QString MyTable::sizeText(qint64 bytes)
{
    return QString::number(bytes / 1024) + QStringLiteral(" KB");
}

QTableWidgetItem* MyTable::centredItem(const QString& text) const
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

void MyTable::addFileRows(const QStringList& paths, quint64 firstKey)
{
    if (paths.isEmpty())
        return;
    const int first = rowCount();
    // One insertion and no painting while the cells are made: row by row, every insertion
    // re-laid the header and every cell widget, which grew with the table.
    setUpdatesEnabled(false);
    setRowCount(first + paths.size());
    for (int i = 0; i < paths.size(); ++i)
        fillRow(first + i, paths.at(i), firstKey + static_cast<quint64>(i));
    setUpdatesEnabled(true);
}

void MyTable::fillRow(int row, const QString& path, quint64 key)
{
    const QFileInfo info(path);
    QTableWidgetItem* number = centredItem(QString::number(row + 1));
    number->setData(kSourceRole, path);
    number->setData(kKeyRole, key);
    setItem(row, 0, number);
    QTableWidgetItem* name = centredItem(info.fileName());
    name->setToolTip(info.fileName());
    setItem(row, 1, name);
    setItem(row, 2, centredItem(sizeText(info.size())));
    setCellWidget(row, statusColumn(), makeStatusCell());
    setCellWidget(row, actionColumn(), makeActionCell());
    if (!m_keysStale)
        m_rowOfKey.insert(key, row);
}

void MyTable::removeFileRow(int row)
{
    removeRow(row);
    m_keysStale = true;
    renumber();
}

void MyTable::removeAllRows()
{
    setRowCount(0);
    clearContents();
    m_rowOfKey.clear();
    m_keysStale = false;
}

quint64 MyTable::keyOf(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kKeyRole).toULongLong() : 0;
}

int MyTable::rowOfKey(quint64 key) const
{
    if (m_keysStale) {
        m_rowOfKey.clear();
        for (int row = 0; row < rowCount(); ++row)
            m_rowOfKey.insert(keyOf(row), row);
        m_keysStale = false;
    }
    return m_rowOfKey.value(key, -1);
}

QWidget* MyTable::makeStatusCell()
{
    auto* cell = new QWidget();
    cell->setObjectName(QStringLiteral("progressWidget"));
    auto* layout = new QHBoxLayout(cell);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QProgressBar(cell);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setFixedHeight(WidgetSize::rowProgress().height());
    bar->setFont(AppFonts::itemFont());
    bar->setAlignment(Qt::AlignCenter);
    bar->setStyleSheet(QStringLiteral("QProgressBar{border-radius:3px;background-color:#CCCCCC;}"));
    auto* warning = new QLabel(cell);
    warning->setObjectName(QStringLiteral("rowWarning"));
    warning->setAlignment(Qt::AlignCenter);
    warning->setStyleSheet(StyleSheet::textLabel());
    warning->hide();
    layout->addWidget(bar);
    layout->addWidget(warning);
    return cell;
}

QWidget* MyTable::makeActionCell()
{
    auto* cell = new QWidget();
    auto* layout = new QHBoxLayout(cell);
    layout->setSpacing(8);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setAlignment(Qt::AlignCenter);
    auto makeButton = [cell](const char* name, const char* icon) {
        auto* button = new QPushButton(cell);
        button->setObjectName(QLatin1String(name));
        button->setIcon(QIcon(QLatin1String(icon)));
        button->setFixedSize(WidgetSize::rowActionButton());
        // Half the button: the default 16 px icon is lost in a 45 px cell.
        button->setIconSize(WidgetSize::rowActionButton() / 2);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{border:0px; background-color:white;}"));
        return button;
    };
    QPushButton* open = makeButton("openDirBtn", ":/icons/icons/itemdirdisable.png");
    QPushButton* remove = makeButton("delBtn", ":/icons/icons/delitem.png");
    layout->addStretch();
    layout->addWidget(open);
    layout->addWidget(remove);
    layout->addStretch();
    connect(open, &QPushButton::clicked, this, [this, open] { emit openDirClicked(open); });
    connect(remove, &QPushButton::clicked, this, [this, remove] { emit deleteClicked(remove); });
    return cell;
}

void MyTable::setRowProgress(int row, int value)
{
    QWidget* cell = cellWidget(row, statusColumn());
    if (auto* bar = cell ? cell->findChild<QProgressBar*>(QStringLiteral("progressBar")) : nullptr)
        bar->setValue(value);
}

void MyTable::markRow(int row, const QString& text)
{
    QWidget* cell = cellWidget(row, statusColumn());
    if (!cell)
        return;
    if (auto* label = cell->findChild<QLabel*>(QStringLiteral("rowWarning"))) {
        label->setText(text);
        label->show();
    }
    if (auto* bar = cell->findChild<QProgressBar*>(QStringLiteral("progressBar")))
        bar->hide();
}

void MyTable::completeRow(int row, const QString& exportPath, bool success, const QString& reason)
{
    if (row < 0 || row >= rowCount())
        return;
    if (QWidget* cell = cellWidget(row, actionColumn())) {
        if (auto* open = cell->findChild<QPushButton*>(QStringLiteral("openDirBtn")))
            open->setIcon(QIcon(QStringLiteral(":/icons/icons/itemdirenable.png")));
    }
    item(row, 0)->setData(kExportRole, exportPath);
    qDebug() << "export file path ================:" << exportPath;
    if (m_form == Form::Compression && QFileInfo::exists(exportPath))
        setItem(row, 3, centredItem(sizeText(QFileInfo(exportPath).size())));
    if (!success)
        failRow(row, reason);
}

void MyTable::failRow(int row, const QString& reason)
{
    markRow(row, QStringLiteral("转换失败！"));
    QWidget* cell = cellWidget(row, statusColumn());
    if (auto* label = cell ? cell->findChild<QLabel*>(QStringLiteral("rowWarning")) : nullptr) {
        static const QString failedSheet = StyleSheet::make("QLabel{color:@failure;}");
        label->setStyleSheet(failedSheet);
        label->setToolTip(reason);
    }
}

void MyTable::renumber()
{
    for (int row = 0; row < rowCount(); ++row)
        item(row, 0)->setText(QString::number(row + 1));
}

QString MyTable::sourcePath(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kSourceRole).toString() : QString();
}

QString MyTable::exportPath(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kExportRole).toString() : QString();
}

int MyTable::progress(int row) const
{
    const QWidget* cell = cellWidget(row, statusColumn());
    const auto* bar = cell ? cell->findChild<QProgressBar*>(QStringLiteral("progressBar")) : nullptr;
    return bar ? bar->value() : -1;
}

QString MyTable::rowWarning(int row) const
{
    const QWidget* cell = cellWidget(row, statusColumn());
    const auto* label = cell ? cell->findChild<QLabel*>(QStringLiteral("rowWarning")) : nullptr;
    return label && !label->isHidden() ? label->text() : QString();
}

int MyTable::rowOf(const QWidget* cellChild) const
{
    const QWidget* cell = cellChild ? cellChild->parentWidget() : nullptr;
    if (!cell)
        return -1;
    // Compare cells rather than ask indexAt(): a table not yet laid out has no positions.
    for (int row = 0; row < rowCount(); ++row) {
        if (cellWidget(row, actionColumn()) == cell || cellWidget(row, statusColumn()) == cell)
            return row;
    }
    return -1;
}

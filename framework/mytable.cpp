#include "framework/mytable.h"

#include "platform/logcategories.h"
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
        "QHeaderView::section{text-align:center;background:@headerSection;border-radius:8px;margin:0px;"
        "border:0px;"
        "padding:0px;}QTableWidget{border:2px solid @tableBorder; border-radius:8px; background:white;"
        "alternate-background-color:@tableGrid;gridline-color:@tableGrid;}"
        "QTableWidget::item{text-align:center;border-bottom:1px solid @rowLine;color:@text;}"));
}

void MyTable::setForm(Form form)
{
    m_form = form;
    QStringList labels{tr("编号"), tr("文件名"), tr("文件大小")};
    QList<int> widths;
    if (form == Form::Standard) {
        labels << tr("状态") << tr("操作");
        widths << WidgetSize::columnNumber().width() << WidgetSize::columnName().width()
               << WidgetSize::columnName().width() << WidgetSize::columnStatus().width()
               << WidgetSize::columnAction().width();
    } else if (form == Form::Crop) {
        labels =
            QStringList{tr("编号"), tr("文件名"), tr("剪切坐标"), tr("剪切尺寸"), tr("状态"), tr("操作")};
        widths << WidgetSize::compressNumberColumn().width() << WidgetSize::cropNameColumn().width()
               << WidgetSize::cropNameColumn().width() << WidgetSize::compressWideColumn().width()
               << WidgetSize::cropStatusColumn().width() << WidgetSize::cropActionColumn().width();
    } else {
        labels << tr("压缩后大小") << tr("状态") << tr("操作");
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
    // One insertion: row by row, each insertion re-laid the whole header.
    setRowCount(first + paths.size());
    for (int i = 0; i < paths.size(); ++i)
        fillRow(first + i, paths.at(i), firstKey + static_cast<quint64>(i));
    makeCellsInView();
}

void MyTable::fillRow(int row, const QString& path, quint64 key)
{
    const QFileInfo info(path);
    QTableWidgetItem* number = centredItem(QString::number(row + 1));
    number->setData(kSourceRole, path);
    number->setData(kKeyRole, key);
    number->setData(kProgressRole, 0);
    setItem(row, 0, number);
    QTableWidgetItem* name = centredItem(info.fileName());
    name->setToolTip(info.fileName());
    setItem(row, 1, name);
    if (m_form == Form::Crop) {
        setItem(row, 2, centredItem(QString()));
        setItem(row, 3, centredItem(QString()));
    } else {
        setItem(row, 2, centredItem(sizeText(info.size())));
    }
    if (!m_keysStale)
        m_rowOfKey.insert(key, row);
}

void MyTable::makeCellsInView()
{
    if (rowCount() == 0)
        return;
    // Before the first layout there is no view to measure: the first screenful, generously.
    constexpr int kFirstRows = 40;
    int top = rowAt(0);
    int bottom = rowAt(qMax(0, viewport()->height() - 1));
    if (!isVisible() || top < 0) {
        top = 0;
        bottom = kFirstRows;
    }
    if (bottom < 0)
        bottom = rowCount() - 1;
    for (int row = top; row <= qMin(bottom, rowCount() - 1); ++row)
        makeCells(row);
}

void MyTable::makeCells(int row)
{
    if (cellWidget(row, statusColumn()))
        return;
    setCellWidget(row, statusColumn(), makeStatusCell());
    setCellWidget(row, actionColumn(), makeActionCell());
    showState(row);
}

void MyTable::showState(int row)
{
    const QTableWidgetItem* first = item(row, 0);
    QWidget* status = cellWidget(row, statusColumn());
    if (!first || !status)
        return;
    auto* bar = status->findChild<QProgressBar*>(QStringLiteral("progressBar"));
    auto* warning = status->findChild<QLabel*>(QStringLiteral("rowWarning"));
    bar->setValue(first->data(kProgressRole).toInt());
    const QString text = first->data(kWarningRole).toString();
    if (!text.isEmpty()) {
        warning->setText(text);
        const QVariant reason = first->data(kReasonRole);
        if (reason.isValid()) {
            static const QString failedSheet = StyleSheet::make("QLabel{color:@failure;}");
            warning->setStyleSheet(failedSheet);
            warning->setToolTip(reason.toString());
        }
        warning->show();
        bar->hide();
    } else {
        warning->hide();
        bar->show();
    }
    // A job that failed before it named an output has no folder to show: its button stays dimmed.
    if (first->data(kCompletedRole).toBool() && !first->data(kExportRole).toString().isEmpty()) {
        if (auto* open =
                cellWidget(row, actionColumn())->findChild<QPushButton*>(QStringLiteral("openDirBtn")))
            open->setIcon(QIcon(QStringLiteral(":/icons/icons/itemdirenable.png")));
    }
    if (m_form == Form::Crop) {
        // A cropped row offers its result and its removal; until then, the rectangle and removal.
        const bool cropped = first->data(kCompletedRole).toBool() && !first->data(kReasonRole).isValid();
        QWidget* actions = cellWidget(row, actionColumn());
        for (const char* name : {"openDirBtn", "delBtn"})
            actions->findChild<QPushButton*>(QLatin1String(name))->setVisible(cropped);
        for (const char* name : {"openCropBtn", "delTextBtn"})
            actions->findChild<QPushButton*>(QLatin1String(name))->setVisible(!cropped);
    }
}

void MyTable::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    makeCellsInView();
}

void MyTable::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    makeCellsInView();
}

void MyTable::showEvent(QShowEvent* event)
{
    QTableWidget::showEvent(event);
    makeCellsInView();
}

void MyTable::removeFileRow(int row)
{
    removeRow(row);
    m_keysStale = true;
    renumber();
    makeCellsInView();
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
    bar->setStyleSheet(
        StyleSheet::make("QProgressBar{border-radius:3px;background-color:@rowProgressTrack;}"));
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
    auto makeButton = [cell](const char* name, const char* icon, const QString& tip) {
        auto* button = new QPushButton(cell);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(tip);
        // The table takes no focus; its row buttons would otherwise trap Tab in the list.
        button->setFocusPolicy(Qt::NoFocus);
        button->setIcon(QIcon(QLatin1String(icon)));
        button->setFixedSize(WidgetSize::rowActionButton());
        // Half the button: the default 16 px icon is lost in a 45 px cell.
        button->setIconSize(WidgetSize::rowActionButton() / 2);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{border:0px; background-color:white;}"));
        return button;
    };
    QPushButton* open = makeButton("openDirBtn", ":/icons/icons/itemdirdisable.png", tr("打开文件夹"));
    QPushButton* remove = makeButton("delBtn", ":/icons/icons/delitem.png", tr("删除"));
    layout->addStretch();
    layout->addWidget(open);
    layout->addWidget(remove);
    if (m_form == Form::Crop)
        addCropButtons(cell);
    layout->addStretch();
    connect(open, &QPushButton::clicked, this, [this, open] { emit openDirClicked(open); });
    connect(remove, &QPushButton::clicked, this, [this, remove] { emit deleteClicked(remove); });
    return cell;
}

void MyTable::addCropButtons(QWidget* cell)
{
    auto makeButton = [cell](const char* name, const QString& text) {
        auto* button = new QPushButton(text, cell);
        button->setObjectName(QLatin1String(name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setFont(AppFonts::standardFont());
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(
            StyleSheet::make("QPushButton{border:0px; background-color:white;color:@rowTextButton;}"));
        cell->layout()->addWidget(button);
        return button;
    };
    QPushButton* crop = makeButton("openCropBtn", tr("剪切设置"));
    QPushButton* remove = makeButton("delTextBtn", tr("删除"));
    connect(crop, &QPushButton::clicked, this, [this, crop] { emit cropClicked(crop); });
    connect(remove, &QPushButton::clicked, this, [this, remove] { emit deleteClicked(remove); });
}

void MyTable::setCropRect(int row, const QRect& rect)
{
    QTableWidgetItem* first = item(row, 0);
    if (!first)
        return;
    const bool set = !rect.isNull();
    first->setData(kCropXRole, set ? QVariant(rect.x()) : QVariant());
    first->setData(kCropYRole, set ? QVariant(rect.y()) : QVariant());
    first->setData(kCropWidthRole, set ? QVariant(rect.width()) : QVariant());
    first->setData(kCropHeightRole, set ? QVariant(rect.height()) : QVariant());
    const QString joiner = QStringLiteral(" x ");
    item(row, 2)->setText(set ? QString::number(rect.x()) + joiner + QString::number(rect.y()) : QString());
    item(row, 3)->setText(set ? QString::number(rect.width()) + joiner + QString::number(rect.height())
                              : QString());
}

QRect MyTable::cropRect(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    if (!first || !first->data(kCropXRole).isValid())
        return QRect();
    return QRect(first->data(kCropXRole).toInt(), first->data(kCropYRole).toInt(),
                 first->data(kCropWidthRole).toInt(), first->data(kCropHeightRole).toInt());
}

void MyTable::setRowProgress(int row, int value)
{
    if (QTableWidgetItem* first = item(row, 0)) {
        first->setData(kProgressRole, value);
        showState(row);
    }
}

void MyTable::markRow(int row, const QString& text)
{
    if (QTableWidgetItem* first = item(row, 0)) {
        first->setData(kWarningRole, text);
        showState(row);
    }
}

void MyTable::completeRow(int row, const QString& exportPath, bool success, const JobFailure& failure)
{
    QTableWidgetItem* first = item(row, 0);
    if (!first)
        return;
    first->setData(kExportRole, exportPath);
    first->setData(kCompletedRole, true);
    qCDebug(lcFramework) << "export file path ================:" << exportPath;
    if (m_form == Form::Compression && QFileInfo::exists(exportPath))
        setItem(row, 3, centredItem(sizeText(QFileInfo(exportPath).size())));
    if (!success) {
        first->setData(kReasonRole, failure.isFailure() ? failure.toolTip()
                                                        : JobFailure(FailureKind::ToolFailed).toolTip());
        first->setData(kWarningRole, tr("转换失败！"));
    } else {
        // A row that failed or was left out before and now succeeded shows its bar again.
        first->setData(kReasonRole, QVariant());
        first->setData(kWarningRole, QVariant());
    }
    showState(row);
}

void MyTable::resetRow(int row)
{
    if (QTableWidgetItem* first = item(row, 0)) {
        first->setData(kProgressRole, 0);
        first->setData(kWarningRole, QVariant());
        first->setData(kReasonRole, QVariant());
        showState(row);
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
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kProgressRole).toInt() : -1;
}

QString MyTable::rowWarning(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kWarningRole).toString() : QString();
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

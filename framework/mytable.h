#pragma once

#include <QTableWidget>

// The picture pages' file table: number, name, size, status bar and row actions.
class MyTable final : public QTableWidget
{
    Q_OBJECT
public:
    enum class Form
    {
        Standard,
        Compression
    };
    static constexpr int kSourceRole = 20;
    static constexpr int kExportRole = 21;

    MyTable(int rows, int columns, QWidget* parent);

    // Header labels and fixed column widths of one of the two picture layouts.
    void setForm(Form form);
    Form form() const { return m_form; }

    // Appends a row for the file; its buttons call openItemDir() and deleteItem() on receiver.
    void addFileRow(const QString& path, QObject* receiver);
    void setRowProgress(int row, int progress);
    void markRow(int row, const QString& text);
    void completeRow(int row, const QString& exportPath, bool success);
    void renumber();

    QString sourcePath(int row) const;
    QString exportPath(int row) const;
    int progress(int row) const;
    // The row text shown instead of the bar; empty while the bar is shown.
    QString rowWarning(int row) const;
    // The row whose cell holds this widget (a row button), or -1.
    int rowOf(const QWidget* cellChild) const;

    // "1023 bytes" -> "0 KB".
    static QString sizeText(qint64 bytes);

private:
    int statusColumn() const;
    int actionColumn() const;
    QWidget* makeStatusCell();
    QWidget* makeActionCell(QObject* receiver);
    QTableWidgetItem* centredItem(const QString& text) const;

    Form m_form = Form::Standard;
};

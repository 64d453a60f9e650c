#pragma once

#include <QHash>
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
    // The page's key of the row, which no later row reuses.
    static constexpr int kKeyRole = 30;

    MyTable(int rows, int columns, QWidget* parent);

    // Header labels and fixed column widths of one of the two picture layouts.
    void setForm(Form form);
    Form form() const { return m_form; }

    // Appends one row per file, keyed firstKey, firstKey + 1, ...; the table lays out once.
    void addFileRows(const QStringList& paths, quint64 firstKey);
    // Removes the row and renumbers the rest.
    void removeFileRow(int row);
    void removeAllRows();
    void setRowProgress(int row, int progress);
    void markRow(int row, const QString& text);
    // A failed row reads "转换失败！" in red, with the reason as its tooltip.
    void completeRow(int row, const QString& exportPath, bool success, const QString& reason = QString());
    void renumber();

    quint64 keyOf(int row) const;
    int rowOfKey(quint64 key) const;

    QString sourcePath(int row) const;
    QString exportPath(int row) const;
    int progress(int row) const;
    // The row text shown instead of the bar; empty while the bar is shown.
    QString rowWarning(int row) const;
    // The row whose cell holds this widget (a row button), or -1.
    int rowOf(const QWidget* cellChild) const;

    // "1023 bytes" -> "0 KB".
    static QString sizeText(qint64 bytes);

signals:
    // A row's buttons were clicked; the button tells the row.
    void openDirClicked(const QWidget* button);
    void deleteClicked(const QWidget* button);

private:
    int statusColumn() const;
    int actionColumn() const;
    void failRow(int row, const QString& reason);
    QWidget* makeStatusCell();
    QWidget* makeActionCell();
    void fillRow(int row, const QString& path, quint64 key);
    QTableWidgetItem* centredItem(const QString& text) const;

    Form m_form = Form::Standard;
    // Row of each key; rebuilt after rows are removed, so a report finds its row at once.
    mutable QHash<quint64, int> m_rowOfKey;
    mutable bool m_keysStale = false;
};

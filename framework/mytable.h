#pragma once

#include "platform/jobfailure.h"

#include <QHash>
#include <QRect>
#include <QTableWidget>

// The picture pages' file table: number, name, size, status bar and row actions.
// A row's state lives in its first item; the status and action cells of a row are made when the
// row comes into view, so a list of thousands of files costs what the rows in view cost.
class MyTable final : public QTableWidget
{
    Q_OBJECT
public:
    enum class Form
    {
        Standard,
        Compression,
        // Six columns: the rectangle's position and size instead of the file size.
        Crop
    };
    static constexpr int kSourceRole = 20;
    static constexpr int kExportRole = 21;
    // The page's key of the row, which no later row reuses; then the row's shown state.
    static constexpr int kKeyRole = 30;
    static constexpr int kProgressRole = 31;
    static constexpr int kWarningRole = 32;
    static constexpr int kReasonRole = 33;
    static constexpr int kCompletedRole = 34;
    // The crop rectangle in the upright picture's pixels; absent until one is confirmed.
    static constexpr int kCropXRole = 22;
    static constexpr int kCropYRole = 23;
    static constexpr int kCropWidthRole = 24;
    static constexpr int kCropHeightRole = 25;

    MyTable(int rows, int columns, QWidget* parent);

    // Header labels and fixed column widths of one of the two picture layouts.
    void setForm(Form form);
    Form form() const { return m_form; }

    // Appends one row per file, keyed firstKey, firstKey + 1, ...
    void addFileRows(const QStringList& paths, quint64 firstKey);
    // Removes the row and renumbers the rest.
    void removeFileRow(int row);
    void removeAllRows();
    void setRowProgress(int row, int progress);
    void markRow(int row, const QString& text);
    // A failed row reads "转换失败！" in red; its tooltip says why in a sentence, then the tool's line.
    void completeRow(int row, const QString& exportPath, bool success,
                     const JobFailure& failure = JobFailure());
    // A row whose job was stopped: an empty bar, no warning, as before its start.
    void resetRow(int row);
    void renumber();
    // Shows the rectangle on the row and keeps it there; a null rect when the row has none.
    void setCropRect(int row, const QRect& rect);
    QRect cropRect(int row) const;

    quint64 keyOf(int row) const;
    int rowOfKey(quint64 key) const;
    QString sourcePath(int row) const;
    QString exportPath(int row) const;
    int progress(int row) const;
    // The row text shown instead of the bar; empty while the bar is shown.
    QString rowWarning(int row) const;
    // The row whose cell holds this widget (a row button), or -1.
    int rowOf(const QWidget* cellChild) const;
    // Makes the cells of the rows in view (of the first rows while the table has no size yet).
    void makeCellsInView();

    // "1023 bytes" -> "0 KB".
    static QString sizeText(qint64 bytes);

signals:
    // A row's buttons were clicked; the button tells the row.
    void openDirClicked(const QWidget* button);
    void deleteClicked(const QWidget* button);
    // The crop form's "剪切设置".
    void cropClicked(const QWidget* button);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int statusColumn() const;
    int actionColumn() const;
    void makeCells(int row);
    void showState(int row);
    QWidget* makeStatusCell();
    QWidget* makeActionCell();
    void addCropButtons(QWidget* cell);
    void fillRow(int row, const QString& path, quint64 key);
    QTableWidgetItem* centredItem(const QString& text) const;

    Form m_form = Form::Standard;
    // Row of each key; rebuilt after rows are removed, so a report finds its row at once.
    mutable QHash<quint64, int> m_rowOfKey;
    mutable bool m_keysStale = false;
};

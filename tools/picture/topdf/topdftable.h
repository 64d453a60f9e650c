#pragma once

#include <QTableWidget>

class CenterProgressWT;

// The pictures of the PDF page: number, name, size, format and a delete button per row, with
// the progress shade above them while a run goes on.
class ToPDFTable final : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int kPathRole = 20;
    static constexpr int kKeyRole = 30;

    explicit ToPDFTable(QWidget* parent);

    // Appends one row per picture, keyed firstKey, firstKey + 1, ...
    void addPictureRows(const QStringList& paths, quint64 firstKey);
    // Removes the row and renumbers the rest.
    void removePictureRow(int row);
    void renumber();

    QString picturePath(int row) const;
    quint64 keyOf(int row) const;
    int rowOfKey(quint64 key) const;
    // The row whose cell holds this widget (a delete button), or -1.
    int rowOf(const QWidget* cellChild) const;

    CenterProgressWT* progressWT() const { return m_progress; }
    // The shade over the whole table, reset and on top.
    void showProgress();

signals:
    void deleteClicked(const QWidget* button);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeDeleteCell();

    CenterProgressWT* m_progress = nullptr;
};

#pragma once

#include <QWidget>

class OperBtn;
class QLabel;

// The add-files, add-folder and clear buttons above every picture page.
class OperBtnBar final : public QWidget
{
    Q_OBJECT
public:
    explicit OperBtnBar(QWidget* parent);

    OperBtn* addFileButton() const { return m_addFile; }
    OperBtn* addDirButton() const { return m_addDir; }
    OperBtn* clearButton() const { return m_clear; }
    // The page's one-line summary of its last batch, at the bar's right end.
    QLabel* summaryLabel() const { return m_summary; }

private:
    OperBtn* m_addFile;
    OperBtn* m_addDir;
    OperBtn* m_clear;
    QLabel* m_summary;
};

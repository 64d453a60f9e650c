#pragma once

#include <QWidget>

class OperBtn;

// The add-files, add-folder and clear buttons above every picture page.
class OperBtnBar final : public QWidget
{
    Q_OBJECT
public:
    explicit OperBtnBar(QWidget* parent);

    OperBtn* addFileButton() const { return m_addFile; }
    OperBtn* addDirButton() const { return m_addDir; }
    OperBtn* clearButton() const { return m_clear; }

private:
    OperBtn* m_addFile;
    OperBtn* m_addDir;
    OperBtn* m_clear;
};

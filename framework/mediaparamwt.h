#pragma once

#include <QWidget>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class SubmitBtn;

// The parameter panel of the media pages: header, the page's rows, the output-folder rows and
// the start button. The output folder is the documents folder until the user picks another.
class MediaParamWT : public QWidget
{
    Q_OBJECT
public:
    MediaParamWT(const QString& submitText, QWidget* parent);

    QString outputFolder() const { return m_outputFolder; }
    QString defaultFolder() const { return m_defaultFolder; }
    SubmitBtn* submitButton() const { return m_submit; }
    QComboBox* savePathBox() const { return m_savePathBox; }
    QLineEdit* pathField() const { return m_pathField; }
    QPushButton* changeButton() const { return m_changeButton; }
    QPushButton* openButton() const { return m_openButton; }
    // What the change button's dialog answered; tests and a chosen folder go through here.
    void setCustomFolder(const QString& folder);

public slots:
    void openDir();
    void chooseSavePath(int index);
    void changeSavePath();

protected:
    QGridLayout* grid() const { return m_grid; }
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeOutputRows(QWidget* parent);
    void showFolderTips();

    QGridLayout* m_grid;
    QComboBox* m_savePathBox = nullptr;
    QLineEdit* m_pathField = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_changeButton = nullptr;
    SubmitBtn* m_submit;
    QString m_defaultFolder;
    QString m_outputFolder;
};

#pragma once

#include <QWidget>

class ExportFileWT;
class ParamLabel;
class QGridLayout;
class SubmitBtn;

// The parameter panel every picture page shares: header, grid, output folder, start button.
class PictureParamWT : public QWidget
{
    Q_OBJECT
public:
    PictureParamWT(const QString& submitText, const QString& submitIcon, QWidget* parent);

    ExportFileWT* exportFile() const { return m_exportFile; }
    SubmitBtn* submitButton() const { return m_submit; }
    QString outputFolder() const;

public slots:
    void openDir();

protected:
    QGridLayout* grid() const { return m_grid; }
    // A caption in column 0 and its control across columns 1 to 3.
    ParamLabel* addParamRow(int row, const QString& caption, QWidget* control);
    void addSeparator(int row);
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader(const QString& text, const QString& icon, int height, const QString& style);

    QGridLayout* m_grid;
    ExportFileWT* m_exportFile;
    SubmitBtn* m_submit;
};

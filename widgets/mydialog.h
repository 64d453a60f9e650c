#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The one-button notice every page raises; it deletes itself when closed.
class MyDialog final : public QDialog
{
    Q_OBJECT
public:
    MyDialog(const QString& message, QWidget* parent);

    QString message() const;

private:
    QLabel* m_message;
    QWidget* m_spacer;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};

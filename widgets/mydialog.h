#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The one-button notice every page raises; it deletes itself when closed. As a question it
// has 确定 (accepted) and 取消 (rejected).
class MyDialog final : public QDialog
{
    Q_OBJECT
public:
    MyDialog(const QString& message, QWidget* parent);

    QString message() const;
    void makeQuestion();
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

private:
    QLabel* m_message;
    QWidget* m_spacer;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};

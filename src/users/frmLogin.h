#pragma once
// The log-in box: a user name and a password, accepted or cancelled.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* owner = nullptr);

    // Shows the box modal over owner with the name preset; afterwards userName
    // and password hold what was typed. False when cancelled or closed.
    static bool GetLogIn(QString& userName, QString& password, QWidget* owner);

    bool Cancelled() const { return cancelled_; }

protected:
    bool event(QEvent* e) override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    QString userName_;
    QString password_;
    bool cancelled_ = true; // the close box and Escape cancel too

    QLabel* lblLabels0 = nullptr;
    QLabel* lblLabels1 = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// Makes a line edit mask each character with "*", whatever the style's own mask is.
void MaskWithStars(QLineEdit* edit);

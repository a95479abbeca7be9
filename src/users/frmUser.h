#pragma once
// The user box: sets the installation's user name and password. Once a
// password is saved, a change needs the old password and the current name.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmUser : public QDialog {
    Q_OBJECT
public:
    explicit frmUser(QWidget* owner = nullptr);

private:
    void Form_Load();
    void cmdOK_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblOldPassword = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword1 = nullptr;
    QLineEdit* txtPassword2 = nullptr;
    QLineEdit* txtOldPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdExit = nullptr;
};

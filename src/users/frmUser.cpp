#include "users/frmUser.h"

#include "platform/widgets/DialogParts.h"
#include "platform/widgets/MsgBox.h"
#include "users/Credentials.h"
#include "users/frmLogin.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kValidPasswordLine =
    QStringLiteral("\r\nYou must enter the valid password for user selected.");
} // namespace

frmUser::frmUser(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmUser"));
    setWindowTitle(QStringLiteral("Password"));
    setModal(true);

    auto* fields = new QGridLayout;
    auto row = [&](QLabel*& label, const char* labelName, const QString& caption, QLineEdit*& edit,
                   const char* editName, bool masked) {
        label = named(new QLabel(caption, this), labelName);
        edit = named(new QLineEdit(this), editName);
        label->setBuddy(edit);
        if (masked)
            MaskWithStars(edit);
        const int r = fields->rowCount();
        fields->addWidget(label, r, 0);
        fields->addWidget(edit, r, 1);
    };
    row(Label1, "Label1", QStringLiteral("User Name:"), txtUserName, "txtUserName", false);
    row(Label2, "Label2", QStringLiteral("Password:"), txtPassword1, "txtPassword1", true);
    row(Label3, "Label3", QStringLiteral("Confirmation Password:"), txtPassword2, "txtPassword2",
        true);
    row(lblOldPassword, "lblOldPassword", QStringLiteral("Old Password:"), txtOldPassword,
        "txtOldPassword", true);
    txtOldPassword->setEnabled(false);
    lblOldPassword->setEnabled(false);

    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdExit = named(new QPushButton(QStringLiteral("&Exit"), this), "cmdExit");
    auto* all = new QVBoxLayout(this);
    all->addLayout(fields);
    all->addLayout(buttonRow({cmdOK, cmdExit}));

    connect(cmdOK, &QPushButton::clicked, this, &frmUser::cmdOK_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::close);
    Form_Load();
}

void frmUser::Form_Load()
{
    const bool saved = Credentials::passwordSaved();
    txtOldPassword->setEnabled(saved);
    lblOldPassword->setEnabled(saved);
}

void frmUser::cmdOK_Click()
{
    const QString p1 = txtPassword1->text();
    const QString p2 = txtPassword2->text();
    if ((!p1.isEmpty() || !p2.isEmpty()) && p1 != p2) {
        MsgBox(QStringLiteral("Confirm password must the same as Password field"),
               Msg::OKOnly | Msg::Exclamation);
        return;
    }
    for (QLineEdit* box : {txtUserName, txtPassword1, txtOldPassword})
        if (!Credentials::hashable(box->text())) {
            MsgBox(Credentials::kUnhashableMessage, Msg::OKOnly | Msg::Exclamation);
            return;
        }
    const QString n = Credentials::hashOf(txtUserName->text());
    const QString p = Credentials::hashOf(p1);
    if (txtOldPassword->isEnabled()) {
        if (Credentials::storedPassword() != Credentials::hashOf(txtOldPassword->text())) {
            MsgBox(QStringLiteral("Invalid old password.") + kValidPasswordLine,
                   Msg::OKOnly | Msg::Information);
            return;
        }
        if (Credentials::storedUserName() != n) {
            MsgBox(QStringLiteral("Invalid User Name.") + kValidPasswordLine,
                   Msg::OKOnly | Msg::Information);
            return;
        }
    }
    Credentials::store(n, p);
    MsgBox(txtUserName->text() + QStringLiteral(" Password Saved"), Msg::OKOnly | Msg::Information,
           QStringLiteral("New Password"));
    // The box stays open for another change; the old password stays as it was.
    txtUserName->clear();
    txtPassword1->clear();
    txtPassword2->clear();
}

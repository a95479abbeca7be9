#include "users/frmLogin.h"

#include "platform/widgets/DialogParts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
class StarMask : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

void MaskWithStars(QLineEdit* edit)
{
    // The style is not owned by the widget it is set on: let the edit own it.
    auto* style = new StarMask;
    style->setParent(edit);
    edit->setStyle(style);
    edit->setEchoMode(QLineEdit::Password);
}

frmLogin::frmLogin(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    setModal(true);

    lblLabels0 = named(new QLabel(QStringLiteral("&User Name:"), this), "lblLabels_0");
    lblLabels1 = named(new QLabel(QStringLiteral("&Password:"), this), "lblLabels_1");
    txtUserName = named(new QLineEdit(this), "txtUserName");
    txtPassword = named(new QLineEdit(this), "txtPassword");
    MaskWithStars(txtPassword);
    lblLabels0->setBuddy(txtUserName);
    lblLabels1->setBuddy(txtPassword);
    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");

    auto* fields = new QGridLayout;
    fields->addWidget(lblLabels0, 0, 0);
    fields->addWidget(txtUserName, 0, 1);
    fields->addWidget(lblLabels1, 1, 0);
    fields->addWidget(txtPassword, 1, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(fields);
    all->addLayout(buttonRow({cmdOK, cmdCancel}));

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
}

bool frmLogin::GetLogIn(QString& userName, QString& password, QWidget* owner)
{
    frmLogin box(owner);
    box.txtUserName->setText(userName);
    box.exec();
    userName = box.userName_;
    password = box.password_;
    return !box.cancelled_;
}

bool frmLogin::event(QEvent* e)
{
    const bool result = QDialog::event(e);
    // A name given in advance leaves only the password to type.
    if (e->type() == QEvent::WindowActivate && !txtUserName->text().isEmpty())
        txtPassword->setFocus();
    return result;
}

void frmLogin::cmdOK_Click()
{
    cancelled_ = false;
    userName_ = txtUserName->text();
    password_ = txtPassword->text();
    accept();
}

void frmLogin::cmdCancel_Click()
{
    cancelled_ = true;
    reject();
}

#include "mainwindow/frmAbout.h"

#include "mainwindow/modTray.h"
#include "platform/widgets/MsgBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#ifndef TARNWELL_VERSION
#define TARNWELL_VERSION "0.0.0"
#endif

namespace {
QPointer<frmAbout>& openBox()
{
    static QPointer<frmAbout> box;
    return box;
}

QFrame* line(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About MyApp"));

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(AppIcon().pixmap(48, 48));
    lblTitle = new QLabel(QStringLiteral("Application Title"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(QStringLiteral("App Description"), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDisclaimer = new QLabel(
        QStringLiteral("Warning: this program is provided as is, without warranty of any kind. "
                       "Always confirm your duty days with your department's official schedule."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    auto* head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    head->addLayout(texts, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(head);
    all->addWidget(line(this));
    all->addWidget(lblDisclaimer);
    all->addWidget(line(this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    all->addLayout(buttons);
    setMinimumWidth(360);

    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + AppTitle());
    lblVersion->setText(VersionText(QStringLiteral(TARNWELL_VERSION)));
    lblTitle->setText(AppTitle());
    lblDescription->setText(QStringLiteral("Desktop Platoon Calendar"));
}

QString frmAbout::VersionText(const QString& version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    auto part = [&](int i) { return i < parts.size() ? parts[i].toInt() : 0; };
    return QStringLiteral("Version %1.%2.%3").arg(part(0)).arg(part(1)).arg(part(2));
}

frmAbout* frmAbout::instance()
{
    return openBox().data();
}

frmAbout* frmAbout::ShowAbout()
{
    auto& box = openBox();
    if (!box)
        box = new frmAbout(nullptr);
    box->show();
    box->raise();
    box->activateWindow();
    return box.data();
}

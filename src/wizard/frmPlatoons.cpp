#include "wizard/frmPlatoons.h"

#include "model/clsSchedule.h"
#include "platform/widgets/DialogParts.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "wizard/WizardRules.h"
#include "wizard/frmRotation.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmPlatoons::frmPlatoons(WizardHost& host)
    : WizardWindow(host, "frmPlatoons", QStringLiteral("Platoons"))
{
    auto* grid = new QGridLayout(this);
    auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    QLabel* count = label("Label3", QStringLiteral("Platoons"));
    grid->addWidget(count, 0, 0);
    cboPlatoon = new QComboBox(this);
    cboPlatoon->setObjectName(QStringLiteral("cboPlatoon"));
    count->setBuddy(cboPlatoon);
    cboPlatoon->addItems({"0", "1", "2", "3", "4"});
    cboPlatoon->setCurrentIndex(-1);
    grid->addWidget(cboPlatoon, 0, 1);
    grid->addWidget(label("Label1", QStringLiteral("Code")), 1, 0);
    grid->addWidget(label("Label2", QStringLiteral("Description")), 1, 1);
    grid->addWidget(label("Label4", QStringLiteral("Color")), 1, 2);
    for (int i = 0; i < 4; ++i) {
        txtCode[i] = new QLineEdit(QStringLiteral(" "), this);
        txtCode[i]->setObjectName(QStringLiteral("txtCode_%1").arg(i));
        txtCode[i]->setMaxLength(1);
        // One header label stands over each column: the row says whose it is.
        txtCode[i]->setAccessibleName(QStringLiteral("Platoon %1 code").arg(i + 1));
        txtCode[i]->setMaximumWidth(40);
        txtDescription[i] = new QLineEdit(QStringLiteral("Platoon"), this);
        txtDescription[i]->setObjectName(QStringLiteral("txtDescription_%1").arg(i));
        txtDescription[i]->setMaxLength(12);
        txtDescription[i]->setAccessibleName(QStringLiteral("Platoon %1 description").arg(i + 1));
        lblColor[i] = button("", QStringLiteral("Click"));
        lblColor[i]->setObjectName(QStringLiteral("lblColor_%1").arg(i));
        lblColor[i]->setAccessibleName(QStringLiteral("Platoon %1 color").arg(i + 1));
        lblColor[i]->setFlat(true);
        lblColor[i]->setAutoFillBackground(true);
        setSwatch(i, OleColor::ButtonFace);
        for (QWidget* w :
             {static_cast<QWidget*>(txtCode[i]), static_cast<QWidget*>(txtDescription[i]),
              static_cast<QWidget*>(lblColor[i])})
            w->setVisible(false);
        selectAllOnEntry(txtCode[i]);
        selectAllOnEntry(txtDescription[i]);
        grid->addWidget(txtCode[i], 2 + i, 0);
        grid->addWidget(txtDescription[i], 2 + i, 1);
        grid->addWidget(lblColor[i], 2 + i, 2);
        connect(lblColor[i], &QPushButton::clicked, this, [this, i] { lblColor_Click(i); });
    }
    cmdNext = button("cmdNext", QStringLiteral("Next"));
    cmdNext->setDefault(true); // Enter goes on to the next step
    cmdDone = button("cmdDone", QStringLiteral("Done"));
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));
    cmdNext->setEnabled(false);
    cmdDone->setEnabled(false);
    grid->addLayout(buttonRow({cmdCancel, cmdDone, cmdNext}), 6, 0, 1, 3);
    grid->setRowStretch(6, 1);

    connect(cboPlatoon, &QComboBox::currentIndexChanged, this, &frmPlatoons::cboPlatoon_Click);
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        if (!SavePlatoons())
            return;
        LoadForm<frmRotation>(*Host())->show();
        close();
    });
    connect(cmdDone, &QPushButton::clicked, this, [this] {
        if (SavePlatoons())
            close();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    disableCreateSchedule();
    setShiftIndex(host.Session().ShiftIndex());
}

void frmPlatoons::setShiftIndex(int16_t index)
{
    shiftIndex_ = index;
    shift_ = takeShift(index);
    if (!shift_)
        return;
    const auto platoons = shift_->Platoons();
    const int count = platoons->Count();
    for (int i = 1; i <= std::min(count, 4); ++i) {
        const auto& p = platoons->Item(i);
        txtCode[i - 1]->setText(p->Code());
        txtDescription[i - 1]->setText(p->Description());
        setSwatch(i - 1, p->Color());
    }
    cboPlatoon->setCurrentIndex(std::min(count, 4));
    cboPlatoon_Click(); // also when the index was already the count
    disableCreateSchedule();
}

void frmPlatoons::cboPlatoon_Click()
{
    const int n = cboPlatoon->currentIndex();
    for (int i = 0; i < 4; ++i) {
        txtCode[i]->setVisible(i < n);
        txtDescription[i]->setVisible(i < n);
        lblColor[i]->setVisible(i < n);
    }
    cmdNext->setEnabled(n >= 1);
    cmdDone->setEnabled(n >= 1);
}

void frmPlatoons::setSwatch(int index, int32_t color)
{
    colors_[index] = color;
    QPalette pal = lblColor[index]->palette();
    pal.setColor(QPalette::Button, OleColor::toQColor(color));
    lblColor[index]->setPalette(pal);
    lblColor[index]->setAccessibleDescription(OleColor::ColorName(color));
}

void frmPlatoons::lblColor_Click(int index)
{
    int32_t chosen = colors_[index];
    if (dialogsService().chooseColor(this, colors_[index], chosen))
        setSwatch(index, chosen);
}

bool frmPlatoons::SavePlatoons()
{
    if (!shift_)
        return false;
    const int n = std::max(cboPlatoon->currentIndex(), 0);
    for (int i = 0; i < n; ++i) {
        for (const auto& [field, box] :
             {std::pair{QStringLiteral("code"), txtCode[i]},
              std::pair{QStringLiteral("description"), txtDescription[i]}}) {
            const QString refused =
                RefusedTextMessage(QStringLiteral("platoon ") + field, box->text());
            if (!refused.isEmpty()) {
                MsgBox(refused, Msg::OKOnly | Msg::Exclamation, windowTitle());
                box->setFocus();
                return false;
            }
        }
    }
    auto list = std::make_shared<clsShift::PlatoonList>();
    for (int i = 0; i < n; ++i) {
        auto p = std::make_shared<clsPlatoon>();
        p->setCode(txtCode[i]->text());
        p->setDescription(txtDescription[i]->text());
        p->setColor(colors_[i]);
        list->Add(p);
    }
    const auto old = shift_->Platoons();
    bool differs = old->Count() != list->Count();
    for (int i = 1; !differs && i <= n; ++i) {
        const auto &a = old->Item(i), &b = list->Item(i);
        differs = a->Code() != b->Code() || a->Color() != b->Color() ||
                  a->Description() != b->Description();
    }
    shift_->setPlatoons(list);
    markChanged(differs);
    return true;
}

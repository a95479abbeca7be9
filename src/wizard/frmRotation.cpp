#include "wizard/frmRotation.h"

#include "model/clsSchedule.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/Convert.h"
#include "platform/widgets/MsgBox.h"
#include "wizard/WizardRules.h"
#include "wizard/frmOnDuty.h"
#include "wizard/frmPlatoons.h"
#include "wizard/frmTemplate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void ShowOnDutyStep(WizardHost& host)
{
    frmOnDuty* next = LoadForm<frmOnDuty>(host);
    next->show();
    next->setSelectedDate(host.FirstDayShown());
}

frmRotation::frmRotation(WizardHost& host)
    : WizardWindow(host, "frmRotation", QStringLiteral("Rotation Length in Days"))
{
    auto* label = new QLabel(QStringLiteral("Length of Cycle"), this);
    label->setObjectName(QStringLiteral("Label1"));
    cboRotation = new QComboBox(this);
    cboRotation->setObjectName(QStringLiteral("cboRotation"));
    cboRotation->setEditable(true);
    cboRotation->setInsertPolicy(QComboBox::NoInsert);
    // Completion would turn a typed "10" into the listed "105".
    cboRotation->setCompleter(nullptr);
    label->setBuddy(cboRotation);
    // The box's own line takes the focus and is announced on its own.
    cboRotation->lineEdit()->setAccessibleName(label->text());
    cmdTemplate =
        button("cmdTemplate", QStringLiteral("I don't understand, I want to use a template"));
    cmdBack = button("cmdBack", QStringLiteral("Back"));
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));
    cmdNext = button("cmdNext", QStringLiteral("Next"));
    cmdNext->setDefault(true); // Enter goes on to the next step
    cmdDone = button("cmdDone", QStringLiteral("Done"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(cboRotation, 0, 1);
    grid->addWidget(cmdTemplate, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdBack, cmdCancel, cmdNext, cmdDone})
        buttons->addWidget(b);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(cboRotation->lineEdit(), &QLineEdit::textEdited, this, [this] {
        typed_ = true;
        cboRotation_Change();
    });
    connect(cboRotation, &QComboBox::activated, this, [this] { typed_ = false; });
    connect(cmdTemplate, &QPushButton::clicked, this, [this] {
        LoadForm<frmTemplate>(*Host())->show();
        close();
    });
    connect(cmdBack, &QPushButton::clicked, this, [this] {
        LoadForm<frmPlatoons>(*Host())->show();
        close();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        if (!ApplyCycleLength())
            return;
        ShowOnDutyStep(*Host());
        close();
    });
    connect(cmdDone, &QPushButton::clicked, this, [this] {
        if (ApplyCycleLength())
            close();
    });

    disableCreateSchedule();
    setShiftIndex(host.Session().ShiftIndex());
}

int frmRotation::platoonCount() const
{
    return shift_ ? shift_->Platoons()->Count() : 0;
}

int frmRotation::selectedIndex() const
{
    return typed_ ? -1 : cboRotation->currentIndex();
}

void frmRotation::setShiftIndex(int16_t index)
{
    shiftIndex_ = index;
    shift_ = takeShift(index);
    if (!shift_)
        return;
    StartSequence = shift_->Sequence();
    const int n = platoonCount();
    cboRotation->clear();
    for (int k = 1; k <= kCycleEntries; ++k)
        cboRotation->addItem(QString::number(k * n));
    if (StartSequence.size() < n)
        StartSequence += RoundRobin(n, 1);
    const int entry =
        n > 0 ? static_cast<int>(RoundHalfEven(static_cast<double>(StartSequence.size()) / n - 1))
              : -1;
    // A sequence longer than the list offers shows its length with no entry.
    if (entry >= 0 && entry < kCycleEntries)
        cboRotation->setCurrentIndex(entry);
    else
        cboRotation->setEditText(QString::number(StartSequence.size()));
    typed_ = !(entry >= 0 && entry < kCycleEntries);
    disableCreateSchedule();
}

void frmRotation::cboRotation_Change()
{
    cmdDone->setEnabled(shift_ &&
                        (selectedIndex() + 1) * platoonCount() == shift_->Sequence().size());
}

bool frmRotation::ApplyCycleLength()
{
    KeepOpen = false;
    if (!shift_)
        return false;
    const int n = platoonCount();
    const CycleChoice choice = ChooseCycle(selectedIndex(), cboRotation->currentText(), n);
    switch (choice.kind) {
    case CycleChoice::Refused:
        MsgBox(choice.message, Msg::OKOnly | Msg::Exclamation, windowTitle());
        return false;
    case CycleChoice::Irregular:
        if (MsgBox(QStringLiteral("You have entered a cycle length which will result in an "
                                  "asymmetrical schedule.\r\nDo you want to create an unusual "
                                  "schedule?"),
                   Msg::YesNo, QStringLiteral("Irregular Cycle")) != Msg::Yes) {
            KeepOpen = true;
            return false;
        }
        shift_->setSequence(QString(choice.days, QLatin1Char('0')));
        markChanged();
        return true;
    case CycleChoice::Entry: break;
    }
    typed_ = false;
    cboRotation->setCurrentIndex(choice.index);
    if ((choice.index + 1) * n == shift_->Sequence().size())
        return true;
    const QString s = RoundRobin(n, choice.index + 1);
    shift_->setSequence(s);
    markChanged(s != StartSequence);
    return true;
}

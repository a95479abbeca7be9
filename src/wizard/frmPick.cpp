#include "wizard/frmPick.h"

#include "model/clsSchedule.h"
#include "wizard/frmInfo.h"
#include "wizard/frmPlatoons.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPick::frmPick(WizardHost& host)
    : WizardWindow(host, "frmPick", QStringLiteral("Pick a shift to modify"))
{
    Label1 = new QLabel(QStringLiteral("Pick the shift you want to create or modify. If you have "
                                       "a 24-hour shift only, the second option does not apply"),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    const QString captions[] = {
        QStringLiteral("Primary Shift.  Example: Day Shift or 24-hour shift."),
        QStringLiteral("Secondary Shift.  Example: Night Shift or a different rotation running "
                       "concurreently")};
    for (int i = 0; i < 2; ++i) {
        optShift[i] = new QRadioButton(captions[i], this);
        optShift[i]->setObjectName(QStringLiteral("optShift_%1").arg(i));
        connect(optShift[i], &QRadioButton::clicked, this, &frmPick::optShift_Click);
    }
    optShift[0]->setChecked(true);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setVisible(false);
    cmdNext = button("cmdNext", QStringLiteral("Next"));
    cmdNext->setDefault(true); // Enter goes on to the next step
    cmdFinish = button("cmdFinish", QStringLiteral("Finish"));
    cmdRemove = button("cmdRemove", QStringLiteral("Remove Second Shift"));
    cmdRemove->setEnabled(false);
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(optShift[0]);
    layout->addWidget(optShift[1]);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label2);
    buttons->addStretch();
    for (QPushButton* b : {cmdRemove, cmdCancel, cmdFinish, cmdNext})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(cmdNext, &QPushButton::clicked, this, &frmPick::cmdNext_Click);
    connect(cmdFinish, &QPushButton::clicked, this, &frmPick::cmdFinish_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmPick::cmdRemove_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    Form_Load();
}

void frmPick::Form_Load()
{
    if (Host()->Session().ShiftIndex() == 1)
        optShift[0]->setChecked(true);
    else if (Host()->Session().ShiftIndex() == 2)
        optShift[1]->setChecked(true);
    if (shiftCount() >= 2) {
        cmdRemove->setEnabled(true);
        Label2->setText(QString::number(shiftCount()));
        Label2->setVisible(Host()->DebugShown());
    }
}

void frmPick::optShift_Click()
{
    if (optShift[1]->isChecked())
        cmdFinish->setEnabled(shiftCount() >= 2);
    else if (shiftCount() > 0)
        cmdFinish->setEnabled(true);
}

void frmPick::cmdNext_Click()
{
    CalendarSession& cal = Host()->Session();
    if (optShift[0]->isChecked()) {
        if (cal.ShiftIndex() != 1)
            cal.setShiftIndex(1);
    } else {
        if (shiftCount() < 2) {
            schedule()->Shifts()->Add(std::make_shared<clsShift>());
            cal.setDataChanged(true);
        }
        if (cal.ShiftIndex() != 2)
            cal.setShiftIndex(2);
    }
    LoadForm<frmPlatoons>(*Host())->show();
    close();
}

void frmPick::cmdFinish_Click()
{
    CalendarSession& cal = Host()->Session();
    if (shiftCount() > 1) {
        const int16_t index = optShift[1]->isChecked() ? 2 : 1;
        if (cal.ShiftIndex() != index)
            cal.setShiftIndex(index);
        frmInfo* info = LoadForm<frmInfo>(*Host());
        info->setShiftIndex(index);
        info->show();
    }
    close();
}

void frmPick::cmdRemove_Click()
{
    if (shiftCount() <= 1)
        return;
    CalendarSession& cal = Host()->Session();
    cal.setShiftIndex(1);
    schedule()->Shifts()->Remove(2);
    // Again now that it is gone: a view of both shifts falls back to shift 1.
    cal.setShiftIndex(1);
    Label2->setText(QString::number(shiftCount()));
    cmdRemove->setEnabled(shiftCount() > 1);
    markChanged();
}

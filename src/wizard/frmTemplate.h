#pragma once
// Ready-made rotations for the platoon count, and the moves that line the
// rotation up with the calendar. Every choice is written at once.
#include "wizard/WizardRules.h"
#include "wizard/WizardWindow.h"

class QListWidget;

class frmTemplate : public WizardWindow {
    Q_OBJECT
public:
    explicit frmTemplate(WizardHost& host);
    int16_t ShiftIndex() const { return shiftIndex_; }
    void setShiftIndex(int16_t index);

private:
    void ApplySequence();
    void listClick(int row);
    void moveBy(QString (*moved)(const QString&));

    int16_t shiftIndex_ = 1;
    std::shared_ptr<clsShift> shift_;
    QList<RotationTemplate> Templates;
    QString WorkSequence;
    QString StartSequence;
    bool Ready = false;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
};

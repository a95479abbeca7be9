#pragma once
// The length of the shift's cycle in days, rebuilt as a round robin.
#include "wizard/WizardWindow.h"

class QComboBox;
class QLabel;

class frmRotation : public WizardWindow {
    Q_OBJECT
public:
    explicit frmRotation(WizardHost& host);
    int16_t ShiftIndex() const { return shiftIndex_; }
    void setShiftIndex(int16_t index);
    // Applies the chosen length; false when the window must stay open.
    bool ApplyCycleLength();

private:
    int platoonCount() const;
    // The list entry in force; a typed text has none (-1).
    int selectedIndex() const;
    void cboRotation_Change();
    void goToOnDuty();

    int16_t shiftIndex_ = 0;
    std::shared_ptr<clsShift> shift_;
    QString StartSequence;
    bool KeepOpen = false;
    bool typed_ = false;
    QComboBox* cboRotation = nullptr;
    QPushButton* cmdTemplate = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdDone = nullptr;
};

// Shows the on-duty step at the first date the main calendar shows.
void ShowOnDutyStep(WizardHost& host);

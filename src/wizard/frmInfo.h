#pragma once
// Title, initials and description of a shift (1, 2) or of the schedule (3).
#include "wizard/WizardWindow.h"

class QLabel;

class frmInfo : public WizardWindow {
    Q_OBJECT
public:
    explicit frmInfo(WizardHost& host);
    int16_t ShiftIndex() const { return shiftIndex_; }
    void setShiftIndex(int16_t index);
    // Stores the texts; false (nothing stored) when one would not survive the stored form.
    bool SaveInfo();

private:
    int16_t shiftIndex_ = 0;
    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtInitials = nullptr;
    QLineEdit* txtDescription = nullptr;
};

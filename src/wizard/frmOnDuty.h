#pragma once
// Which platoon is on duty on a chosen day: choosing another rewrites that
// day of the cycle. Days are chosen by clicking the main calendar.
#include "wizard/WizardWindow.h"

class QComboBox;
class QLabel;

class frmOnDuty : public WizardWindow {
    Q_OBJECT
public:
    explicit frmOnDuty(WizardHost& host);
    int16_t ShiftIndex() const { return shiftIndex_; }
    void setShiftIndex(int16_t index);
    double SelectedDate() const { return selectedDate_; }
    void setSelectedDate(double date);
    int16_t Key() const { return key_; }
    void setKey(int16_t key);
    // Puts the keys on the platoon list of this window.
    void ChoosePlatoon();

protected:
    void Form_Unload() override;

private:
    void cboPlatoon_Click();
    void cmdUndo_Click();

    int16_t shiftIndex_ = 0;
    std::shared_ptr<clsShift> shift_;
    double selectedDate_ = 0;
    int16_t SelectedPointer = 0;
    int16_t key_ = 0;
    QString StartSequence;
    QString UndoSequence;
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cboPlatoon = nullptr;
    QPushButton* cmdUndo = nullptr;
};

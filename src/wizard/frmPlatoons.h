#pragma once
// The platoons of the shift: how many, and each one's code, description and colour.
#include "wizard/WizardWindow.h"

#include <array>

class QComboBox;
class QLabel;

class frmPlatoons : public WizardWindow {
    Q_OBJECT
public:
    explicit frmPlatoons(WizardHost& host);
    int16_t ShiftIndex() const { return shiftIndex_; }
    void setShiftIndex(int16_t index);
    // Stores the rows as new platoons; false (nothing stored) when a text
    // would not survive the stored form.
    bool SavePlatoons();

private:
    void cboPlatoon_Click();
    void lblColor_Click(int index);
    void setSwatch(int index, int32_t color);

    int16_t shiftIndex_ = 0;
    std::shared_ptr<clsShift> shift_;
    QComboBox* cboPlatoon = nullptr;
    std::array<QLineEdit*, 4> txtCode{};
    std::array<QLineEdit*, 4> txtDescription{};
    std::array<QPushButton*, 4> lblColor{};
    std::array<int32_t, 4> colors_{};
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdCancel = nullptr;
};

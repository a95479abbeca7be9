#pragma once
// The wizard's first window: which shift to create or modify.
#include "wizard/WizardWindow.h"

#include <array>

class QLabel;
class QRadioButton;

class frmPick : public WizardWindow {
    Q_OBJECT
public:
    explicit frmPick(WizardHost& host);

private:
    void Form_Load();
    void optShift_Click();
    void cmdNext_Click();
    void cmdFinish_Click();
    void cmdRemove_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QRadioButton*, 2> optShift{};
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdFinish = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdCancel = nullptr;
};

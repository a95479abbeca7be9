#pragma once
// File > Export Duty Days: one platoon's (or every platoon's) duty days of a
// shift as a calendar file that calendar programs import.
#include "exports/IcsExport.h"

#include <QDialog>

class frmCal;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;

class frmExportDuty : public QDialog {
    Q_OBJECT
public:
    explicit frmExportDuty(frmCal& owner);

    // The export the controls describe (the stamp from the clock service).
    Ics::Options options() const;

private:
    void fillPlatoons();
    void cmdExport_Click();

    frmCal& main_;
    QComboBox* cboShift = nullptr;
    QComboBox* cboPlatoon = nullptr;
    QDateEdit* dtpFirstDate = nullptr;
    QTimeEdit* tmeStart = nullptr;
    QSpinBox* spnHours = nullptr;
    QCheckBox* chkSpecialPeriod = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCancel = nullptr;
};

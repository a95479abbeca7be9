#pragma once
// File > Export Duty Days: one platoon's (or every platoon's) duty days of a
// shift as a calendar file that calendar programs import.
#include "exports/IcsExport.h"
#include "session/SpecialPeriod.h"

#include <QDialog>
#include <memory>

class clsSchedule;
class NotesStore;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;

class frmExportDuty : public QDialog {
    Q_OBJECT
public:
    // What it exports: the schedule, the shift on display (preselected), the
    // recurring period in force and the day notes. Without an open store the
    // notes box is off and says why: notesUnavailable.
    frmExportDuty(QWidget* owner, std::shared_ptr<clsSchedule> schedule, int shiftIndex,
                  const SpecialPeriod& period, std::shared_ptr<NotesStore> notes = nullptr,
                  const QString& notesUnavailable = QString());

    // The export the controls describe (the stamp from the clock service).
    // Raises the notes file's RuntimeError when the entries cannot be read.
    Ics::Options options() const;

private:
    void fillPlatoons();
    void cmdExport_Click();

    const std::shared_ptr<clsSchedule> schedule_;
    const int shiftIndex_;
    const SpecialPeriod period_;
    const std::shared_ptr<NotesStore> notes_;
    QComboBox* cboShift = nullptr;
    QComboBox* cboPlatoon = nullptr;
    QDateEdit* dtpFirstDate = nullptr;
    QTimeEdit* tmeStart = nullptr;
    QSpinBox* spnHours = nullptr;
    QCheckBox* chkSpecialPeriod = nullptr;
    QCheckBox* chkNotes = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCancel = nullptr;
};

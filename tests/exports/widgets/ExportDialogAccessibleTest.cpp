// The duty-days export box as a screen reader reads it.
#include "exports/frmExportDuty.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "support/AccessibleNames.h"
#include "support/ModalDialogs.h"

#include <QComboBox>

using ExportDialogAccessible = MainWindowTest;

TEST_F(ExportDialogAccessible, FieldsAreNamedAndThePlatoonSaysItsColour)
{
    SpecialPeriod period;
    period.length = 7;
    frmExportDuty d(nullptr, TwoShiftSchedule(), 1, period);
    d.show();
    EXPECT_EQ(unnamedControls(&d), "");
    for (const auto& [control, name] : {std::pair{"cboPlatoon", "Platoon:"},
                                        {"dtpFirstDate", "First date:"},
                                        {"spnHours", "Hours on duty:"},
                                        {"chkNotes", "Include notes"}})
        EXPECT_EQ(spokenName(child<QWidget>(d, control)), name) << control;
    auto* platoon = child<QComboBox>(d, "cboPlatoon");
    platoon->setCurrentIndex(1);
    EXPECT_EQ(spokenDescription(platoon), "Red");
    child<QComboBox>(d, "cboShift")->setCurrentIndex(1); // the night platoons
    platoon->setCurrentIndex(2);
    EXPECT_EQ(spokenDescription(platoon), "Magenta");
}

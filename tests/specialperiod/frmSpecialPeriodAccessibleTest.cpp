// The Recurring Period box as a screen reader reads it.
#include "mainwindow/MainWindowTestSupport.h"
#include "specialperiod/frmSpecialPeriod.h"
#include "support/AccessibleNames.h"
#include "support/ModalDialogs.h"

#include <QPushButton>

using SpecialPeriodAccessible = MainWindowTest;

TEST_F(SpecialPeriodAccessible, FieldsAreNamedAndTheButtonSaysTheColour)
{
    SpecialPeriod current;
    current.length = 7;
    current.color = 0x00FFFF;
    frmSpecialPeriod d(nullptr, current);
    d.show();
    EXPECT_EQ(unnamedControls(&d), "");
    for (const auto& [control, name] : {std::pair{"cboCycleLength", "Days in Period:"},
                                        {"txtName", "Description:"},
                                        {"qt_calendar_calendarview", "Start of Period:"},
                                        {"qt_calendar_nextmonth", "Next month"}})
        EXPECT_EQ(spokenName(child<QWidget>(d, control)), name) << control;
    auto* color = child<QPushButton>(d, "cmdColor");
    EXPECT_EQ(spokenDescription(color), "Yellow");
    dialogs->colorAnswer = 0xFFE0C0;
    color->click();
    EXPECT_EQ(spokenDescription(color), "Light blue");
}

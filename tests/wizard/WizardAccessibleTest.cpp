// The wizard's steps as a screen reader reads them.
#include "WizardTestSupport.h"

#include "support/AccessibleNames.h"
#include "wizard/frmSave.h"

using WizardAccessible = WizardTest;

TEST_F(WizardAccessible, EveryStepNamesItsControls)
{
    const struct {
        const char* window;
        const char* control;
        const char* name;
    } named[] = {{"frmPlatoons", "cboPlatoon", "Platoons"},
                 {"frmPlatoons", "txtCode_3", "Platoon 4 code"},
                 {"frmPlatoons", "txtDescription_0", "Platoon 1 description"},
                 {"frmPlatoons", "lblColor_1", "Platoon 2 color"},
                 {"frmRotation", "cboRotation", "Length of Cycle"},
                 {"frmTemplate", "List1", "X = On Duty: O = Off Duty"},
                 {"frmOnDuty", "cboPlatoon", "Platoon On Duty"},
                 {"frmInfo", "txtInitials", "Initials"}};
    auto check = [&](const char* step) {
        QWidget* w = window(step);
        ASSERT_NE(w, nullptr) << step;
        EXPECT_EQ(unnamedControls(w), "") << step;
        for (const auto& n : named) {
            if (qstrcmp(n.window, step) != 0)
                continue;
            EXPECT_EQ(spokenName(control<QWidget>(step, n.control)), n.name) << n.control;
        }
    };
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileCreateSchedule");
    check("frmPick");
    press("frmPick", "cmdNext");
    choose("frmPlatoons", "cboPlatoon", 4); // every row shown
    check("frmPlatoons");
    choose("frmPlatoons", "cboPlatoon", 3);
    press("frmPlatoons", "cmdNext");
    check("frmRotation");
    press("frmRotation", "cmdTemplate");
    check("frmTemplate");
    press("frmTemplate", "cmdNext");
    check("frmOnDuty");
    press("frmOnDuty", "cmdNext");
    check("frmInfo");
    frmSave save(form.get(), form->Session());
    save.show();
    EXPECT_EQ(unnamedControls(&save), "");
}

TEST_F(WizardAccessible, APlatoonSwatchSaysTheColourChosen)
{
    showMain(OneShift(1, "1"));
    toPlatoonsStep();
    auto* swatch = control<QPushButton>("frmPlatoons", "lblColor_0");
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(spokenDescription(swatch), "Red");
    dialogs->colorAnswer = 0x808000;
    swatch->click();
    EXPECT_EQ(spokenDescription(swatch), "Teal");
}

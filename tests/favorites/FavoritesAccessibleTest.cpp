// The Favorites window as a screen reader reads it.
#include "wizard/WizardTestSupport.h"

#include "support/AccessibleNames.h"

using FavoritesAccessible = WizardTest;

TEST_F(FavoritesAccessible, BothListsSayWhatTheyShow)
{
    showMain(OneShift(1, "1"));
    click(*form, "mnuFavoritesOpen");
    QWidget* w = window("frmOpen");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(unnamedControls(w), "");
    EXPECT_EQ(spokenName(control<QWidget>("frmOpen", "List1")), "Schedule titles");
    EXPECT_EQ(spokenName(control<QWidget>("frmOpen", "List2")), "Schedule descriptions");
}

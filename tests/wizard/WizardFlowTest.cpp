// The wizard as a user goes through it: from the menu to a saved schedule
// that comes back after a restart, the second shift, and the texts refused.
#include "WizardTestSupport.h"

#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QKeyEvent>

using WizardFlow = WizardTest;

TEST_F(WizardFlow, ANewScheduleBuiltThroughTheWindowsIsSavedAndComesBack)
{
    showMain(); // no schedule file: the built-in example is on display
    toPlatoonsStep();
    EXPECT_FALSE(createEnabled());

    // Three platoons with their own codes and colours.
    choose("frmPlatoons", "cboPlatoon", 3);
    for (const auto& [i, code, color] :
         {std::tuple{0, "R", 0x0000FF}, {1, "G", 0x00C000}, {2, "B", 0xFF0000}}) {
        type("frmPlatoons", qPrintable(QStringLiteral("txtCode_%1").arg(i)), code);
        dialogs->colorAnswer = color;
        press("frmPlatoons", qPrintable(QStringLiteral("lblColor_%1").arg(i)));
    }
    press("frmPlatoons", "cmdNext");

    // The template of a 24-hour shift, then the days put right one by one.
    press("frmRotation", "cmdTemplate");
    auto* descriptions = control<QListWidget>("frmTemplate", "List2");
    ASSERT_NE(descriptions, nullptr);
    ASSERT_EQ(descriptions->item(0)->text(), QStringLiteral("24 on - 48 off"));
    descriptions->setCurrentRow(0);
    EXPECT_EQ(sequence(), QStringLiteral("123"));
    press("frmTemplate", "cmdNext");
    EXPECT_EQ(control<QLabel>("frmOnDuty", "Label1")->text(), QStringLiteral("Sun Nov 29, 2026"));
    for (int d = 10; d <= 12; ++d) {
        clickDay(QDate(2026, 12, d));
        choose("frmOnDuty", "cboPlatoon", d - 9);
    }
    EXPECT_EQ(dayCell(QDate(2026, 12, 10))->LeftCaption(), QStringLiteral("R")); // shown at once
    press("frmOnDuty", "cmdNext");
    EXPECT_EQ(form->EditMode(), 0);

    type("frmInfo", "txtTitle", "Harbor Station");
    type("frmInfo", "txtInitials", "HS");
    type("frmInfo", "txtDescription", "24 on - 48 off");
    press("frmInfo", "cmdOK");
    EXPECT_EQ(form->Schedule()->title(), QStringLiteral("Harbor Station")); // one shift
    EXPECT_TRUE(createEnabled());

    answerSave(0); // as My Schedule
    click(*form, "mnuFileSave");
    EXPECT_FALSE(form->DataChanged());
    const QString saved = form->Schedule()->xml();
    form->close();
    form.reset();

    // The next start shows it.
    showMain();
    EXPECT_EQ(form->Schedule()->xml(), saved);
    EXPECT_EQ(form->CurrentTitle(), QStringLiteral("Harbor Station"));
    const auto shift = form->Schedule()->Shifts()->Item(1);
    for (const QString& row : dataLines("wizard/data/harbor-station.ref")) {
        const QDate day = QDate::fromString(row.left(10), Qt::ISODate);
        EXPECT_EQ(shift->ONDuty(DayNumber::fromDate(day))->Code(), row.mid(11)) << qPrintable(row);
    }
    EXPECT_EQ(shift->ONDuty(DayNumber::fromDate(QDate(2026, 12, 12)))->Color(), 0xFF0000);
}

TEST_F(WizardFlow, SecondShiftIsAddedShownInBothAndRemoved)
{
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileCreateSchedule");
    control<QRadioButton>("frmPick", "optShift_1")->click();
    press("frmPick", "cmdNext");
    EXPECT_EQ(form->ShiftIndex(), 2);
    choose("frmPlatoons", "cboPlatoon", 2);
    type("frmPlatoons", "txtCode_0", "N");
    type("frmPlatoons", "txtCode_1", "M");
    press("frmPlatoons", "cmdNext");
    choose("frmRotation", "cboRotation", 1); // 4 days
    press("frmRotation", "cmdDone");
    EXPECT_EQ(sequence(2), QStringLiteral("1212"));

    click(*form, "mnuviewSchedulePick_3");
    ASSERT_EQ(form->MonthControl()->CellSplit(), 2);
    // Both rotations count their days from 31 December 1969 (day 0): 1 December
    // 2026 is day 20,789, worked by hand; 20,789 mod 3 = 2 gives C of "ABC" and
    // 20,789 mod 4 = 1 gives M of "NMNM".
    const QDate day(2026, 12, 1);
    EXPECT_EQ(dayCell(day)->LeftCaption(), QStringLiteral("C"));
    EXPECT_EQ(dayCell(day)->RightCaption(), QStringLiteral("M"));

    // Finish on the second shift opens its information; the schedule keeps its title.
    click(*form, "mnuFileCreateSchedule");
    control<QRadioButton>("frmPick", "optShift_1")->click();
    press("frmPick", "cmdFinish");
    type("frmInfo", "txtTitle", "Nights");
    press("frmInfo", "cmdOK");
    EXPECT_EQ(form->Schedule()->Shifts()->Item(2)->title(), QStringLiteral("Nights"));
    EXPECT_EQ(form->Schedule()->title(), QStringLiteral("Station"));

    click(*form, "mnuFileCreateSchedule");
    form->setDataChanged(false);
    press("frmPick", "cmdRemove");
    EXPECT_EQ(form->Schedule()->Shifts()->Count(), 1);
    EXPECT_EQ(sequence(), QStringLiteral("123"));
    EXPECT_EQ(form->ShiftIndex(), 1);
    EXPECT_EQ(form->MonthControl()->CellSplit(), 1); // no second shift to show beside
    EXPECT_TRUE(form->DataChanged());
    EXPECT_FALSE(control<QPushButton>("frmPick", "cmdRemove")->isEnabled());
    press("frmPick", "cmdCancel");
}

TEST_F(WizardFlow, TextsTheStoredFormCannotHoldAreRefused)
{
    showMain(OneShift(2, "12"));
    const char* bad[][2] = {
        {"Say \"hi\"", "double quote"}, {"A|B", "\"|\""}, {"<b>", "\"<\""}, {"x>y", "\">\""}};
    for (const auto& r : bad) {
        SCOPED_TRACE(r[0]);
        fx.messages->shown.clear();
        click(*form, "mnuFileChangeInfo");
        type("frmInfo", "txtDescription", r[0]);
        press("frmInfo", "cmdOK");
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_TRUE(fx.messages->shown[0].text.contains(QString::fromLatin1(r[1])));
        ASSERT_NE(window("frmInfo"), nullptr); // stays open, nothing stored
        window("frmInfo")->close();
        settle();
    }
    EXPECT_EQ(form->Schedule()->Description(), QStringLiteral("Station description"));
    click(*form, "mnuFileChangeInfo");
    press("frmInfo", "cmdOK");
    EXPECT_FALSE(form->DataChanged()); // no edits change nothing

    toPlatoonsStep();
    type("frmPlatoons", "txtDescription_1", "B|2");
    fx.messages->shown.clear();
    press("frmPlatoons", "cmdDone");
    EXPECT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(form->Schedule()->Shifts()->Item(1)->Platoons()->Item(2)->Description(), "Bravo");
    EXPECT_FALSE(form->DataChanged());
}

// The open step would go on editing the schedule Load My Schedule let go.
TEST_F(WizardFlow, LoadMyScheduleWaitsForTheWizardToClose)
{
    showMain(OneShift(3, "123"));
    ASSERT_TRUE(EnsureAppFolder());
    WriteScheduleFile(ScheduleFilePath(), TwoShiftSchedule()->xml());
    click(*form, "mnuFileCreateSchedule");
    fx.messages->shown.clear();
    click(*form, "mnuFileLoadMySchedule");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->shown[0].text, "The schedule wizard is open. Finish or close it before "
                                          "opening another schedule.");
    EXPECT_EQ(form->Schedule()->title(), "Station");
}

// Enter takes each step on, as its Next (or OK) button does.
TEST_F(WizardFlow, EnterWalksThroughTheSteps)
{
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileCreateSchedule");
    for (const auto& [step, next] : {std::pair{"frmPick", "frmPlatoons"},
                                     {"frmPlatoons", "frmRotation"},
                                     {"frmRotation", "frmOnDuty"},
                                     {"frmOnDuty", "frmInfo"},
                                     {"frmInfo", "frmCal"}}) {
        SCOPED_TRACE(step);
        QWidget* w = window(step);
        ASSERT_NE(w, nullptr);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        settle();
        EXPECT_EQ(window(step), nullptr);
        EXPECT_NE(window(next), nullptr);
    }
    EXPECT_TRUE(createEnabled());
}

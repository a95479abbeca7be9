// The wizard as a user goes through it: from the menu to a saved schedule
// that comes back after a restart, the shift pick, the second shift and the
// menu guard.
#include "WizardTestSupport.h"

#include "storage/ScheduleFile.h"

using WizardFlow = WizardTest;

TEST_F(WizardFlow, ANewScheduleBuiltThroughTheWindowsIsSavedAndComesBack)
{
    showMain(); // no schedule file: the built-in example is on display
    click(*form, "mnuFileCreateSchedule");
    ASSERT_NE(window("frmPick"), nullptr);
    EXPECT_FALSE(createEnabled());
    press("frmPick", "cmdNext");
    ASSERT_EQ(window("frmPick"), nullptr);

    // Three platoons with their own codes and colours.
    choose("frmPlatoons", "cboPlatoon", 3);
    const char* codes[] = {"R", "G", "B"};
    const int32_t colors[] = {0x0000FF, 0x00C000, 0xFF0000};
    for (int i = 0; i < 3; ++i) {
        type("frmPlatoons", qPrintable(QStringLiteral("txtCode_%1").arg(i)), codes[i]);
        dialogs->colorAnswer = colors[i];
        press("frmPlatoons", qPrintable(QStringLiteral("lblColor_%1").arg(i)));
    }
    press("frmPlatoons", "cmdNext");
    EXPECT_TRUE(form->DataChanged());
    EXPECT_EQ(form->Schedule()->Shifts()->Item(1)->Platoons()->Item(2)->Code(), "G");

    // The template of a 24-hour shift, then the days put right one by one.
    press("frmRotation", "cmdTemplate");
    auto* descriptions = control<QListWidget>("frmTemplate", "List2");
    ASSERT_NE(descriptions, nullptr);
    ASSERT_EQ(descriptions->item(0)->text(), QStringLiteral("24 on - 48 off"));
    descriptions->setCurrentRow(0);
    EXPECT_EQ(sequence(), QStringLiteral("123"));
    press("frmTemplate", "cmdNext");
    ASSERT_NE(window("frmOnDuty"), nullptr);
    EXPECT_EQ(form->EditMode(), 1);
    EXPECT_EQ(control<QLabel>("frmOnDuty", "Label1")->text(), QStringLiteral("Sun Nov 29, 2026"));
    const struct {
        QDate day;
        int platoon;
    } onDuty[] = {{QDate(2026, 12, 10), 1}, {QDate(2026, 12, 11), 2}, {QDate(2026, 12, 12), 3}};
    for (const auto& d : onDuty) {
        clickDay(d.day);
        EXPECT_EQ(control<QLabel>("frmOnDuty", "Label1")->text(),
                  QLocale(QLocale::English).toString(d.day, QStringLiteral("ddd MMM dd, yyyy")));
        choose("frmOnDuty", "cboPlatoon", d.platoon);
    }
    EXPECT_EQ(sequence(), QStringLiteral("231"));
    // The calendar behind shows it at once.
    EXPECT_EQ(cell(*form, 1 + int(DayNumber::fromDate(QDate(2026, 12, 10)) -
                                  form->MonthControl()->StartDate()))
                  ->LeftCaption(),
              QStringLiteral("R"));
    press("frmOnDuty", "cmdNext");
    EXPECT_EQ(form->EditMode(), 0);

    type("frmInfo", "txtTitle", "Harbor Station");
    type("frmInfo", "txtInitials", "HS");
    type("frmInfo", "txtDescription", "24 on - 48 off");
    press("frmInfo", "cmdOK");
    EXPECT_EQ(form->CurrentTitle(), QStringLiteral("Harbor Station"));
    EXPECT_EQ(form->Schedule()->title(), QStringLiteral("Harbor Station")); // one shift
    EXPECT_TRUE(createEnabled());

    bool toListFirst = false;
    onNextModal([&](QWidget* w) {
        auto* toList = w->findChild<QRadioButton*>("OptSave_1");
        toListFirst = toList && toList->isChecked();
        w->findChild<QRadioButton*>("OptSave_0")->click();
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    click(*form, "mnuFileSave");
    EXPECT_TRUE(toListFirst);
    EXPECT_FALSE(form->DataChanged());
    const QString saved = form->Schedule()->xml();
    form->close();
    form.reset();

    // The next start shows it.
    showMain();
    EXPECT_EQ(form->Schedule()->xml(), saved);
    EXPECT_EQ(form->CurrentTitle(), QStringLiteral("Harbor Station"));
    const struct {
        QDate day;
        const char* code;
    } expected[] = {
        {QDate(1970, 1, 1), "B"},   {QDate(1970, 1, 2), "R"},   {QDate(2000, 2, 29), "B"},
        {QDate(2026, 12, 10), "R"}, {QDate(2026, 12, 11), "G"}, {QDate(2026, 12, 12), "B"},
        {QDate(2026, 12, 31), "R"}, {QDate(2027, 3, 1), "R"},
    };
    const auto shift = form->Schedule()->Shifts()->Item(1);
    for (const auto& e : expected)
        EXPECT_EQ(shift->ONDuty(DayNumber::fromDate(e.day))->Code(), QString::fromLatin1(e.code))
            << e.day.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(shift->ONDuty(DayNumber::fromDate(QDate(2026, 12, 12)))->Color(), 0xFF0000);
}

TEST_F(WizardFlow, PickWithOneShift)
{
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileCreateSchedule");
    EXPECT_FALSE(control<QPushButton>("frmPick", "cmdRemove")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>("frmPick", "optShift_0")->isChecked());
    control<QRadioButton>("frmPick", "optShift_1")->click();
    EXPECT_FALSE(control<QPushButton>("frmPick", "cmdFinish")->isEnabled());
    control<QRadioButton>("frmPick", "optShift_0")->click();
    // Finish with one shift only closes the wizard.
    press("frmPick", "cmdFinish");
    EXPECT_EQ(window("frmPick"), nullptr);
    EXPECT_EQ(window("frmInfo"), nullptr);
    EXPECT_TRUE(createEnabled());
    EXPECT_FALSE(form->DataChanged());

    // Next on the second shift appends it and shows it before the platoons open.
    click(*form, "mnuFileCreateSchedule");
    control<QRadioButton>("frmPick", "optShift_1")->click();
    press("frmPick", "cmdNext");
    EXPECT_EQ(form->Schedule()->Shifts()->Count(), 2);
    EXPECT_EQ(form->ShiftIndex(), 2);
    EXPECT_TRUE(form->DataChanged());
    EXPECT_EQ(control<QComboBox>("frmPlatoons", "cboPlatoon")->currentIndex(), 0);
    EXPECT_FALSE(control<QPushButton>("frmPlatoons", "cmdNext")->isEnabled());
    // Cancel leaves the new shift and gives the menu back.
    press("frmPlatoons", "cmdCancel");
    EXPECT_EQ(form->Schedule()->Shifts()->Count(), 2);
    EXPECT_TRUE(createEnabled());
}

TEST_F(WizardFlow, SecondShiftIsAddedShownInBothAndRemoved)
{
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileCreateSchedule");
    control<QRadioButton>("frmPick", "optShift_1")->click();
    press("frmPick", "cmdNext");
    choose("frmPlatoons", "cboPlatoon", 2);
    type("frmPlatoons", "txtCode_0", "N");
    type("frmPlatoons", "txtCode_1", "M");
    press("frmPlatoons", "cmdNext");
    choose("frmRotation", "cboRotation", 1); // 4 days
    press("frmRotation", "cmdDone");
    EXPECT_EQ(sequence(2), QStringLiteral("1212"));
    EXPECT_TRUE(createEnabled());

    click(*form, "mnuviewSchedulePick_3");
    ASSERT_EQ(form->MonthControl()->CellSplit(), 2);
    const int first =
        1 + int(DayNumber::fromDate(QDate(2026, 12, 1)) - form->MonthControl()->StartDate());
    // Both rotations count their days from 31 December 1969 (day 0).
    const int n = int(DayNumber::fromDate(QDate(2026, 12, 1)) - DayNumber::Epoch1970) + 1;
    EXPECT_EQ(cell(*form, first)->LeftCaption(), QString("ABC")[n % 3]);
    EXPECT_EQ(cell(*form, first)->RightCaption(), QString("NMNM")[n % 4]);

    // Both in every cell: Change Info edits the schedule's own texts.
    click(*form, "mnuFileChangeInfo");
    EXPECT_EQ(control<QLineEdit>("frmInfo", "txtTitle")->text(), QStringLiteral("Station"));
    press("frmInfo", "cmdCancel");

    click(*form, "mnuFileCreateSchedule");
    EXPECT_TRUE(control<QRadioButton>("frmPick", "optShift_0")->isChecked());
    form->setDataChanged(false);
    press("frmPick", "cmdRemove");
    EXPECT_NE(window("frmPick"), nullptr);
    EXPECT_EQ(form->Schedule()->Shifts()->Count(), 1);
    EXPECT_EQ(form->ShiftIndex(), 1);
    EXPECT_EQ(form->MonthControl()->CellSplit(), 1); // no second shift to show beside
    EXPECT_TRUE(form->DataChanged());
    EXPECT_FALSE(control<QPushButton>("frmPick", "cmdRemove")->isEnabled());
    press("frmPick", "cmdCancel");
}

TEST_F(WizardFlow, FinishOnTheSecondShiftOpensItsInformation)
{
    showMain(TwoShiftSchedule());
    form->setShiftIndex(2);
    click(*form, "mnuFileCreateSchedule");
    EXPECT_TRUE(control<QRadioButton>("frmPick", "optShift_1")->isChecked());
    EXPECT_TRUE(control<QPushButton>("frmPick", "cmdRemove")->isEnabled());
    form->setShiftIndex(1);
    press("frmPick", "cmdFinish");
    EXPECT_EQ(form->ShiftIndex(), 2);
    EXPECT_EQ(control<QLineEdit>("frmInfo", "txtTitle")->text(), QStringLiteral("Night Shift"));
    // Two shifts: the schedule keeps its own title.
    type("frmInfo", "txtTitle", "Nights");
    press("frmInfo", "cmdOK");
    EXPECT_EQ(form->Schedule()->Shifts()->Item(2)->title(), QStringLiteral("Nights"));
    EXPECT_EQ(form->Schedule()->title(), QStringLiteral("Harbor Station"));
    EXPECT_TRUE(form->DataChanged());
}

TEST_F(WizardFlow, TheMenuStaysDisabledUntilTheLastStepCloses)
{
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileCreateSchedule");
    press("frmPick", "cmdNext");
    EXPECT_FALSE(createEnabled());
    press("frmPlatoons", "cmdNext");
    EXPECT_FALSE(createEnabled());
    press("frmRotation", "cmdNext");
    EXPECT_FALSE(createEnabled());
    EXPECT_FALSE(form->DataChanged()); // nothing differed
    press("frmOnDuty", "cmdBack");
    EXPECT_EQ(form->EditMode(), 0);
    EXPECT_FALSE(createEnabled());
    window("frmRotation")->close(); // the close box writes nothing
    settle();
    EXPECT_TRUE(createEnabled());
    EXPECT_EQ(sequence(), QStringLiteral("123"));
}

TEST_F(WizardFlow, TextsTheStoredFormCannotHoldAreRefused)
{
    showMain(OneShift(2, "12"));
    const struct {
        const char* text;
        const char* named;
    } bad[] = {
        {"Say \"hi\"", "double quote"}, {"A|B", "\"|\""}, {"<b>", "\"<\""}, {"x>y", "\">\""}};
    for (const auto& r : bad) {
        SCOPED_TRACE(r.text);
        fx.messages->shown.clear();
        click(*form, "mnuFileChangeInfo");
        type("frmInfo", "txtDescription", r.text);
        press("frmInfo", "cmdOK");
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_TRUE(fx.messages->shown[0].text.contains(QString::fromLatin1(r.named)))
            << fx.messages->shown[0].text.toStdString();
        EXPECT_NE(window("frmInfo"), nullptr); // stays open, nothing stored
        EXPECT_EQ(form->Schedule()->Description(), QStringLiteral("Station description"));
        window("frmInfo")->close();
        settle();
    }
    click(*form, "mnuFileCreateSchedule");
    press("frmPick", "cmdNext");
    type("frmPlatoons", "txtDescription_1", "B|2");
    fx.messages->shown.clear();
    press("frmPlatoons", "cmdDone");
    EXPECT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(form->Schedule()->Shifts()->Item(1)->Platoons()->Item(2)->Description(), "Bravo");
    EXPECT_FALSE(form->DataChanged());
}

TEST_F(WizardFlow, PlatoonsStep)
{
    showMain(OneShift(3, "123"));
    const auto before = form->Schedule()->Shifts()->Item(1)->Platoons();
    click(*form, "mnuFileCreateSchedule");
    press("frmPick", "cmdNext");
    EXPECT_EQ(control<QComboBox>("frmPlatoons", "cboPlatoon")->currentIndex(), 3);
    EXPECT_TRUE(control<QLineEdit>("frmPlatoons", "txtCode_2")->isVisible());
    EXPECT_FALSE(control<QLineEdit>("frmPlatoons", "txtCode_3")->isVisible());
    // No edits: new platoon objects with equal values, and no change to save.
    press("frmPlatoons", "cmdDone");
    EXPECT_NE(form->Schedule()->Shifts()->Item(1)->Platoons(), before);
    EXPECT_FALSE(form->DataChanged());

    click(*form, "mnuFileCreateSchedule");
    press("frmPick", "cmdNext");
    choose("frmPlatoons", "cboPlatoon", 2);
    EXPECT_FALSE(control<QLineEdit>("frmPlatoons", "txtCode_2")->isVisible());
    choose("frmPlatoons", "cboPlatoon", 4); // a row comes back as it was left
    EXPECT_EQ(control<QLineEdit>("frmPlatoons", "txtCode_2")->text(), QStringLiteral("C"));
    EXPECT_EQ(control<QLineEdit>("frmPlatoons", "txtCode_3")->text(), QStringLiteral(" "));
    EXPECT_EQ(control<QLineEdit>("frmPlatoons", "txtDescription_3")->text(), "Platoon");
    dialogs->cancelColor = true;
    press("frmPlatoons", "lblColor_0");
    EXPECT_EQ(dialogs->colorRequests.back(), 0x0000FF); // preset to the swatch
    choose("frmPlatoons", "cboPlatoon", 2);
    press("frmPlatoons", "cmdDone");
    const auto platoons = form->Schedule()->Shifts()->Item(1)->Platoons();
    ASSERT_EQ(platoons->Count(), 2);
    EXPECT_EQ(platoons->Item(1)->Color(), 0x0000FF);
    EXPECT_TRUE(form->DataChanged());
    EXPECT_EQ(sequence(), QStringLiteral("123")); // the rotation step rebuilds it
}

TEST_F(WizardFlow, InformationWithoutEditsChangesNothing)
{
    showMain(OneShift(3, "123"));
    click(*form, "mnuFileChangeInfo");
    EXPECT_EQ(control<QLineEdit>("frmInfo", "txtTitle")->text(), QStringLiteral("Station"));
    EXPECT_FALSE(createEnabled()); // the information step holds the menu too
    press("frmInfo", "cmdOK");
    EXPECT_EQ(window("frmInfo"), nullptr);
    EXPECT_FALSE(form->DataChanged());
    EXPECT_TRUE(createEnabled());
}

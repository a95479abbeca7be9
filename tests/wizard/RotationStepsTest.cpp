// The cycle-length, template and on-duty steps on the live schedule.
#include "WizardTestSupport.h"

#include "wizard/WizardRules.h"

#include <QKeyEvent>

using RotationSteps = WizardTest;

namespace {
// Typing into the combo box's own line, as a user does (not picking from its list).
void typeInto(const char* text)
{
    auto* box = WizardTest::control<QComboBox>("frmRotation", "cboRotation");
    box->lineEdit()->selectAll();
    for (const char c : QByteArray(text)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(box->lineEdit(), &press);
    }
    WizardTest::settle();
}
} // namespace

TEST(WizardRules, TemplatesForEachPlatoonCount)
{
    QStringList got;
    for (int n = 0; n <= 4; ++n)
        for (const auto& t : TemplatesFor(n))
            got << QStringLiteral("%1|%2|%3|%4").arg(n).arg(t.description, t.pattern, t.sequence);
    EXPECT_EQ(got, dataLines("wizard/data/templates.txt"));
}

TEST(WizardRules, TypedCycleLengths)
{
    const QStringList rows = dataLines("wizard/data/cycle-lengths.txt");
    ASSERT_EQ(rows.size(), 13);
    for (const QString& row : rows) {
        const QStringList r = row.split('|');
        const CycleChoice c = ChooseCycle(-1, r[0], r[1].toInt());
        const QString got = c.kind == CycleChoice::Entry       ? QString("entry %1").arg(c.index)
                            : c.kind == CycleChoice::Irregular ? QString("irregular %1").arg(c.days)
                                                               : QString("refused");
        EXPECT_EQ(got, r[2]) << qPrintable(row);
        EXPECT_EQ(c.message.isEmpty(), c.kind != CycleChoice::Refused) << qPrintable(row);
    }
    EXPECT_EQ(ChooseCycle(5, "anything", 3).index, 5); // a list entry wins
}

TEST_F(RotationSteps, ApplyingACycleLength)
{
    showMain(OneShift(3, "131212323"));
    toRotationStep();
    auto* list = control<QComboBox>("frmRotation", "cboRotation");
    ASSERT_EQ(list->count(), 49);
    EXPECT_EQ(list->currentText(), QStringLiteral("9")); // the length in force
    press("frmRotation", "cmdDone");                     // changes nothing
    EXPECT_FALSE(form->DataChanged());

    toRotationStep();
    typeInto("12");
    EXPECT_FALSE(control<QPushButton>("frmRotation", "cmdDone")->isEnabled());
    press("frmRotation", "cmdNext");
    EXPECT_EQ(sequence(), QStringLiteral("123123123123"));
    EXPECT_TRUE(form->DataChanged());
    press("frmOnDuty", "cmdBack");
    EXPECT_EQ(form->EditMode(), 0);
    EXPECT_FALSE(createEnabled()); // until the last step closes

    // Not a multiple: the irregular question; No keeps the window, Yes writes days off.
    typeInto("10");
    fx.messages->answers = {Msg::No};
    press("frmRotation", "cmdNext");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains("asymmetrical"));
    EXPECT_EQ(fx.messages->shown[0].buttons, Msg::YesNo);
    EXPECT_EQ(sequence(), QStringLiteral("123123123123"));
    fx.messages->answers = {Msg::Yes};
    press("frmRotation", "cmdNext");
    EXPECT_EQ(sequence(), QStringLiteral("0000000000"));
    press("frmOnDuty", "cmdDone");

    // A refused length keeps the window and writes nothing.
    toRotationStep();
    fx.messages->shown.clear();
    typeInto("150");
    press("frmRotation", "cmdNext");
    EXPECT_EQ(fx.messages->shown.size(), 1u);
    window("frmRotation")->close(); // the close box writes nothing
    settle();
    EXPECT_TRUE(createEnabled());
    EXPECT_EQ(sequence(), QStringLiteral("0000000000"));
}

TEST_F(RotationSteps, Templates)
{
    showMain(OneShift(3, "123123123123"));
    toRotationStep();
    press("frmRotation", "cmdTemplate");
    auto* left = control<QListWidget>("frmTemplate", "List1");
    auto* right = control<QListWidget>("frmTemplate", "List2");
    // The last template of the same length is preselected and nothing is written.
    EXPECT_EQ(right->currentItem()->text(), QStringLiteral("48 and 96 off, 12 day cycle"));
    EXPECT_EQ(left->currentRow(), 4);
    EXPECT_FALSE(form->DataChanged());
    // Each pattern stands beside its description, scrolled to the end too.
    left->scrollToItem(left->item(left->count() - 1));
    for (int r = 0; r < left->count(); ++r)
        EXPECT_EQ(left->visualItemRect(left->item(r)).top(),
                  right->visualItemRect(right->item(r)).top())
            << r;
    left->setCurrentRow(1);
    EXPECT_EQ(right->currentRow(), 1);
    form->setDataChanged(false);
    // The button, the sequence after it.
    for (const QString move :
         {"cmdAllLeft 122331", "cmdAllRright 112233", "cmReverse 332211", "cmdAllRright 133221"}) {
        press("frmTemplate", qPrintable(move.section(' ', 0, 0)));
        EXPECT_EQ(sequence(), move.section(' ', 1)) << qPrintable(move);
    }
    EXPECT_TRUE(form->DataChanged());
    // Cancel writes the opening sequence back and leaves the schedule marked.
    form->setDataChanged(false);
    press("frmTemplate", "cmdCancel");
    EXPECT_EQ(sequence(), QStringLiteral("123123123123"));
    EXPECT_TRUE(form->DataChanged());
    EXPECT_TRUE(createEnabled());

    // No template of a 5-day cycle: none is shown chosen, and Done keeps the cycle.
    form->Schedule()->Shifts()->Item(1)->setSequence(QStringLiteral("12312"));
    toRotationStep();
    press("frmRotation", "cmdTemplate");
    EXPECT_TRUE(control<QListWidget>("frmTemplate", "List1")->selectedItems().isEmpty());
    EXPECT_TRUE(control<QListWidget>("frmTemplate", "List2")->selectedItems().isEmpty());
    press("frmTemplate", "cmdDone");
    EXPECT_EQ(sequence(), QStringLiteral("12312"));

    // On an empty sequence the moves do nothing.
    EXPECT_EQ(MovedLeft({}) + MovedRight({}) + Reversed({}), QString());
}

TEST_F(RotationSteps, OnDutyChoicesAndUndo)
{
    showMain(OneShift(3, "123"));
    form->setGeometry(0, 0, 400, 320); // room beside it on the screen
    toRotationStep();
    press("frmRotation", "cmdNext");
    // With no stored place the step opens beside the calendar, not over its days.
    const QWidget* month = form->MonthControl();
    const QRect days(month->mapToGlobal(QPoint(0, 0)), month->size());
    EXPECT_FALSE(window("frmOnDuty")->frameGeometry().intersects(days));
    auto* undo = control<QPushButton>("frmOnDuty", "cmdUndo");
    auto* list = control<QComboBox>("frmOnDuty", "cboPlatoon");
    // 2 December 2026 is day 20790 counted from 31 December 1969: position 1.
    clickDay(QDate(2026, 12, 2));
    EXPECT_EQ(list->currentIndex(), 1);
    choose("frmOnDuty", "cboPlatoon", 1); // the platoon already on duty changes nothing
    EXPECT_FALSE(undo->isEnabled());
    // Back to the sequence the step opened with is drawn as well.
    const QString opened = dayCell(QDate(2026, 12, 5))->LeftCaption();
    choose("frmOnDuty", "cboPlatoon", 2);
    EXPECT_NE(dayCell(QDate(2026, 12, 5))->LeftCaption(), opened);
    choose("frmOnDuty", "cboPlatoon", 1);
    EXPECT_EQ(dayCell(QDate(2026, 12, 5))->LeftCaption(), opened);
    choose("frmOnDuty", "cboPlatoon", 2);
    choose("frmOnDuty", "cboPlatoon", 0);
    EXPECT_EQ(sequence(), QStringLiteral("023"));
    // Every repetition of the cycle follows: 5 December is the same position.
    EXPECT_TRUE(dayCell(QDate(2026, 12, 5))->LeftCaption().trimmed().isEmpty());
    press("frmOnDuty", "cmdUndo");
    EXPECT_EQ(sequence(), QStringLiteral("223")); // only the last choice
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(list->currentIndex(), 2);
    press("frmOnDuty", "cmdDone");
    clickDay(QDate(2026, 12, 2)); // outside edit mode a click opens nothing
    EXPECT_EQ(window("frmOnDuty"), nullptr);

    // Days before 1970 are moved to the first of January.
    form->MonthControl()->setFullDate(DayNumber::fromDate(QDate(1970, 1, 1)));
    toRotationStep();
    press("frmRotation", "cmdNext");
    // The first cell of January 1970 lies in December 1969.
    ASSERT_LT(form->MonthControl()->StartDate(), DayNumber::Epoch1970);
    EXPECT_EQ(control<QLabel>("frmOnDuty", "Label1")->text(), QStringLiteral("Thu Jan 01, 1970"));
    // Its position is 2, and 31 December 1969 shows the same platoon.
    EXPECT_EQ(control<QComboBox>("frmOnDuty", "cboPlatoon")->currentIndex(), 2);
    choose("frmOnDuty", "cboPlatoon", 1);
    EXPECT_EQ(form->Schedule()->Shifts()->Item(1)->ONDuty(DayNumber::Epoch1970 - 1)->Code(), "A");
}

namespace {
// A key as the keyboard gives it: to whatever has the focus.
void pressKey(int key, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        WizardTest::settle();
    }
}
} // namespace

TEST_F(RotationSteps, AnEighteenDayCycleIsPutRightWithTheKeyboardOnly)
{
    showMain(OneShift(3, "111111111111111111"));
    toRotationStep();
    press("frmRotation", "cmdNext");
    ASSERT_NE(window("frmOnDuty"), nullptr);
    ctlMonth* month = form->MonthControl();
    // Six days of each platoon from Sunday 6 December (today), day by day.
    const QString rotation = QStringLiteral("222222333333111111");
    for (int i = 0; i < 18; ++i) {
        pressKey(Qt::Key_F6); // from the step to the calendar
        ASSERT_EQ(QApplication::focusWidget(), month) << i;
        if (i > 0)
            pressKey(Qt::Key_Right);
        pressKey(Qt::Key_Return); // the day; the keys go on to its platoon
        ASSERT_EQ(QApplication::focusWidget(), control<QComboBox>("frmOnDuty", "cboPlatoon")) << i;
        pressKey(Qt::Key_Home); // "None", then down to the platoon
        pressKey(Qt::Key_Down, rotation[i].digitValue());
    }
    const auto shift = form->Schedule()->Shifts()->Item(1);
    for (int i = 0; i < 18; ++i) {
        const double day = DayNumber::fromDate(QDate(2026, 12, 6).addDays(i));
        EXPECT_EQ(shift->ONDuty(day)->Code(), QStringLiteral("ABC")[rotation[i].digitValue() - 1])
            << i;
        EXPECT_EQ(shift->ONDuty(day + 18)->Code(), shift->ONDuty(day)->Code()) << i;
    }
    EXPECT_EQ(DayNumber::toDate(month->FocusDate()), QDate(2026, 12, 23));
}

// The cycle-length, template and on-duty steps on the live schedule.
#include "WizardTestSupport.h"

#include "wizard/WizardRules.h"

#include <QKeyEvent>
#include <QScrollBar>

using RotationSteps = WizardTest;

namespace {
// Typing into the combo box's own line, as a user does (not picking from its list).
void typeInto(QComboBox* box, const char* text)
{
    box->lineEdit()->selectAll();
    for (const char c : QByteArray(text)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(box->lineEdit(), &press);
    }
    WizardTest::settle();
}
} // namespace

TEST(WizardRules, TemplateTableIsConsistent)
{
    const int rows[] = {0, 1, 1, 11, 0};
    for (int n = 0; n <= 4; ++n) {
        const auto list = TemplatesFor(n);
        ASSERT_EQ(list.size(), rows[n]) << n;
        for (const auto& t : list) {
            SCOPED_TRACE(t.description.toStdString());
            ASSERT_EQ(t.pattern.size(), t.sequence.size());
            for (int k = 0; k < t.sequence.size(); ++k)
                EXPECT_EQ(t.pattern[k] == 'X', t.sequence[k] == '1') << k;
            for (int p = 1; p <= n; ++p) // every platoon works the same number of days
                EXPECT_EQ(t.sequence.count(QChar('0' + p)), n == 1 ? 5 : t.sequence.size() / n);
        }
    }
    EXPECT_EQ(TemplatesFor(3).at(2).description, QStringLiteral("Modified Detroit"));
    EXPECT_EQ(TemplatesFor(3).at(10).sequence, QStringLiteral("131212123231313121232323"));
}

TEST(WizardRules, TypedCycleLengths)
{
    struct Row {
        const char* name;
        const char* typed;
        int platoons;
        CycleChoice::Kind kind;
        int index;
        int days;
    };
    const Row rows[] = {
        {"multiple", "12", 3, CycleChoice::Entry, 3, 0},
        {"leading number", " 12 days", 3, CycleChoice::Entry, 3, 0},
        {"not a multiple", "10", 3, CycleChoice::Irregular, -1, 10},
        {"rounded half to even", "10.5", 2, CycleChoice::Entry, 4, 0},
        {"last entry", "147", 3, CycleChoice::Entry, 48, 0},
        {"beyond the last entry", "150", 3, CycleChoice::Refused, -1, 0},
        {"irregular beyond the list", "151", 3, CycleChoice::Irregular, -1, 151},
        {"longest", "32767", 2, CycleChoice::Irregular, -1, 32767},
        {"too long", "32768", 2, CycleChoice::Refused, -1, 0},
        {"huge", "1e300", 2, CycleChoice::Irregular, -1, 1}, // "1" is the leading number
        {"zero", "0", 3, CycleChoice::Refused, -1, 0},
        {"negative", "-3", 3, CycleChoice::Refused, -1, 0},
        {"no number", "abc", 3, CycleChoice::Refused, -1, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CycleChoice c = ChooseCycle(-1, QString::fromLatin1(r.typed), r.platoons);
        EXPECT_EQ(c.kind, r.kind);
        if (r.kind == CycleChoice::Entry) {
            EXPECT_EQ(c.index, r.index);
        }
        if (r.kind == CycleChoice::Irregular) {
            EXPECT_EQ(c.days, r.days);
        }
        EXPECT_EQ(c.message.isEmpty(), r.kind != CycleChoice::Refused);
    }
    EXPECT_EQ(ChooseCycle(5, "anything", 3).index, 5); // a list entry wins
}

TEST(WizardRules, MovesOfTheWholeSequence)
{
    EXPECT_EQ(MovedLeft("123"), "231");
    EXPECT_EQ(MovedRight("123"), "312");
    EXPECT_EQ(Reversed("1123"), "3211");
    for (auto move : {MovedLeft, MovedRight, Reversed})
        EXPECT_EQ(move(QString()), QString());
}

TEST_F(RotationSteps, CycleLengthList)
{
    struct Row {
        const char* name;
        int platoons;
        const char* sequence;
        const char* selected;
    };
    const Row rows[] = {
        {"three platoons", 3, "123", "3"},
        {"fresh shift", 3, "0", "3"},
        {"two platoons, 15 days", 2, "121212121212121", "14"},
        {"nine days", 3, "131212323", "9"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        showMain(OneShift(r.platoons, r.sequence));
        toRotationStep();
        auto* list = control<QComboBox>("frmRotation", "cboRotation");
        ASSERT_EQ(list->count(), 49);
        EXPECT_EQ(list->itemText(48), QString::number(49 * r.platoons));
        EXPECT_EQ(list->currentText(), QString::fromLatin1(r.selected));
        press("frmRotation", "cmdCancel");
        EXPECT_EQ(sequence(), QString::fromLatin1(r.sequence));
        TearDown();
    }
}

TEST_F(RotationSteps, ApplyingACycleLength)
{
    showMain(OneShift(3, "131212323"));
    toRotationStep();
    // The length in force changes nothing.
    press("frmRotation", "cmdDone");
    EXPECT_EQ(sequence(), QStringLiteral("131212323"));
    EXPECT_FALSE(form->DataChanged());

    toRotationStep();
    auto* box = control<QComboBox>("frmRotation", "cboRotation");
    box->setFocus();
    box->lineEdit()->selectAll();
    typeInto(box, "12");
    EXPECT_FALSE(control<QPushButton>("frmRotation", "cmdDone")->isEnabled());
    press("frmRotation", "cmdNext");
    EXPECT_EQ(sequence(), QStringLiteral("123123123123"));
    EXPECT_TRUE(form->DataChanged());
    press("frmOnDuty", "cmdBack");

    // Not a multiple: the irregular question; No keeps the window, Yes writes days off.
    box = control<QComboBox>("frmRotation", "cboRotation");
    box->lineEdit()->selectAll();
    typeInto(box, "10");
    EXPECT_FALSE(
        control<QPushButton>("frmRotation", "cmdDone")->isEnabled()); // not the length in force
    fx.messages->answers = {Msg::No};
    press("frmRotation", "cmdNext");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->shown[0].text,
              QStringLiteral("You have entered a cycle length which will result in an asymmetrical "
                             "schedule.\r\nDo you want to create an unusual schedule?"));
    EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Irregular Cycle"));
    EXPECT_EQ(fx.messages->shown[0].buttons, Msg::YesNo);
    EXPECT_NE(window("frmRotation"), nullptr);
    EXPECT_EQ(sequence(), QStringLiteral("123123123123"));
    fx.messages->answers = {Msg::Yes};
    press("frmRotation", "cmdNext");
    EXPECT_EQ(sequence(), QStringLiteral("0000000000"));
    EXPECT_EQ(window("frmRotation"), nullptr);
    press("frmOnDuty", "cmdDone");

    // Lengths the list cannot hold are refused and the window stays.
    toRotationStep();
    for (const char* typed : {"0", "150", "40000"}) {
        SCOPED_TRACE(typed);
        fx.messages->shown.clear();
        box = control<QComboBox>("frmRotation", "cboRotation");
        box->lineEdit()->selectAll();
        typeInto(box, typed);
        press("frmRotation", "cmdNext");
        EXPECT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_NE(window("frmRotation"), nullptr);
        EXPECT_EQ(sequence(), QStringLiteral("0000000000"));
    }
}

TEST_F(RotationSteps, Templates)
{
    showMain(OneShift(3, "123123123123"));
    toRotationStep();
    press("frmRotation", "cmdTemplate");
    // The last template of the same length is preselected and nothing is written.
    EXPECT_EQ(control<QListWidget>("frmTemplate", "List2")->currentItem()->text(),
              QStringLiteral("48 and 96 off, 12 day cycle"));
    EXPECT_EQ(control<QListWidget>("frmTemplate", "List1")->currentRow(), 4);
    EXPECT_FALSE(form->DataChanged());

    // Scrolling one list scrolls the other to the same top row.
    window("frmTemplate")->resize(500, 200);
    settle();
    auto* left = control<QListWidget>("frmTemplate", "List1");
    auto* right = control<QListWidget>("frmTemplate", "List2");
    ASSERT_GT(left->verticalScrollBar()->maximum(), 2);
    left->verticalScrollBar()->setValue(2);
    EXPECT_EQ(right->verticalScrollBar()->value(), 2);
    right->verticalScrollBar()->setValue(1);
    EXPECT_EQ(left->verticalScrollBar()->value(), 1);

    control<QListWidget>("frmTemplate", "List1")->setCurrentRow(1);
    EXPECT_EQ(control<QListWidget>("frmTemplate", "List2")->currentRow(), 1);
    EXPECT_EQ(sequence(), QStringLiteral("112233"));
    form->setDataChanged(false);
    press("frmTemplate", "cmdAllLeft");
    EXPECT_EQ(sequence(), QStringLiteral("122331"));
    EXPECT_TRUE(form->DataChanged());
    press("frmTemplate", "cmdAllRright");
    EXPECT_EQ(sequence(), QStringLiteral("112233"));
    press("frmTemplate", "cmReverse");
    EXPECT_EQ(sequence(), QStringLiteral("332211"));
    press("frmTemplate", "cmReverse");
    EXPECT_EQ(sequence(), QStringLiteral("112233"));
    // Cancel writes the opening sequence back and leaves the schedule marked.
    form->setDataChanged(false);
    press("frmTemplate", "cmdCancel");
    EXPECT_EQ(sequence(), QStringLiteral("123123123123"));
    EXPECT_TRUE(form->DataChanged());
    EXPECT_TRUE(createEnabled());
}

TEST_F(RotationSteps, TemplatesForFourPlatoonsAreNoneButTheMovesWork)
{
    showMain(OneShift(4, "1234"));
    toRotationStep();
    press("frmRotation", "cmdTemplate");
    EXPECT_EQ(control<QListWidget>("frmTemplate", "List1")->count(), 0);
    EXPECT_EQ(control<QListWidget>("frmTemplate", "List2")->count(), 0);
    press("frmTemplate", "cmdAllLeft");
    EXPECT_EQ(sequence(), QStringLiteral("2341"));
    press("frmTemplate", "cmdDone");
    EXPECT_EQ(window("frmTemplate"), nullptr);
}

TEST_F(RotationSteps, OnDutyChoicesAndUndo)
{
    showMain(OneShift(3, "123"));
    toRotationStep();
    press("frmRotation", "cmdNext");
    EXPECT_FALSE(form->DataChanged());
    auto* undo = control<QPushButton>("frmOnDuty", "cmdUndo");
    auto* list = control<QComboBox>("frmOnDuty", "cboPlatoon");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0), QStringLiteral("None"));
    // 2 December 2026 is day 20790 counted from 31 December 1969: position 1.
    clickDay(QDate(2026, 12, 2));
    EXPECT_EQ(list->currentIndex(), 1);
    // The platoon already on duty changes nothing.
    choose("frmOnDuty", "cboPlatoon", 1);
    EXPECT_FALSE(undo->isEnabled());
    choose("frmOnDuty", "cboPlatoon", 2);
    EXPECT_EQ(sequence(), QStringLiteral("223"));
    choose("frmOnDuty", "cboPlatoon", 0);
    EXPECT_EQ(sequence(), QStringLiteral("023"));
    // Every repetition of the cycle follows: 5 December is the same position.
    EXPECT_TRUE(cell(*form, 1 + int(DayNumber::fromDate(QDate(2026, 12, 5)) -
                                    form->MonthControl()->StartDate()))
                    ->LeftCaption()
                    .trimmed()
                    .isEmpty());
    EXPECT_TRUE(undo->isEnabled());
    press("frmOnDuty", "cmdUndo");
    EXPECT_EQ(sequence(), QStringLiteral("223")); // only the last choice
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_TRUE(form->DataChanged());
    press("frmOnDuty", "cmdDone");
    EXPECT_EQ(form->EditMode(), 0);
    EXPECT_TRUE(createEnabled());
}

TEST_F(RotationSteps, DaysBefore1970AreMovedToTheFirstOfJanuary)
{
    showMain(OneShift(3, "123"));
    form->MonthControl()->setFullDate(DayNumber::fromDate(QDate(1970, 1, 1)));
    toRotationStep();
    press("frmRotation", "cmdNext");
    // The first cell of January 1970 lies in December 1969.
    ASSERT_LT(form->MonthControl()->StartDate(), DayNumber::Epoch1970);
    EXPECT_EQ(control<QLabel>("frmOnDuty", "Label1")->text(), QStringLiteral("Thu Jan 01, 1970"));
    // Its position is 2, and 31 December 1969 shows the same platoon.
    EXPECT_EQ(control<QComboBox>("frmOnDuty", "cboPlatoon")->currentIndex(), 2);
    choose("frmOnDuty", "cboPlatoon", 3);
    EXPECT_EQ(sequence(), QStringLiteral("133"));
    EXPECT_EQ(form->Schedule()->Shifts()->Item(1)->ONDuty(DayNumber::Epoch1970 - 1)->Code(), "C");
}

TEST_F(RotationSteps, OnDutyWindowPlaceIsRemembered)
{
    showMain(OneShift(3, "123"));
    toRotationStep();
    press("frmRotation", "cmdNext");
    QWidget* step = window("frmOnDuty");
    ASSERT_NE(step, nullptr);
    step->move(step->pos() + QPoint(37, 23));
    const QPoint placed = step->pos();
    press("frmOnDuty", "cmdDone");
    clickDay(QDate(2026, 12, 2)); // not in edit mode: nothing opens
    EXPECT_EQ(window("frmOnDuty"), nullptr);
    toRotationStep();
    press("frmRotation", "cmdNext");
    ASSERT_NE(window("frmOnDuty"), nullptr);
    EXPECT_EQ(window("frmOnDuty")->pos(), placed);
}

TEST_F(RotationSteps, TheMovesDoNothingOnAnEmptySequence)
{
    showMain(OneShift(3, ""));
    toRotationStep();
    press("frmRotation", "cmdTemplate");
    for (const char* move : {"cmdAllLeft", "cmReverse", "cmdAllRright"})
        press("frmTemplate", move);
    EXPECT_EQ(sequence(), QString());
    EXPECT_FALSE(form->DataChanged());
}

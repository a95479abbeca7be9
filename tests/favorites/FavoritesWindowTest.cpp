// The Favorites window: its two lists, Delete, and OK bringing an entry back
// onto the calendar, with the checks that guard the schedule on display.
#include "wizard/WizardTestSupport.h"

#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

using FavoritesWindow = WizardTest;

namespace {
std::shared_ptr<clsSchedule> titled(const char* title)
{
    return MakeSchedule(QString::fromLatin1(title),
                        {{"S", "SI", "D", "12", {{"A", "Alpha", 255}}}});
}
QString entry(const char* title)
{
    return titled(title)->xml();
}
QListWidget* list(const char* name)
{
    return WizardTest::control<QListWidget>("frmOpen", name);
}
QStringList rows(const char* name)
{
    QStringList texts;
    for (int r = 0; r < list(name)->count(); ++r)
        texts << list(name)->item(r)->text();
    return texts;
}
int selected(const char* name)
{
    const auto picked = list(name)->selectedItems();
    return picked.isEmpty() ? -1 : list(name)->row(picked.first());
}
bool deleteEnabled()
{
    return WizardTest::control<QPushButton>("frmOpen", "cmdDelete")->isEnabled();
}
} // namespace

TEST_F(FavoritesWindow, ListsArePairedByEntryAndDeleteWritesTheFile)
{
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), {entry("b"), entry("A"), entry("C"), "<Tarnwell junk"});
    showMain(titled("Aa"));
    click(*form, "mnuFavoritesOpen");
    // Sorted ignoring case ("b" after "A"), numbered by entry; the other line is dropped.
    EXPECT_EQ(rows("List1"), QStringList({"A2", "b1", "C3"}));
    EXPECT_EQ(rows("List2"), QStringList({"b description1", "A description2", "C description3"}));
    EXPECT_FALSE(deleteEnabled());
    EXPECT_FALSE(control<QLabel>("frmOpen", "Label1")->isVisible());
    const struct {
        const char* list;
        int row;
        const char* other;
        int otherRow;
    } pairs[] = {{"List1", 0, "List2", 1}, {"List2", 0, "List1", 1}, {"List2", 2, "List1", 2}};
    for (const auto& p : pairs) {
        list(p.list)->setCurrentRow(p.row);
        EXPECT_EQ(selected(p.other), p.otherRow) << p.list << p.row;
        EXPECT_TRUE(deleteEnabled());
    }
    list("List1")->setCurrentRow(0);
    window("frmOpen")->grab().save(QStringLiteral(TARNWELL_TEST_RENDERS "/favorites.png"));
    press("frmOpen", "cmdDelete");
    EXPECT_EQ(rows("List1"), QStringList({"b1", "C2"}));
    EXPECT_EQ(rows("List2"), QStringList({"b description1", "C description2"}));
    EXPECT_FALSE(deleteEnabled());
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), QStringList({entry("b"), entry("C")}));
    // An addition with the window open refreshes it and leaves it open.
    click(*form, "mnuFavoritesAdd");
    EXPECT_EQ(rows("List1"), QStringList({"Aa3", "b1", "C2"}));
    // The path shows while the debug menu does.
    press("frmOpen", "cmdCancel");
    form->MenuAction("mnuDebug")->setVisible(true);
    click(*form, "mnuFavoritesOpen");
    EXPECT_EQ(control<QLabel>("frmOpen", "Label1")->text(),
              QDir::toNativeSeparators(ScheduleListPath()));
}

TEST_F(FavoritesWindow, OkBringsTheSelectedEntryBackUnlessRefused)
{
    enum Save { None, ToList, LetGo, CloseBox };
    const struct {
        bool locked, wizard, changed;
        Save save;
        const char* loaded;
        const char* message;
    } cases[] = {{false, false, false, None, "A", nullptr},
                 {true, false, false, None, "Harbor Station", "Access Denied"},
                 {false, true, false, None, "Harbor Station", "Favorites"},
                 {false, false, true, CloseBox, "Harbor Station", nullptr},
                 {false, false, true, LetGo, "A", nullptr},
                 // The overwrite moves A from entry 3 to 2: OK still takes A.
                 {false, false, true, ToList, "A", "Schedule Exists, Overwrite?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.locked << c.wizard << c.changed << c.save);
        TearDown();
        fx.messages->shown.clear();
        EnsureAppFolder();
        const QString station = TwoShiftSchedule()->xml();
        WriteScheduleList(ScheduleListPath(), {station, entry("b"), entry("A"), entry("C")});
        showMain(TwoShiftSchedule());
        form->setShiftIndex(2);
        form->MenuAction("mnuFileLockSchedule")->setChecked(c.locked);
        if (c.wizard)
            click(*form, "mnuFileCreateSchedule");
        form->setDataChanged(c.changed);
        if (c.save == CloseBox)
            onNextModal([](QWidget* w) { w->close(); });
        else if (c.save != None)
            answerSave(c.save == ToList ? 1 : 2);
        fx.messages->answers = {Msg::Yes};
        click(*form, "mnuFavoritesOpen");
        list("List1")->setCurrentRow(0);
        press("frmOpen", "cmdOK");
        const bool loaded = QString::fromLatin1(c.loaded) == QLatin1String("A");
        EXPECT_EQ(form->Schedule()->title(), QString::fromLatin1(c.loaded));
        EXPECT_EQ(window("frmOpen") == nullptr, loaded);
        if (loaded) {
            EXPECT_TRUE(form->DataChanged());
            EXPECT_EQ(form->ShiftIndex(), 1);
        }
        ASSERT_EQ(fx.messages->shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(fx.messages->shown[0].title, QString::fromLatin1(c.message));
        }
        if (c.save == ToList) {
            EXPECT_EQ(ReadScheduleList(ScheduleListPath()),
                      QStringList({entry("b"), entry("A"), entry("C"), station}));
        }
    }
}

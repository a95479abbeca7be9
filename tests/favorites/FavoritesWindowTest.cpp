#include "wizard/WizardTestSupport.h"

#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QScrollBar>

class FavoritesWindow : public WizardTest {
protected:
    static std::shared_ptr<clsSchedule> titled(const char* title)
    {
        return MakeSchedule(QString::fromLatin1(title),
                            {{"S", "SI", "D", "12", {{"A", "A", 255}}}});
    }
    static QString entry(const char* title) { return titled(title)->xml(); }
    static QListWidget* list(const char* name) { return control<QListWidget>("frmOpen", name); }
    static QStringList rows(const char* name)
    {
        QStringList texts;
        for (int r = 0; r < list(name)->count(); ++r)
            texts << list(name)->item(r)->text();
        return texts;
    }
    static bool deleteEnabled()
    {
        return control<QPushButton>("frmOpen", "cmdDelete")->isEnabled();
    }
};

TEST_F(FavoritesWindow, ListsArePairedByEntryAndDeleteWritesTheFile)
{
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), {entry("b"), entry("A"), entry("C"), "<Tarnwell junk"});
    showMain(titled("Aa"));
    click(*form, "mnuFavoritesOpen");
    // Sorted ignoring case ("b" after "A"), numbered by entry; the other line is dropped.
    EXPECT_EQ(rows("List1"), QStringList({"A2", "b1", "C3"}));
    EXPECT_EQ(rows("List2"), QStringList({"b description1", "A description2", "C description3"}));
    EXPECT_FALSE(deleteEnabled() || control<QLabel>("frmOpen", "Label1")->isVisible());
    // Rows picked in one list, and the row of the same entry in the other.
    const struct {
        const char *from, *to;
        int row, paired;
    } pairs[] = {{"List1", "List2", 0, 1}, {"List2", "List1", 0, 1}, {"List2", "List1", 2, 2}};
    for (const auto& p : pairs) {
        list(p.from)->setCurrentRow(p.row);
        EXPECT_EQ(list(p.to)->currentRow(), p.paired) << p.from << p.row;
        EXPECT_TRUE(list(p.to)->currentItem()->isSelected() && deleteEnabled());
    }
    list("List1")->clearSelection();
    EXPECT_FALSE(deleteEnabled() || !list("List2")->selectedItems().isEmpty());
    list("List1")->setCurrentRow(0);
    for (const char* name : {"List1", "List2"})
        list(name)->setMaximumHeight(40); // too low for three rows: the lists scroll
    settle();
    for (int top : {1, 0}) { // List2 scrolled down, then List1 back up
        list(top ? "List2" : "List1")->verticalScrollBar()->setValue(top);
        EXPECT_EQ(list(top ? "List1" : "List2")->verticalScrollBar()->value(), top);
    }
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
    const QString station = TwoShiftSchedule()->xml(),
                  broken = "<Schedule Title=\"Broken\"><Shift>";
    // List1 shows A3, b2, Broken5, C4, Harbor Station1; the last message says why.
    const struct {
        bool locked, wizard, changed;
        Save save;
        int row;
        const char* shown;
        size_t messages;
        const char* last;
    } cases[] = {{false, false, false, None, 0, "A", 0, ""},
                 {true, false, false, None, 0, "Harbor Station", 1, "Access Denied"},
                 {false, true, false, None, 0, "Harbor Station", 1, "wizard is open"},
                 {false, false, true, CloseBox, 0, "Harbor Station", 0, ""},
                 {false, false, true, LetGo, 0, "A", 0, ""},
                 // The missing Initials and Description are told, then the cut-short shift.
                 {false, false, false, None, 2, "Harbor Station", 3, "frmOpen"},
                 // The overwrite moves A from entry 3 to 2: OK still takes A (file below).
                 {false, false, true, ToList, 0, "A", 1, "Schedule Exists, Overwrite?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.locked << c.wizard << c.changed << c.save << c.row);
        TearDown();
        fx.messages->shown.clear();
        EnsureAppFolder();
        WriteScheduleList(ScheduleListPath(),
                          {station, entry("b"), entry("A"), entry("C"), broken});
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
        list("List1")->setCurrentRow(c.row);
        press("frmOpen", "cmdOK");
        const bool loaded = c.shown == std::string("A");
        EXPECT_EQ(form->Schedule()->title(), QString::fromLatin1(c.shown));
        EXPECT_EQ(window("frmOpen") == nullptr, loaded);
        EXPECT_EQ(form->ShiftIndex(), loaded ? 1 : 2);
        EXPECT_EQ(form->DataChanged(), loaded || (c.changed && c.save == CloseBox));
        ASSERT_EQ(fx.messages->shown.size(), c.messages);
        if (c.messages) {
            EXPECT_TRUE((fx.messages->shown.back().title + fx.messages->shown.back().text)
                            .contains(QString::fromLatin1(c.last)));
        }
    }
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()),
              QStringList({entry("b"), entry("A"), entry("C"), broken, station}));
}

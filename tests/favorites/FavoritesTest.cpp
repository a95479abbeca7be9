// Adding to the schedule list, the Favorites window, and what the main window
// keeps when a write fails.
#include "wizard/WizardTestSupport.h"

#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"
#include "support/FileSizeLimit.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStringEncoder>

using FavoritesAdd = WizardTest;

TEST_F(FavoritesAdd, AMissingFolderIsMadeAndAnUnreadableListIsKept)
{
    showMain(OneShift(3, "123"));
    const QByteArray xml = form->Schedule()->xml().toUtf8();
    ASSERT_TRUE(QDir(fx.dataFolder()).removeRecursively());
    form->setDataChanged(true);
    answerSave(0);
    click(*form, "mnuFileSave");
    EXPECT_EQ(readBytes(ScheduleFilePath()), xml + "\r\n");

    ASSERT_TRUE(QDir(fx.dataFolder()).removeRecursively());
    form->setDataChanged(true);
    click(*form, "mnuFavoritesAdd");
    EXPECT_EQ(readBytes(ScheduleListPath()),
              "<Tarnwell_Schedules>\r\n" + xml + "\r\n</Tarnwell_Schedules>\r\n");
    EXPECT_FALSE(form->DataChanged());
    EXPECT_TRUE(fx.messages->shown.empty());

    // A folder in the list's place cannot be read by anyone, root included: it stays.
    ASSERT_TRUE(QFile::remove(ScheduleListPath()) && QDir().mkpath(ScheduleListPath()));
    form->setDataChanged(true);
    click(*form, "mnuFavoritesAdd");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_TRUE(
        fx.messages->shown[0].text.contains(ScheduleListPath() + " exists but cannot be read"));
    EXPECT_TRUE(form->DataChanged() && QFileInfo(ScheduleListPath()).isDir());

    // So is a list saved as UTF-16, which would read as one without entries:
    // said when the window opens, kept on Add.
    ASSERT_TRUE(QDir(ScheduleListPath()).removeRecursively());
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray saved = utf16(QString::fromUtf8("<Tarnwell_Schedules>\r\n" + xml + "\r\n" +
                                                     xml + "\r\n</Tarnwell_Schedules>\r\n"));
    writeBytes(ScheduleListPath(), saved);
    fx.messages->shown.clear();
    click(*form, "mnuFavoritesAdd");
    click(*form, "mnuFavoritesOpen");
    ASSERT_EQ(fx.messages->shown.size(), 2u);
    EXPECT_TRUE(
        fx.messages->shown[0].text.contains("cannot be read, so the schedule was not added"));
    EXPECT_TRUE(fx.messages->shown[1].text.contains("cannot be read, so its schedules cannot be"));
    EXPECT_EQ(readBytes(ScheduleListPath()), saved);

    // The user's schedule file likewise, on Save as My Schedule.
    const QByteArray mine = utf16(QString::fromUtf8(xml + "\r\n"));
    writeBytes(ScheduleFilePath(), mine);
    fx.messages->shown.clear();
    answerSave(0);
    click(*form, "mnuFileSave");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains(ScheduleFilePath() + " exists but cannot be"));
    EXPECT_EQ(readBytes(ScheduleFilePath()), mine);
    EXPECT_TRUE(form->DataChanged());
}

TEST_F(FavoritesAdd, TheDuplicateQuestion)
{
    showMain(OneShift(3, "123"));
    const QString other = TwoShiftSchedule()->xml();
    const QString old = OneShift(2, "12")->xml(); // same title and description, older content
    const QString mine = form->Schedule()->xml();
    const struct {
        int answer;
        QStringList after;
        bool dataChanged;
    } rows[] = {{Msg::Yes, {other, mine}, false}, // overwrites and moves it last
                {Msg::No, {old, other, mine}, false},
                {Msg::Cancel, {old, other}, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.answer);
        EnsureAppFolder();
        WriteScheduleList(ScheduleListPath(), {old, other});
        fx.messages->shown.clear();
        fx.messages->answers = {r.answer};
        form->setDataChanged(true);
        click(*form, "mnuFavoritesAdd");
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->shown[0].buttons, Msg::YesNoCancel);
        EXPECT_EQ(ReadScheduleList(ScheduleListPath()), r.after);
        EXPECT_EQ(form->DataChanged(), r.dataChanged);
    }
    // Closing with a cancelled addition leaves the changes marked for the next start.
    fx.messages->shown.clear();
    form->setDataChanged(true);
    fx.messages->answers = {Msg::Cancel};
    answerSave(1);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("True"));
    form.reset();
}

TEST_F(FavoritesAdd, FailedWritesKeepTheOldFilesAndTheChanges)
{
    showMain(OneShift(3, "123"));
    EnsureAppFolder();
    const QByteArray oldSchedule = TwoShiftSchedule()->xml().toUtf8() + "\r\n";
    writeScheduleFile(oldSchedule);
    WriteScheduleList(ScheduleListPath(), {TwoShiftSchedule()->xml()});
    const QByteArray oldList = readBytes(ScheduleListPath());
    // How a write fails is the storage tests' business: here, what the window keeps.
    auto full = std::make_unique<FileSizeLimit>(10);
    for (int option : {0, 1}) {
        fx.messages->shown.clear();
        form->setDataChanged(true);
        answerSave(option);
        click(*form, "mnuFileSave");
        ASSERT_EQ(fx.messages->shown.size(), 1u) << option;
        const QString path = option == 0 ? ScheduleFilePath() : ScheduleListPath();
        EXPECT_TRUE(fx.messages->shown[0].text.contains(path)) << option;
        EXPECT_TRUE(form->DataChanged()) << option;
    }
    EXPECT_EQ(readBytes(ScheduleFilePath()), oldSchedule);
    EXPECT_EQ(readBytes(ScheduleListPath()), oldList);

    // Closing: the failed save keeps the window open; a later good one lets it close.
    fx.messages->shown.clear();
    answerSave(0);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible() && fx.messages->shown.size() == 1u);
    full.reset();
    answerSave(0);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readBytes(ScheduleFilePath()), form->Schedule()->xml().toUtf8() + "\r\n");
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("False"));
    form.reset();
}

class FavoritesWindow : public WizardTest {
protected:
    static std::shared_ptr<clsSchedule> titled(const char* title)
    {
        return MakeSchedule(QString::fromLatin1(title),
                            {{"S", "SI", "D", "12", {{"A", "A", 255}}}});
    }
    static QString entry(const char* title) { return titled(title)->xml(); }
    static QAbstractItemView* list(const char* name)
    {
        return control<QAbstractItemView>("frmOpen", name);
    }
    static QStringList rows(const char* name)
    {
        const QAbstractItemModel* m = list(name)->model();
        QStringList texts;
        for (int r = 0; r < m->rowCount(); ++r)
            texts << m->index(r, 0).data().toString();
        return texts;
    }
    // A click on the row, as the list takes it.
    static void pick(const char* name, int row)
    {
        list(name)->setCurrentIndex(list(name)->model()->index(row, 0));
    }
    static bool selected(const char* name, int row)
    {
        return list(name)->selectionModel()->isSelected(list(name)->model()->index(row, 0));
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
    // Rows picked in one list, and the row of the same entry in the other.
    const struct {
        const char *from, *to;
        int row, paired;
    } pairs[] = {{"List1", "List2", 0, 1}, {"List2", "List1", 0, 1}, {"List2", "List1", 2, 2}};
    for (const auto& p : pairs) {
        pick(p.from, p.row);
        EXPECT_EQ(list(p.to)->currentIndex().row(), p.paired) << p.from << p.row;
        EXPECT_TRUE(selected(p.to, p.paired));
    }
    list("List1")->clearSelection();
    EXPECT_TRUE(list("List2")->selectionModel()->selectedIndexes().isEmpty());
    pick("List1", 0);
    press("frmOpen", "cmdDelete");
    EXPECT_EQ(rows("List1"), QStringList({"b1", "C2"}));
    EXPECT_EQ(rows("List2"), QStringList({"b description1", "C description2"}));
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), QStringList({entry("b"), entry("C")}));
    // An addition with the window open refreshes it and leaves it open.
    click(*form, "mnuFavoritesAdd");
    EXPECT_EQ(rows("List1"), QStringList({"Aa3", "b1", "C2"}));
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
        form->Session().setLocked(c.locked);
        if (c.wizard)
            click(*form, "mnuFileCreateSchedule");
        form->setDataChanged(c.changed);
        if (c.save == CloseBox)
            onNextModal([](QWidget* w) { w->close(); });
        else if (c.save != None)
            answerSave(c.save == ToList ? 1 : 2);
        fx.messages->answers = {Msg::Yes};
        click(*form, "mnuFavoritesOpen");
        pick("List1", c.row);
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

TEST_F(FavoritesWindow, TitlesSortIgnoringCaseAfterEveryChange)
{
    // Special foldings, letters beyond 16 bits, "x1" + 2 reading as "X" + 12,
    // and "a1" + 9 after "a" + 10 until both move up.
    const QStringList titles = QString::fromUtf8("b x1 \u00df SS ss Stra\u00dfe \u03a3 \u03c3 a1 "
                                                 "a i X I \u0131 \U00010428 \U00010400 \u03c2 "
                                                 "\u0130 Ab aB A")
                                   .split(' ');
    QStringList lines;
    for (const QString& t : titles)
        lines << titled(t.toUtf8().constData())->xml();
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), lines);
    showMain(titled("Ss"));
    click(*form, "mnuFavoritesOpen");
    const QStringList sorted = rows("List1");
    ASSERT_EQ(sorted.size(), titles.size());
    for (int r = 1; r < sorted.size(); ++r)
        EXPECT_LE(sorted[r - 1].compare(sorted[r], Qt::CaseInsensitive), 0) << r;
    // Rows that read the same keep the entries' order.
    EXPECT_EQ(sorted.indexOf("x12") + 1, sorted.indexOf("X12"));
    EXPECT_LT(sorted.indexOf("a10"), sorted.indexOf("a19"));

    // After each change the window shows what it shows when opened anew.
    auto reopened = [&] {
        window("frmOpen")->close();
        settle();
        click(*form, "mnuFavoritesOpen");
        return rows("List1");
    };
    click(*form, "mnuFavoritesAdd");
    const QStringList added = rows("List1");
    EXPECT_TRUE(added.contains("Ss22"));
    EXPECT_EQ(added, reopened());
    pick("List2", 0);
    press("frmOpen", "cmdDelete");
    const QStringList deleted = rows("List1");
    EXPECT_LT(deleted.indexOf("a18"), deleted.indexOf("a9"));
    EXPECT_EQ(deleted, reopened());
}

TEST_F(FavoritesWindow, ALongListKeepsItsPairsItsPlaceAndItsWidestRow)
{
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << titled(QStringLiteral("T%1").arg(i, 3, 10, QLatin1Char('0')).toUtf8())->xml();
    const QString wide(120, QLatin1Char('W'));
    lines[150] = titled(wide.toUtf8())->xml();
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), lines);
    showMain(titled("Zed"));
    click(*form, "mnuFavoritesOpen");
    QAbstractItemView *titles = list("List1"), *descriptions = list("List2");
    // The row far down the list can still be scrolled into view in full.
    for (QAbstractItemView* v : {titles, descriptions}) {
        EXPECT_GE(v->horizontalScrollBar()->maximum() + v->viewport()->width(),
                  v->fontMetrics().horizontalAdvance(wide))
            << v->objectName().toStdString();
    }

    // Typing and arrows in one list move the other along.
    titles->setFocus();
    for (const char* key : {"t", "1", "2"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QApplication::sendEvent(titles, &press);
    }
    EXPECT_EQ(titles->currentIndex().data().toString(), "T120121");
    EXPECT_EQ(descriptions->currentIndex().row(), 120);
    const struct {
        QAbstractItemView* view;
        Qt::Key key;
        const char *title, *description;
    } keys[] = {{titles, Qt::Key_Down, "T121122", "T121 description122"},
                {descriptions, Qt::Key_End, "T299300", "T299 description300"},
                {descriptions, Qt::Key_Home, "T0001", "T000 description1"}};
    for (const auto& k : keys) {
        QKeyEvent press(QEvent::KeyPress, k.key, Qt::NoModifier);
        QApplication::sendEvent(k.view, &press);
        EXPECT_EQ(titles->currentIndex().data().toString(), k.title);
        EXPECT_EQ(descriptions->currentIndex().data().toString(), k.description);
    }

    // Delete far down: that entry leaves the file, both lists stay where they were
    // with nothing selected.
    titles->verticalScrollBar()->setValue(200);
    pick("List1", 205);
    const int entry = descriptions->currentIndex().row() + 1;
    press("frmOpen", "cmdDelete");
    QStringList left = lines;
    left.removeAt(entry - 1);
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), left);
    for (QAbstractItemView* v : {titles, descriptions}) {
        EXPECT_EQ(v->model()->rowCount(), 299);
        EXPECT_EQ(v->verticalScrollBar()->value(), 200) << v->objectName().toStdString();
        EXPECT_TRUE(v->selectionModel()->selectedIndexes().isEmpty());
    }
    EXPECT_FALSE(control<QPushButton>("frmOpen", "cmdDelete")->isEnabled());
}

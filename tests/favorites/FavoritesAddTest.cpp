// Adding schedules to the list file: the duplicate question, and what a
// list that cannot be read or written keeps.
#include "wizard/WizardTestSupport.h"

#include "favorites/frmOpen.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"
#include "support/FailingSaveFile.h"

#include <QFile>

using FavoritesAdd = WizardTest;

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(FavoritesAdd, AddingToAMissingListCreatesItWithThreeLines)
{
    showMain(OneShift(3, "123"));
    QDir(fx.dataFolder()).removeRecursively(); // the folder is made again when needed
    form->setDataChanged(true);
    click(*form, "mnuFavoritesAdd");
    EXPECT_EQ(fileBytes(ScheduleListPath()), "<Tarnwell_Schedules>\r\n" +
                                                 form->Schedule()->xml().toUtf8() +
                                                 "\r\n</Tarnwell_Schedules>\r\n");
    EXPECT_FALSE(form->DataChanged());
    EXPECT_TRUE(fx.messages->shown.empty());
    settle();
    EXPECT_TRUE(form->findChildren<frmOpen*>().isEmpty()); // unloaded after adding
}

TEST_F(FavoritesAdd, TheDuplicateQuestion)
{
    showMain(OneShift(3, "123"));
    const QString other = TwoShiftSchedule()->xml();
    const QString old = OneShift(2, "12")->xml(); // same title and description, older content
    struct Row {
        const char* name;
        int answer;
        QStringList after;
        bool dataChanged;
    };
    const QString mine = form->Schedule()->xml();
    const Row rows[] = {
        {"Yes overwrites and moves it last", Msg::Yes, {other, mine}, false},
        {"No keeps both", Msg::No, {old, other, mine}, false},
        {"Cancel adds nothing and keeps the changes unsaved", Msg::Cancel, {old, other}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EnsureAppFolder();
        WriteScheduleList(ScheduleListPath(), {old, other});
        fx.messages->shown.clear();
        fx.messages->answers = {r.answer};
        form->setDataChanged(true);
        click(*form, "mnuFavoritesAdd");
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(
            fx.messages->shown[0].text,
            QStringLiteral("A schedule with this name already exists.\r\nYes to overwrite, No "
                           "to add to file, Cancel to skip."));
        EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Schedule Exists, Overwrite?"));
        EXPECT_EQ(fx.messages->shown[0].buttons, Msg::YesNoCancel);
        EXPECT_EQ(fx.messages->shown[0].icon, Msg::Question);
        EXPECT_EQ(ReadScheduleList(ScheduleListPath()), r.after);
        EXPECT_EQ(form->DataChanged(), r.dataChanged);
    }
    // Another description is another schedule: no question.
    form->Schedule()->setDescription(QStringLiteral("Another"));
    fx.messages->shown.clear();
    click(*form, "mnuFavoritesAdd");
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()).size(), 3);
}

TEST_F(FavoritesAdd, AListThatCannotBeReadIsNeverReplaced)
{
    showMain(OneShift(3, "123"));
    EnsureAppFolder();
    // A folder in the file's place cannot be read by anyone, root included.
    ASSERT_TRUE(QDir().mkpath(ScheduleListPath()));
    form->setDataChanged(true);
    click(*form, "mnuFavoritesAdd");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains(ScheduleListPath()));
    EXPECT_TRUE(fx.messages->shown[0].text.contains("cannot be read"));
    EXPECT_TRUE(form->DataChanged());
}

TEST_F(FavoritesAdd, FailedWritesKeepTheOldFilesAndTheChanges)
{
    showMain(OneShift(3, "123"));
    EnsureAppFolder();
    const QByteArray oldSchedule = TwoShiftSchedule()->xml().toUtf8() + "\r\n";
    writeScheduleFile(oldSchedule);
    WriteScheduleList(ScheduleListPath(), {TwoShiftSchedule()->xml()});
    const QByteArray oldList = fileBytes(ScheduleListPath());
    for (const qint64 room : {0, 10, 100}) {
        SCOPED_TRACE(room);
        SetSaveFileMaker([room](const QString& path) {
            return std::make_unique<FailingSaveFile>(path, room, false);
        });
        for (int option : {0, 1}) {
            fx.messages->shown.clear();
            form->setDataChanged(true);
            onNextModal([option](QWidget* w) {
                w->findChild<QRadioButton*>(QStringLiteral("OptSave_%1").arg(option))->click();
                w->findChild<QPushButton*>("cmdOK")->click();
            });
            click(*form, "mnuFileSave");
            ASSERT_EQ(fx.messages->shown.size(), 1u) << option;
            const QString path = option == 0 ? ScheduleFilePath() : ScheduleListPath();
            EXPECT_TRUE(fx.messages->shown[0].text.contains(path)) << option;
            EXPECT_TRUE(form->DataChanged()) << option;
        }
        EXPECT_EQ(fileBytes(ScheduleFilePath()), oldSchedule);
        EXPECT_EQ(fileBytes(ScheduleListPath()), oldList);
    }

    // Closing: the failed save keeps the window open; a later good one lets it close.
    fx.messages->shown.clear();
    onNextModal([](QWidget* w) {
        w->findChild<QRadioButton*>("OptSave_0")->click();
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(fx.messages->shown.size(), 1u);
    SetSaveFileMaker(nullptr);
    onNextModal([](QWidget* w) {
        w->findChild<QRadioButton*>("OptSave_0")->click();
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    EXPECT_TRUE(form->close());
    EXPECT_EQ(fileBytes(ScheduleFilePath()), form->Schedule()->xml().toUtf8() + "\r\n");
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("False"));
    form.reset();
}

TEST_F(FavoritesAdd, ClosingAfterACancelledAdditionWarnsAtTheNextStart)
{
    showMain(OneShift(3, "123"));
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), {form->Schedule()->xml()});
    form->setDataChanged(true);
    fx.messages->answers = {Msg::Cancel};
    onNextModal([](QWidget* w) { w->findChild<QPushButton*>("cmdOK")->click(); }); // to the list
    EXPECT_TRUE(form->close());
    EXPECT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("True"));
    form.reset();
}

TEST_F(FavoritesAdd, DoNotSaveLetsTheChangesGo)
{
    showMain(OneShift(3, "123"));
    form->setDataChanged(true);
    onNextModal([](QWidget* w) {
        w->findChild<QRadioButton*>("OptSave_2")->click();
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    click(*form, "mnuFileSave");
    EXPECT_FALSE(form->DataChanged());
    EXPECT_FALSE(QFile::exists(ScheduleFilePath()));
    EXPECT_FALSE(QFile::exists(ScheduleListPath()));
    EXPECT_EQ(form->Schedule()->title(), QStringLiteral("Station")); // still on display
}

TEST_F(FavoritesAdd, SavingAsMyScheduleMakesAMissingDataFolder)
{
    showMain(OneShift(3, "123"));
    ASSERT_TRUE(QDir(fx.dataFolder()).removeRecursively());
    form->setDataChanged(true);
    onNextModal([](QWidget* w) {
        w->findChild<QRadioButton*>("OptSave_0")->click();
        w->findChild<QPushButton*>("cmdOK")->click();
    });
    click(*form, "mnuFileSave");
    EXPECT_EQ(fileBytes(ScheduleFilePath()), form->Schedule()->xml().toUtf8() + "\r\n");
    EXPECT_FALSE(form->DataChanged());
    EXPECT_TRUE(fx.messages->shown.empty());
}

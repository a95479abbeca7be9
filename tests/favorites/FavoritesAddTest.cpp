#include "wizard/WizardTestSupport.h"

#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"
#include "support/FailingSaveFile.h"

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
    EXPECT_TRUE(fx.messages->shown[0].text.contains(ScheduleListPath()));
    EXPECT_TRUE(fx.messages->shown[0].text.contains("cannot be read"));
    EXPECT_TRUE(form->DataChanged() && QFileInfo(ScheduleListPath()).isDir());
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
        EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Schedule Exists, Overwrite?"));
        EXPECT_EQ(fx.messages->shown[0].buttons, Msg::YesNoCancel);
        EXPECT_EQ(ReadScheduleList(ScheduleListPath()), r.after);
        EXPECT_EQ(form->DataChanged(), r.dataChanged);
    }
    // Another description is another schedule: no question.
    form->Schedule()->setDescription(QStringLiteral("Another"));
    fx.messages->shown.clear();
    click(*form, "mnuFavoritesAdd");
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(ReadScheduleList(ScheduleListPath())->size(), 3);

    // Closing with a cancelled addition leaves the changes marked for the next start.
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
    // Do Not Save lets the changes go and writes nothing.
    form->setDataChanged(true);
    answerSave(2);
    click(*form, "mnuFileSave");
    EXPECT_FALSE(form->DataChanged());
    // How a write fails is the storage tests' business: here, what the window keeps.
    SetSaveFileMaker(
        [](const QString& path) { return std::make_unique<FailingSaveFile>(path, 10, false); });
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
    SetSaveFileMaker(nullptr);
    answerSave(0);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readBytes(ScheduleFilePath()), form->Schedule()->xml().toUtf8() + "\r\n");
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("False"));
    form.reset();
}

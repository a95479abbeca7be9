// Start, settings, closing, the tray, the clock and the commands of the main window.
#include "MainWindowTestSupport.h"
#include "mainwindow/Module1.h"
#include "mainwindow/frmAbout.h"
#include "platform/widgets/OleColor.h"

#include <QLabel>
#include <QLockFile>

namespace {
const QString kNoSchedule =
    QStringLiteral("User schedule has not been defined\r\nCalendar will display default schedule");
}

TEST_F(MainWindowTest, FirstStartUsesDefaultsAndSaysNothing)
{
    auto f = makeForm();
    showCalendar(*f);
    EXPECT_TRUE(fx.messages->shown.empty()) << fx.messages->texts().join('|').toStdString();
    EXPECT_TRUE(f->Shown());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Tarnwell Free"));
    EXPECT_EQ(f->Backcolor(1), OleColor::WindowBackground);
    EXPECT_EQ(f->Backcolor(2), OleColor::WindowBackground);
    EXPECT_FALSE(f->TrayCapable());
    EXPECT_FALSE(f->MenuAction("mnuFileHideInTray")->isVisible());
    EXPECT_FALSE(f->MenuAction("mnuDebug")->isVisible());
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Tolvar Fire Department"));
    ctlMonth* m = f->MonthControl();
    EXPECT_TRUE(m->ShowButtons());
    EXPECT_TRUE(m->ShowFullGrid());
    EXPECT_TRUE(m->FontBold());
    EXPECT_FALSE(m->ShowWeekends());
    EXPECT_FALSE(m->FitRows());
    EXPECT_EQ(m->FirstWeekday(), 0);
}

TEST_F(MainWindowTest, FlagsSurviveUnloadAndLoad)
{
    // Today's bit (32) is written from the control but never applied on reading.
    struct Row {
        int32_t stored;
    };
    for (const Row r :
         {Row{184}, Row{0}, Row{1 + 8 + 64 + 256}, Row{2 + 16 + 128}, Row{7 + 8 + 32}}) {
        SCOPED_TRACE(r.stored);
        putSetting("Settings", "Flags", QString::number(r.stored));
        auto f = makeForm();
        ctlMonth* m = f->MonthControl();
        EXPECT_TRUE(m->ShowToday());
        EXPECT_EQ(m->FirstWeekday(), r.stored & 7);
        EXPECT_EQ(m->ShowButtons(), (r.stored & 8) != 0);
        EXPECT_EQ(m->ShowFullGrid(), (r.stored & 16) != 0);
        EXPECT_EQ(m->ShowWeekends(), (r.stored & 64) != 0);
        EXPECT_EQ(m->FontBold(), (r.stored & 128) != 0);
        EXPECT_EQ(m->FitRows(), (r.stored & 256) != 0);
        f->close();
        EXPECT_EQ(storedSetting("Settings", "Flags"), QString::number(r.stored | 32));
    }
    EXPECT_TRUE(fx.messages->shown.empty()) << fx.messages->texts().join('|').toStdString();
}

TEST_F(MainWindowTest, UnloadWritesEveryKeyAsText)
{
    putSetting("Settings", "Backcolor2", "12345");
    auto f = makeForm();
    int unloaded = 0;
    QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
    f->setDataChanged(true);
    f->close();
    EXPECT_EQ(unloaded, 1);
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("True"));
    EXPECT_EQ(storedSetting("Settings", "Backcolor1"), QStringLiteral("-2147483643"));
    EXPECT_EQ(storedSetting("Settings", "Backcolor2"), QStringLiteral("12345"));
    EXPECT_EQ(storedSetting("Settings", "HideInTray"), QStringLiteral("False"));
    EXPECT_EQ(storedSetting("Long", "LockSchedule"), QStringLiteral("False"));
    EXPECT_EQ(storedSetting("Settings", "SpecialPeriodChecked"), QStringLiteral("False"));
}

TEST_F(MainWindowTest, PositionIsRestoredAndOnlyANormalWindowIsSaved)
{
    const double t = TwipsPerPixelX();
    {
        auto f = makeForm();
        f->move(40, 30);
        f->resize(500, 420);
        f->close();
    }
    EXPECT_DOUBLE_EQ(storedSetting("Settings", "frmCal_Left").toDouble(), 40 * t);
    EXPECT_DOUBLE_EQ(storedSetting("Settings", "frmCal_Width").toDouble(), 500 * t);
    {
        auto f = makeForm();
        EXPECT_EQ(f->pos(), QPoint(40, 30));
        EXPECT_EQ(f->size(), QSize(500, 420));
        f->resize(700, 650);
        f->setWindowState(Qt::WindowMaximized);
        f->close();
    }
    // Closed maximised: the last normal position stays.
    EXPECT_DOUBLE_EQ(storedSetting("Settings", "frmCal_Width").toDouble(), 500 * t);
    EXPECT_DOUBLE_EQ(storedSetting("Settings", "frmCal_Height").toDouble(), 420 * TwipsPerPixelY());
}

TEST_F(MainWindowTest, CorruptSettingsAreReportedAndTheWindowKeepsDefaults)
{
    struct Row {
        const char* section;
        const char* key;
        const char* message;
    };
    const Row rows[] = {
        {"Settings", "Flags",
         "Error 13 (Type mismatch) in line 8 in procedure Form_Load of Form frmCal"},
        {"Settings", "frmCal_Top",
         "Error 13 (Type mismatch) in line 10 in procedure Form_Load of Form frmCal"},
        {"Long", "LockSchedule",
         "Error 13 (Type mismatch) in line 4 in procedure Form_Load of Form frmCal"},
        {"Schedule", "DataChanged",
         "Error 13 (Type mismatch) in line 2 in procedure ctlMonth1_Show of Form frmCal"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.key);
        ScopedFakeServices local;
        services().dialogs = dialogs;
        services().tray = tray;
        local.settingsStore->SaveSetting(r.section, r.key, QStringLiteral("abc"));
        auto f = std::make_unique<frmCal>();
        showCalendar(*f);
        ASSERT_EQ(local.messages->texts(), QStringList{QString::fromLatin1(r.message)});
        // The rest of the start went on: the schedule is on the calendar.
        EXPECT_EQ(f->CurrentTitle(), QStringLiteral("Tolvar Fire Department"));
        EXPECT_EQ(cell(*f, 10)->LeftCaption().size(), 1);
    }
}

TEST_F(MainWindowTest, LoadScheduleMessagesAndDataChanged)
{
    auto f = makeForm();
    EXPECT_TRUE(fx.messages->shown.empty()); // no file at start: no message
    showCalendar(*f);
    click(*f, "mnuFileLoadMySchedule");
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->shown[0].text, kNoSchedule);
    EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Tarnwell Free"));
    fx.messages->shown.clear();

    struct Row {
        const char* name;
        QByteArray content;
        const char* title;
        const char* message;
    };
    const QByteArray good = TwoShiftSchedule()->xml().toUtf8();
    const Row rows[] = {
        {"accepted, later lines ignored", good + "\r\n<Schedule Title=\"x\"></Schedule>\r\n",
         "Harbor Station", nullptr},
        {"leading blank rejected", " " + good + "\r\n", "Harbor Station", nullptr},
        {"empty file", "", "Harbor Station", nullptr},
        {"bad colour",
         "<Schedule Title=\"Bad\" Initials=\"B\" Description=\"d\"><Shift Title=\"s\" "
         "Initials=\"s\" Description=\"s\" Sequence=\"1\"><Platoon Description=\"p\" "
         "Code=\"P\" Color=\"zz\"/></Shift></Schedule>\r\n",
         "Harbor Station", "Error 13 (Type mismatch) in procedure LoadSchedule of Form frmCal"},
        {"no shifts",
         "<Schedule Title=\"Empty\" Initials=\"E\" Description=\"none\"></Schedule>\r\n", "Empty",
         nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        writeScheduleFile(r.content);
        f->setDataChanged(true);
        click(*f, "mnuFileLoadMySchedule");
        EXPECT_EQ(f->Schedule()->title(), QString::fromLatin1(r.title));
        if (r.message) {
            EXPECT_EQ(fx.messages->texts(), QStringList{QString::fromLatin1(r.message)});
            EXPECT_TRUE(f->DataChanged()); // the failed read is not a save
        } else {
            EXPECT_TRUE(fx.messages->shown.empty()) << fx.messages->texts().join('|').toStdString();
            EXPECT_FALSE(f->DataChanged());
        }
        fx.messages->shown.clear();
    }
    // The schedule without shifts shows days without platoons and no view entries.
    EXPECT_FALSE(f->MenuAction("mnuviewSchedulePick_1")->isVisible());
    EXPECT_EQ(cell(*f, 10)->ToolTipText().trimmed(), QStringLiteral("Platoon"));
}

TEST_F(MainWindowTest, UserScheduleIsShownFromTheStart)
{
    writeScheduleFile(TwoShiftSchedule()->xml().toUtf8() + "\r\n");
    auto f = makeForm();
    showCalendar(*f);
    EXPECT_EQ(f->CurrentTitle(), QStringLiteral("Day Shift"));
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(MainWindowTest, UnsavedChangesOfTheLastRunAreAnnouncedAtFirstShow)
{
    putSetting("Schedule", "DataChanged", "True");
    auto f = makeForm();
    EXPECT_TRUE(fx.messages->shown.empty());
    showCalendar(*f);
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    const ShownMessage& m = fx.messages->shown[0];
    EXPECT_EQ(m.text, QStringLiteral("Schedule has been changed!\r\n\r\nVerify accuracy."));
    EXPECT_EQ(m.icon, Msg::Exclamation);
    EXPECT_EQ(m.title, QStringLiteral("Schedule Changed"));
    // Shown again (back from the tray, say): the news is not repeated.
    f->hide();
    showCalendar(*f);
    EXPECT_EQ(fx.messages->shown.size(), 1u);
}

TEST_F(MainWindowTest, LockGuardsTheThreeChangingCommandsOnly)
{
    putSetting("Long", "LockSchedule", "True");
    auto f = makeForm();
    ASSERT_TRUE(f->MenuAction("mnuFileLockSchedule")->isChecked());
    for (const char* guarded :
         {"mnuFileCreateSchedule", "mnuFileConfigureRecurringPeriod", "mnuFileChangeInfo"}) {
        SCOPED_TRACE(guarded);
        fx.messages->shown.clear();
        click(*f, guarded);
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->shown[0].text, QStringLiteral("Schedule is Locked"));
        EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Access Denied"));
        EXPECT_EQ(fx.messages->shown[0].icon, Msg::Critical);
    }
    fx.messages->shown.clear();
    for (const char* free :
         {"mnuFileSave", "mnuFilePrintPreview", "mnuFavoritesAdd", "mnuviewSchedulePick_1"})
        click(*f, free);
    EXPECT_TRUE(fx.messages->shown.empty());
    // Without a log-in the lock stays as it is.
    click(*f, "mnuFileLockSchedule");
    EXPECT_TRUE(f->MenuAction("mnuFileLockSchedule")->isChecked());
}

TEST_F(MainWindowTest, BackcolorComesFromTheDialogAndCancelChangesNothing)
{
    auto f = makeForm();
    dialogs->colorAnswer = 0x00FFEE;
    click(*f, "mnuViewBackcolor");
    ASSERT_EQ(dialogs->colorRequests.size(), 1u);
    EXPECT_EQ(dialogs->colorRequests[0], OleColor::WindowBackground);
    EXPECT_EQ(f->Backcolor(1), 0x00FFEE);
    EXPECT_EQ(f->MonthControl()->BackColor(), 0x00FFEE);
    EXPECT_EQ(f->Pane("picTitle")->BackColor(), 0x00FFEE);
    dialogs->cancelColor = true;
    click(*f, "mnuViewBackcolor");
    EXPECT_EQ(dialogs->colorRequests.back(), 0x00FFEE);
    EXPECT_EQ(f->Backcolor(1), 0x00FFEE);
    EXPECT_EQ(f->Backcolor(2), OleColor::WindowBackground);
    EXPECT_TRUE(fx.messages->shown.empty());
    f->close();
    EXPECT_EQ(storedSetting("Settings", "Backcolor1"), QString::number(0x00FFEE));
}

TEST_F(MainWindowTest, CloseBoxHidesInTrayAndExitEnds)
{
    tray->available = true;
    putSetting("Settings", "HideInTray", "True");
    auto f = makeForm();
    int unloaded = 0;
    QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
    ASSERT_TRUE(f->TrayCapable());
    ASSERT_TRUE(f->MenuAction("mnuFileHideInTray")->isChecked());
    f->show();
    f->CloseFromCloseBox();
    EXPECT_TRUE(f->InTray());
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(unloaded, 0);
    EXPECT_EQ(tray->lastTip, QStringLiteral("Tarnwell"));
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

    tray->click(513); // left button down
    ASSERT_EQ(tray->popups.size(), 1u);
    EXPECT_EQ(tray->popups[0], f->TrayMenu());
    click(*f, "mnuTrayShow");
    EXPECT_FALSE(f->InTray());
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(tray->shown);
    tray->click(516);
    EXPECT_EQ(tray->popups.size(), 1u); // not in the tray: no menu

    click(*f, "mnufileExit"); // by the program: never to the tray
    EXPECT_EQ(unloaded, 1);
    EXPECT_FALSE(f->InTray());
    EXPECT_EQ(storedSetting("Settings", "HideInTray"), QStringLiteral("True"));
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(MainWindowTest, ATrayGoneSinceStartUpClosesInsteadOfHiding)
{
    tray->available = true;
    putSetting("Settings", "HideInTray", "True");
    auto f = makeForm();
    int unloaded = 0;
    QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
    f->show();
    tray->available = false;
    f->CloseFromCloseBox();
    EXPECT_FALSE(f->InTray());
    EXPECT_EQ(tray->adds, 0);
    EXPECT_EQ(unloaded, 1);
}

TEST_F(MainWindowTest, ShiftIndexOutsideTheScheduleFallsBackToShiftOne)
{
    auto f = makeForm();
    for (int16_t index : {int16_t(2), int16_t(0), int16_t(3)}) {
        SCOPED_TRACE(index);
        f->setShiftIndex(index); // the default schedule has one shift
        EXPECT_EQ(f->ShiftIndex(), 1);
        EXPECT_TRUE(f->MenuAction("mnuviewSchedulePick_1")->isChecked());
        EXPECT_EQ(f->CurrentTitle(), QStringLiteral("Tolvar Fire Department"));
    }
}

TEST_F(MainWindowTest, WithoutATrayHideInTrayIsNotReadButWritten)
{
    putSetting("Settings", "HideInTray", "True");
    auto f = makeForm();
    EXPECT_FALSE(f->TrayCapable());
    EXPECT_FALSE(f->MenuAction("mnuFileHideInTray")->isChecked());
    EXPECT_FALSE(f->MenuAction("mnuFileHideInTray")->isVisible());
    f->CloseFromCloseBox();
    EXPECT_FALSE(f->InTray());
    EXPECT_EQ(tray->adds, 0);
    EXPECT_EQ(storedSetting("Settings", "HideInTray"), QStringLiteral("False"));
}

TEST_F(MainWindowTest, ClockShowsTheTimeTogglesAndStopsWhenMinimised)
{
    auto f = makeForm();
    QAction* time = f->MenuAction("mnuTime");
    EXPECT_EQ(time->text(), QStringLiteral("Time"));
    EXPECT_TRUE(f->ClockRunning());
    fx.clockFake->current = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9));
    f->Timer1_Timer();
    EXPECT_EQ(time->text(), QStringLiteral("21:05:09"));
    click(*f, "mnuTime");
    EXPECT_FALSE(f->ClockRunning());
    EXPECT_EQ(time->text(), QStringLiteral("Time"));
    fx.clockFake->current = QDateTime(QDate(2026, 12, 6), QTime(7, 0, 1));
    click(*f, "mnuTime");
    EXPECT_TRUE(f->ClockRunning());
    EXPECT_EQ(time->text(), QStringLiteral("07:00:01"));
    f->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(f->ClockRunning());
    f->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(f->ClockRunning());
}

TEST_F(MainWindowTest, HelpCommandsGoToTheShellAndAboutIsOneWindow)
{
    auto f = makeForm();
    click(*f, "mnuHelpOnlineHelp");
    click(*f, "mnuHelpEmailSupport");
    ASSERT_EQ(fx.shellFake->opened.size(), 2);
    EXPECT_TRUE(fx.shellFake->opened[0].endsWith(QStringLiteral("/help.html")));
    EXPECT_EQ(fx.shellFake->opened[1], QStringLiteral("mailto:support@tarnwell.example"));

    click(*f, "mnuHelpAbout");
    frmAbout* box = frmAbout::instance();
    ASSERT_NE(box, nullptr);
    click(*f, "mnuHelpAbout");
    EXPECT_EQ(frmAbout::instance(), box);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About Tarnwell Free"));
    EXPECT_EQ(box->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
    EXPECT_EQ(box->findChild<QLabel*>("lblDescription")->text(),
              QStringLiteral("Desktop Platoon Calendar"));
    f->close(); // closing the main window unloads the other windows
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmAbout::instance(), nullptr);
    EXPECT_EQ(frmAbout::VersionText(QStringLiteral("2.10.3")), QStringLiteral("Version 2.10.3"));
}

TEST_F(MainWindowTest, SecondInstanceCannotTakeTheLock)
{
    const QString path = fx.dir.path() + QStringLiteral("/instance.lock");
    QLockFile first(path);
    ASSERT_TRUE(AcquireSingleInstance(first));
    QLockFile second(path);
    EXPECT_FALSE(AcquireSingleInstance(second));
    first.unlock();
    EXPECT_TRUE(AcquireSingleInstance(second));
    EXPECT_TRUE(SingleInstanceLockPath().endsWith(QStringLiteral(".lock")));
}

TEST_F(MainWindowTest, WizardMenuGuardWaitsForTheLastStepWindow)
{
    auto f = makeForm();
    QAction* create = f->MenuAction("mnuFileCreateSchedule");
    QWidget platoons, onDuty;
    platoons.setObjectName(QStringLiteral("frmPlatoons"));
    onDuty.setObjectName(QStringLiteral("frmOnDuty"));
    platoons.show();
    onDuty.show();
    create->setEnabled(false);
    WizardMenuGuard(&platoons); // the on-duty step is still open
    EXPECT_FALSE(create->isEnabled());
    onDuty.hide();
    WizardMenuGuard(&platoons); // the last one closing
    EXPECT_TRUE(create->isEnabled());
}

TEST_F(MainWindowTest, SpecialPeriodSettingsAreReadAtLoad)
{
    struct Row {
        const char* checked;
        int32_t controlLength;
    };
    for (const Row r : {Row{"True", 7}, Row{"False", 0}}) {
        SCOPED_TRACE(r.checked);
        putSetting("Settings", "SpecialPeriodLength", "7");
        putSetting("Settings", "SpecialPeriodOffset", "2");
        putSetting("Settings", "SpecialPeriodName", "Pay Period");
        putSetting("Settings", "SpecialPeriodColor", "255");
        putSetting("Settings", "SpecialPeriodChecked", r.checked);
        auto f = makeForm();
        QAction* view = f->MenuAction("mnuViewSpecialPeriod");
        EXPECT_EQ(f->SpecialPeriodLength(), 7);
        EXPECT_EQ(f->SpecialPeriodOffset(), 2);
        EXPECT_EQ(f->SpecialPeriodName(), QStringLiteral("Pay Period"));
        EXPECT_EQ(f->SpecialPeriodColor(), 255);
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(view->text(), QStringLiteral("Pay Period"));
        EXPECT_EQ(view->isChecked(), QString::fromLatin1(r.checked) == "True");
        EXPECT_EQ(f->MonthControl()->SpecialPeriodLength(), r.controlLength);
        view->trigger(); // toggles the marks
        EXPECT_EQ(f->MonthControl()->SpecialPeriodLength(), 7 - r.controlLength);
        f->close();
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodChecked"),
                  QString::fromLatin1(r.controlLength ? "False" : "True"));
    }
    // A fresh installation: no period, the entry hidden.
    ScopedFakeServices fresh;
    frmCal f;
    EXPECT_FALSE(f.MenuAction("mnuViewSpecialPeriod")->isVisible());
    EXPECT_EQ(f.SpecialPeriodName(), QStringLiteral("Special Period"));
    EXPECT_EQ(f.SpecialPeriodColor(), OleColor::ButtonFace);
}

// Start, settings, closing, the tray and the commands of the main window.
#include "MainWindowTestSupport.h"
#include "mainwindow/FormPlacement.h"
#include "mainwindow/Module1.h"
#include "platform/widgets/OleColor.h"
#include "specialperiod/frmSpecialPeriod.h"
#include "support/DataFiles.h"
#include "support/ModalDialogs.h"
#include "users/frmUser.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TEST_F(MainWindowTest, FlagsSurviveUnloadAndLoad)
{
    // Today's bit (32) is written from the control but never applied on reading.
    const struct {
        int32_t stored;
        int weekday;
        bool buttons, fullGrid, weekends, bold, fitRows;
        int32_t written;
    } rows[] = {{184, 0, true, true, false, true, false, 184},
                {0, 0, false, false, false, false, false, 32},
                {329, 1, true, false, true, false, true, 361},
                {146, 2, false, true, false, true, false, 178},
                {47, 7, true, false, false, false, false, 47}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.stored);
        putSettings({"Settings/Flags=" + QString::number(r.stored)});
        auto f = makeForm();
        const ctlMonth* m = f->MonthControl();
        EXPECT_TRUE(m->ShowToday());
        EXPECT_EQ(std::make_tuple(m->FirstWeekday(), m->ShowButtons(), m->ShowFullGrid(),
                                  m->ShowWeekends(), m->FontBold(), m->FitRows()),
                  std::make_tuple(r.weekday, r.buttons, r.fullGrid, r.weekends, r.bold, r.fitRows));
        f->close();
        EXPECT_EQ(storedSetting("Settings", "Flags"), QString::number(r.written));
    }
    EXPECT_EQ(fx.messages->texts(), QStringList());
}

TEST_F(MainWindowTest, AFreshStartSaysNothingTakesABackcolorAndUnloadWritesEveryKeyAsText)
{
    putSettings({"Settings/Backcolor2=12345"});
    auto f = makeForm();
    showCalendar(*f);
    EXPECT_EQ(fx.messages->texts(), QStringList());
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Tolvar Fire Department"));
    EXPECT_FALSE(f->MenuAction("mnuDebug")->isVisible());
    EXPECT_FALSE(f->MenuAction("mnuViewSpecialPeriod")->isVisible()); // no period stored
    // The dialog is offered the colour in use; Cancel changes nothing.
    dialogs->colorAnswer = 0x00FFEE;
    click(*f, "mnuViewBackcolor");
    dialogs->cancelColor = true;
    click(*f, "mnuViewBackcolor");
    EXPECT_EQ(dialogs->colorRequests, std::vector<int32_t>({OleColor::WindowBackground, 0x00FFEE}));
    EXPECT_EQ(QList<int32_t>({f->MonthControl()->BackColor(), f->Pane("picTitle")->BackColor()}),
              QList<int32_t>(2, 0x00FFEE));
    int unloaded = 0;
    QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
    f->setDataChanged(true);
    // The save choice closed by its close box applies nothing: closing goes on.
    QString offered;
    onNextModal([&](QWidget* w) {
        offered = w->objectName();
        w->close();
    });
    f->close();
    EXPECT_EQ(offered, QStringLiteral("frmSave"));
    EXPECT_EQ(unloaded, 1);
    const QStringList want{"Schedule/DataChanged=True",          "Settings/Backcolor1=65518",
                           "Settings/Backcolor2=12345",          "Settings/Flags=184",
                           "Settings/HideInTray=False",          "Long/LockSchedule=False",
                           "Settings/SpecialPeriodChecked=False"};
    EXPECT_EQ(storedAs(want), want);
}

TEST_F(MainWindowTest, AnUnreadableSettingIsReportedOnceAndTheRestStaysAsStored)
{
    const struct {
        const char *section, *key;
        int line;
        const char* procedure;
    } rows[] = {{"Settings", "Flags", 8, "Form_Load"},
                {"Settings", "Backcolor1", 8, "Form_Load"},
                {"Settings", "SpecialPeriodLength", 5, "Form_Load"},
                {"Long", "LockSchedule", 4, "Form_Load"},
                {"Settings", "frmCal_Top", 10, "Form_Load"},
                {"Schedule", "DataChanged", 2, "ctlMonth1_Show"}};
    const QString told =
        QStringLiteral("Error 13 (Type mismatch) in line %1 in procedure %2 of Form frmCal");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        ScopedFakeUiServices local;
        services().dialogs = dialogs;
        services().tray = tray;
        local.settingsStore->SaveSetting(r.section, r.key, QStringLiteral("ten"));
        local.reopenSettings();
        auto f = std::make_unique<frmCal>();
        showCalendar(*f);
        ASSERT_EQ(local.messages->texts(), QStringList{told.arg(r.line).arg(r.procedure)});
        // The rest of the start went on: the schedule is on the calendar.
        EXPECT_EQ(cell(*f, 10)->LeftCaption().size(), 1);
        f->close();
        local.reopenSettings();
        // One bad key never changes another key's stored value.
        EXPECT_EQ(local.settingsStore->GetSetting("Settings", "Flags"), QStringLiteral("184"));
        auto again = std::make_unique<frmCal>();
        showCalendar(*again);
        EXPECT_EQ(local.messages->shown.size(), 1u) << "reported again at the next start";
    }
}

// Places in twips as stored; the offscreen screen is 800 x 600 pixels.
TEST_F(MainWindowTest, AStoredPlaceIsUsedOnlyOnScreenAndOnlyANormalOneIsSaved)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    auto storedPlace = [&] {
        return QRect(qRound(storedSetting("Settings", "frmCal_Left").toDouble() / tx),
                     qRound(storedSetting("Settings", "frmCal_Top").toDouble() / ty),
                     qRound(storedSetting("Settings", "frmCal_Width").toDouble() / tx),
                     qRound(storedSetting("Settings", "frmCal_Height").toDouble() / ty));
    };
    // From a larger monitor it is moved onto the screen (where to is FormPlacement's table);
    // on the screen it is used as stored. Either way only the place used is saved.
    for (const char* left : {"30000", "600"}) {
        SCOPED_TRACE(left);
        putSettings({QStringLiteral("Settings/frmCal_Left=") + left, "Settings/frmCal_Top=450",
                     "Settings/frmCal_Width=7500", "Settings/frmCal_Height=6300"});
        auto f = makeForm();
        const QRect place(f->pos(), f->size());
        EXPECT_TRUE(screen.contains(QRect(place.topLeft(), place.size() + kFrameAllowance)));
        f->close();
        EXPECT_EQ(storedPlace(), place);
    }
    EXPECT_EQ(storedPlace(), QRect(40, 30, 500, 420));
    // Closed maximised, or moved off the screen: the last usable place stays.
    for (auto spoil : {+[](frmCal& f) {
                           f.show();
                           f.setWindowState(Qt::WindowMaximized);
                           QApplication::processEvents();
                       },
                       +[](frmCal& f) { f.move(-5000, 40); }}) {
        const QRect before = storedPlace();
        auto f = makeForm();
        spoil(*f);
        f->close();
        EXPECT_EQ(storedPlace(), before);
    }
}

// The storage tests list the problems; these are the three ways the window meets them, at
// start and from the menu. Reading never writes: the file, or the folder, is as it was.
TEST_F(MainWindowTest, AnUnusableScheduleFileIsNamedAndOnlyAReadScheduleIsShown)
{
    const QString path = fx.dataFolder() + QStringLiteral("/myschedule.xml");
    const QString data = dataPath("mainwindow/data/");
    const QString unusable =
        QStringLiteral("Your schedule file could not be used:\r\n%1\r\n\r\n%2"
                       "\r\n\r\nThe file has not been changed. The calendar %3");
    // What the read met is told before the error that stopped it.
    const QStringList readerTold = dataLines("mainwindow/data/stopped_schedule.messages");
    const struct {
        const char* name;
        QByteArray content;  // null: a folder
        const char* problem; // null: the reader's messages
    } rows[] = {{"empty", QByteArray(""), "The file is empty."},
                {"a folder", QByteArray(), "It is a folder, not a file."},
                {"rejected by the reader", readBytes(data + "stopped_schedule.xml"), nullptr}};
    auto put = [&](const QByteArray& content) {
        QDir(path).removeRecursively();
        QFile::remove(path);
        QDir().mkpath(content.isNull() ? path : fx.dataFolder());
        if (!content.isNull())
            writeBytes(path, content);
    };
    auto untouched = [&](const QByteArray& content) {
        const QFileInfo info(path);
        return content.isNull() ? info.isDir() : info.isFile() && readBytes(path) == content;
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        put(r.content);
        fx.messages->shown.clear();
        auto f = makeForm();
        EXPECT_EQ(fx.messages->texts(),
                  r.problem ? QStringList{unusable.arg(path, r.problem,
                                                       "shows the built-in example schedule.")}
                            : readerTold);
        f->show();
        // The whole example: title, legend and description, not a half-refreshed display.
        EXPECT_EQ(f->Pane("picTitle")->Printed().at(0).text,
                  QStringLiteral("Tolvar Fire Department"));
        EXPECT_EQ(f->Pane("picDescription")->Printed().at(0).text, QStringLiteral("24-Hour Shift"));
        EXPECT_EQ(f->Pane("picPlatoons")->Printed().size(), 3u);
        EXPECT_FALSE(f->DataChanged());
        f->close();
        EXPECT_TRUE(untouched(r.content));
    }

    QFile::remove(path);
    fx.messages->shown.clear();
    auto f = makeForm();
    EXPECT_EQ(fx.messages->texts(), QStringList()); // no file at start: no message
    showCalendar(*f);
    click(*f, "mnuFileLoadMySchedule");
    EXPECT_EQ(fx.messages->shown.size(), 1u); // told the example stays
    put(TwoShiftSchedule()->xml().toUtf8() + "\r\n<Schedule Title=\"x\"></Schedule>\r\n");
    f->setDataChanged(true);
    fx.messages->shown.clear();
    click(*f, "mnuFileLoadMySchedule");
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Harbor Station")); // later lines ignored
    EXPECT_FALSE(f->DataChanged());
    EXPECT_TRUE(fx.messages->shown.empty());
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        put(r.content);
        f->setDataChanged(true); // unsaved changes on display stay unsaved
        fx.messages->shown.clear();
        click(*f, "mnuFileLoadMySchedule");
        EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Harbor Station"));
        EXPECT_TRUE(f->DataChanged());
        EXPECT_EQ(fx.messages->texts(),
                  r.problem
                      ? QStringList{unusable.arg(path, r.problem, "keeps the schedule on display.")}
                      : readerTold);
        EXPECT_TRUE(untouched(r.content));
    }

    // A schedule without shifts shows days without platoons and no view entries.
    put(readBytes(data + "no_shifts.xml"));
    click(*f, "mnuFileLoadMySchedule");
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Empty"));
    EXPECT_FALSE(f->MenuAction("mnuviewSchedulePick_1")->isVisible());
    EXPECT_EQ(cell(*f, 10)->ToolTipText().trimmed(), QStringLiteral("Platoon"));
}

// The real start: Main runs the event loop, and the box runs one of its own.
TEST_F(MainWindowTest, StartUpAfterUnsavedChangesWarnsOnceTheWindowIsUpAndGoesOn)
{
    putSettings({"Schedule/DataChanged=True"});
    bool windowUp = false;
    fx.messages->whileOpen = [&](const ShownMessage&) {
        frmCal* f = frmCal::Current();
        windowUp = f && f->isVisible() && f->MonthControl()->IsShown();
        if (f) // the user reads it, answers, and later closes the program
            QTimer::singleShot(20, f, [f] { f->close(); });
    };
    QTimer safety;
    safety.callOnTimeout([] {
        if (frmCal* f = frmCal::Current())
            f->close();
    });
    safety.start(5000);
    EXPECT_EQ(Main(*qApp), 0);
    EXPECT_EQ(fx.messages->texts(),
              QStringList{"Schedule has been changed!\r\n\r\nVerify accuracy."});
    EXPECT_TRUE(windowUp);
    // The run ended through the unload step: the next start says nothing.
    EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("False"));
}

TEST_F(MainWindowTest, LockGuardsTheThreeChangingCommandsOnly)
{
    putSettings({"Long/LockSchedule=True"});
    auto f = makeForm();
    f->show();
    ASSERT_TRUE(f->MenuAction("mnuFileLockSchedule")->isChecked());
    OnModal<frmSpecialPeriod> period([](frmSpecialPeriod&) {});
    for (const char* guarded :
         {"mnuFileCreateSchedule", "mnuFileConfigureRecurringPeriod", "mnuFileChangeInfo"}) {
        SCOPED_TRACE(guarded);
        click(*f, guarded);
        ASSERT_EQ(fx.messages->texts(), QStringList{"Schedule is Locked"});
        EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Access Denied"));
        EXPECT_EQ(fx.messages->shown[0].icon, Msg::Critical);
        fx.messages->shown.clear();
    }
    for (const char* free : {"mnuFilePrintPreview", "mnuFavoritesAdd", "mnuviewSchedulePick_1"})
        click(*f, free);
    // The user box needs no log-in.
    OnModal<frmUser> user([](frmUser& d) { child<QPushButton>(d, "cmdExit")->click(); });
    click(*f, "mnuFileUser");
    EXPECT_EQ(user.runs(), 1);
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(period.runs(), 0);
}

TEST_F(MainWindowTest, CloseBoxHidesInTrayOnlyWithATrayAndExitEnds)
{
    tray->available = true;
    putSettings({"Settings/HideInTray=True"});
    auto f = makeForm();
    int unloaded = 0;
    QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
    // In the tray, shown, unloaded.
    auto state = [&] { return std::make_tuple(f->InTray(), f->isVisible(), unloaded); };
    ASSERT_TRUE(f->TrayCapable());
    ASSERT_TRUE(f->MenuAction("mnuFileHideInTray")->isChecked());
    f->show();
    f->CloseFromCloseBox();
    EXPECT_EQ(state(), std::make_tuple(true, false, 0));
    EXPECT_EQ(tray->contextMenu, f->TrayMenu()); // Show and Exit on the icon's own menu
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

    tray->click(513); // left button down
    ASSERT_EQ(tray->popups.size(), 1u);
    EXPECT_EQ(tray->popups[0], f->TrayMenu());
    click(*f, "mnuTrayShow");
    EXPECT_EQ(state(), std::make_tuple(false, true, 0));
    EXPECT_FALSE(tray->shown);
    tray->click(516);
    EXPECT_EQ(tray->popups.size(), 1u); // not in the tray: no menu

    click(*f, "mnufileExit"); // by the program: never to the tray
    EXPECT_EQ(state(), std::make_tuple(false, false, 1));
    EXPECT_EQ(storedSetting("Settings", "HideInTray"), QStringLiteral("True"));
    QApplication::setQuitOnLastWindowClosed(true);

    // No tray at start: the stored choice is unread and the unload writes what the menu shows.
    for (const bool atStart : {true, false}) { // the tray gone since start-up, or never there
        SCOPED_TRACE(atStart);
        tray->available = atStart;
        tray->adds = 0;
        putSettings({"Settings/HideInTray=True"});
        f = makeForm();
        unloaded = 0;
        QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
        EXPECT_EQ(f->TrayCapable(), atStart);
        EXPECT_EQ(f->MenuAction("mnuFileHideInTray")->isVisible(), atStart);
        f->show();
        tray->available = false;
        f->CloseFromCloseBox();
        EXPECT_EQ(state(), std::make_tuple(false, false, 1));
        EXPECT_EQ(tray->adds, 0);
        EXPECT_EQ(storedSetting("Settings", "HideInTray"), atStart ? "True" : "False");
    }
}

TEST_F(MainWindowTest, SpecialPeriodSettingsAreReadAtLoadAndTheToggleStored)
{
    putSettings({"Settings/SpecialPeriodLength=7", "Settings/SpecialPeriodOffset=2",
                 "Settings/SpecialPeriodName=Pay Period", "Settings/SpecialPeriodColor=255",
                 "Settings/SpecialPeriodChecked=True"});
    for (const bool checked : {true, false}) { // as stored, then as the first run left it
        SCOPED_TRACE(checked);
        auto f = makeForm();
        QAction* view = f->MenuAction("mnuViewSpecialPeriod");
        EXPECT_EQ(std::make_tuple(f->SpecialPeriodLength(), f->SpecialPeriodOffset(),
                                  f->SpecialPeriodName(), f->SpecialPeriodColor()),
                  std::make_tuple(7, 2, QStringLiteral("Pay Period"), 255));
        EXPECT_EQ(std::make_pair(view->isVisible(), view->isChecked()),
                  std::make_pair(true, checked));
        EXPECT_EQ(f->MonthControl()->SpecialPeriodLength(), checked ? 7 : 0);
        view->trigger(); // toggles the marks
        EXPECT_EQ(f->MonthControl()->SpecialPeriodLength(), checked ? 0 : 7);
        f->close();
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodChecked"), checked ? "False" : "True");
    }
}

// Two copies would each write the settings on exit, the later one losing the other's changes.
TEST_F(MainWindowTest, ASecondCopyIsRefusedWithAMessage)
{
    QLockFile running(SingleInstanceLockPath());
    ASSERT_TRUE(AcquireSingleInstance(running));
    QTimer stop; // a copy let in by mistake would run until this ends it
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, qApp, &QCoreApplication::quit);
    stop.start(0);
    EXPECT_EQ(Main(*qApp), 0);
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->shown[0].text, "Tarnwell Free is already running");
    EXPECT_EQ(fx.messages->shown[0].title, "Previous Instance");
}

// A damaged file with thousands of problems must not bury the window in boxes.
TEST_F(MainWindowTest, ManyReadProblemsAreToldAsAFewAndACount)
{
    QByteArray xml = "<Schedule Title=\"T\" Initials=\"T\" Description=\"D\"><Shift Title=\"S\" "
                     "Initials=\"S\" Description=\"S\" Sequence=\"1\">";
    for (int i = 0; i < 12; ++i)
        xml += "<Platoon Code=\"P\" Color=\"FF\"/>"; // each without its Description
    writeScheduleFile(xml + "</Shift></Schedule>\r\n");
    auto f = makeForm();
    const QStringList told = fx.messages->texts();
    ASSERT_EQ(told.size(), 6);
    EXPECT_TRUE(told[0].contains("GetValue of Class Module clsPlatoon")) << told[0].toStdString();
    EXPECT_EQ(told[5], "The schedule has 7 more problems like these.");
    EXPECT_EQ(f->Schedule()->title(), "T");
}

// The help page and the mail program open without the window waiting; an
// opener that gives up later still gets its message, with the way round it.
TEST_F(MainWindowTest, HelpAndMailSayWhenTheirOpenerGivesUpLater)
{
    auto f = makeForm();
    f->show();
    for (const char* item : {"mnuHelpOnlineHelp", "mnuHelpEmailSupport"}) {
        SCOPED_TRACE(item);
        fx.messages->shown.clear();
        click(*f, item);
        EXPECT_TRUE(fx.messages->shown.empty()) << "started: nothing to say yet";
        fx.shellFake->giveUp();
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        const QString target = fx.shellFake->opened.back();
        EXPECT_TRUE(fx.messages->shown[0].text.contains(
            QDir::toNativeSeparators(target).remove(QStringLiteral("mailto:"))));
    }
}

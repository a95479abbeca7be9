// Start, settings, closing, the tray, the clock and the commands of the main window.
#include "MainWindowTestSupport.h"
#include "mainwindow/FormPlacement.h"
#include "mainwindow/Module1.h"
#include "mainwindow/frmAbout.h"
#include "platform/widgets/OleColor.h"
#include "specialperiod/frmSpecialPeriod.h"
#include "support/ModalDialogs.h"
#include "users/frmUser.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QScreen>

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

TEST_F(MainWindowTest, AFreshStartSaysNothingAndUnloadWritesEveryKeyAsText)
{
    putSettings({"Settings/Backcolor2=12345"});
    auto f = makeForm();
    showCalendar(*f);
    EXPECT_EQ(fx.messages->texts(), QStringList());
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Tolvar Fire Department"));
    EXPECT_FALSE(f->TrayCapable());
    EXPECT_FALSE(f->MenuAction("mnuFileHideInTray")->isVisible());
    EXPECT_FALSE(f->MenuAction("mnuDebug")->isVisible());
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
    const QStringList want{"Schedule/DataChanged=True",          "Settings/Backcolor1=-2147483643",
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
        const char* storedAfter; // at once, before the window closes
    } rows[] = {{"Settings", "Flags", 8, "Form_Load", "184"},
                {"Settings", "Backcolor1", 8, "Form_Load", "-2147483643"},
                {"Settings", "SpecialPeriodLength", 5, "Form_Load", "0"},
                {"Long", "LockSchedule", 4, "Form_Load", "False"},
                {"Settings", "frmCal_Top", 10, "Form_Load", nullptr},
                {"Schedule", "DataChanged", 2, "ctlMonth1_Show", "False"}};
    const QString told =
        QStringLiteral("Error 13 (Type mismatch) in line %1 in procedure %2 of Form frmCal");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        ScopedFakeUiServices local;
        services().dialogs = dialogs;
        services().tray = tray;
        local.settingsStore->SaveSetting(r.section, r.key, QStringLiteral("ten"));
        local.settingsStore->SaveSetting("Settings", "frmCal_Left", QStringLiteral("600"));
        local.settingsStore->SaveSetting("Settings", "frmCal_Width", QStringLiteral("7500"));
        local.reopenSettings();
        auto f = std::make_unique<frmCal>();
        showCalendar(*f);
        ASSERT_EQ(local.messages->texts(), QStringList{told.arg(r.line).arg(r.procedure)});
        // The rest of the start went on: the schedule is on the calendar.
        EXPECT_EQ(f->CurrentTitle(), QStringLiteral("Tolvar Fire Department"));
        EXPECT_EQ(cell(*f, 10)->LeftCaption().size(), 1);
        // The other position keys still apply.
        EXPECT_EQ(f->x(), qRound(600 / TwipsPerPixelX()));
        EXPECT_EQ(f->width(), qRound(7500 / TwipsPerPixelX()));
        if (r.storedAfter) {
            local.reopenSettings();
            EXPECT_EQ(local.settingsStore->GetSetting(r.section, r.key),
                      QString::fromLatin1(r.storedAfter));
        }
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
    // Where an unusable place goes is FormPlacement's table.
    const struct {
        const char* name;
        QRect stored;   // twips
        QRect expected; // pixels; empty: anywhere on the screen
    } rows[] = {{"on the screen", QRect(600, 450, 7500, 6300), QRect(40, 30, 500, 420)},
                {"from a larger monitor", QRect(30000, 450, 11400, 9000), QRect()}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        for (const auto& [key, value] : {std::pair{"Left", r.stored.x()},
                                         {"Top", r.stored.y()},
                                         {"Width", r.stored.width()},
                                         {"Height", r.stored.height()}})
            putSettings({QStringLiteral("Settings/frmCal_%1=%2").arg(key).arg(value)});
        auto f = makeForm();
        const QRect place(f->pos(), f->size());
        if (!r.expected.isEmpty()) {
            EXPECT_EQ(place, r.expected);
        }
        EXPECT_TRUE(screen.contains(QRect(place.topLeft(), place.size() + kFrameAllowance)));
        EXPECT_GE(f->width(), f->minimumWidth());
        f->close();
        EXPECT_EQ(storedPlace(), place); // never the place it could not use
    }
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

namespace {
// A file that gives no schedule (a folder when content is null) and what the user is told.
struct Unusable {
    const char* name;
    QByteArray content;
    const char* told;
    bool readerError = false;
};
// The storage tests list the problems; these are the three ways the window meets them.
const Unusable kUnusable[] = {
    {"empty", QByteArray(""), "The file is empty."},
    {"a folder", QByteArray(), "It is a folder, not a file."},
    {"rejected by the reader",
     "<Schedule Title=\"Bad\" Initials=\"B\" Description=\"d\"><Shift Title=\"s\" "
     "Initials=\"s\" Description=\"s\" Sequence=\"1\"><Platoon Description=\"p\" "
     "Code=\"P\" Color=\"zz\"/></Shift></Schedule>\r\n",
     "Error 13 (Type mismatch) in procedure LoadSchedule of Form frmCal", true},
};

void putUnusable(const QString& path, const Unusable& r)
{
    QDir(path).removeRecursively();
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(r.content.isNull() ? QDir().mkpath(path)
                                   : f.open(QIODevice::WriteOnly) && f.write(r.content) >= 0);
}

// Reading never writes: the file, or the folder, is as it was.
void expectUntouched(const QString& path, const Unusable& r)
{
    const QFileInfo info(path);
    EXPECT_TRUE(r.content.isNull() ? info.isDir() : info.isFile() && readBytes(path) == r.content);
}

void expectTold(const std::vector<ShownMessage>& shown, const QString& path, const Unusable& r,
                const char* ending)
{
    ASSERT_EQ(shown.size(), 1u);
    const ShownMessage& m = shown[0];
    if (r.readerError) {
        EXPECT_EQ(m.text, QString::fromLatin1(r.told));
        return;
    }
    for (const QString& part :
         {path, QString(r.told), QString("The file has not been changed."), QString(ending)})
        EXPECT_TRUE(m.text.contains(part)) << m.text.toStdString();
}
} // namespace

TEST_F(MainWindowTest, LoadMyScheduleReplacesTheDisplayOnlyWithAReadSchedule)
{
    auto f = makeForm();
    EXPECT_EQ(fx.messages->texts(), QStringList()); // no file at start: no message
    showCalendar(*f);
    click(*f, "mnuFileLoadMySchedule");
    ASSERT_EQ(fx.messages->texts(),
              QStringList{
                  "User schedule has not been defined\r\nCalendar will display default schedule"});
    EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Tarnwell Free"));

    const QString path = fx.dataFolder() + QStringLiteral("/myschedule.xml");
    writeScheduleFile(TwoShiftSchedule()->xml().toUtf8() +
                      "\r\n<Schedule Title=\"x\"></Schedule>\r\n");
    f->setDataChanged(true);
    fx.messages->shown.clear();
    click(*f, "mnuFileLoadMySchedule");
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Harbor Station")); // later lines ignored
    EXPECT_FALSE(f->DataChanged());
    EXPECT_TRUE(fx.messages->shown.empty());

    for (const Unusable& r : kUnusable) {
        SCOPED_TRACE(r.name);
        putUnusable(path, r);
        f->setDataChanged(true); // unsaved changes on display stay unsaved
        fx.messages->shown.clear();
        click(*f, "mnuFileLoadMySchedule");
        EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Harbor Station"));
        EXPECT_TRUE(f->DataChanged());
        expectTold(fx.messages->shown, path, r, "keeps the schedule on display");
        expectUntouched(path, r);
    }

    // A schedule without shifts shows days without platoons and no view entries.
    writeScheduleFile(
        "<Schedule Title=\"Empty\" Initials=\"E\" Description=\"none\"></Schedule>\r\n");
    click(*f, "mnuFileLoadMySchedule");
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Empty"));
    EXPECT_FALSE(f->MenuAction("mnuviewSchedulePick_1")->isVisible());
    EXPECT_EQ(cell(*f, 10)->ToolTipText().trimmed(), QStringLiteral("Platoon"));
}

TEST_F(MainWindowTest, AtStartAnUnusableScheduleFileIsNamedAndTheExampleShownWhole)
{
    const QString path = fx.dataFolder() + QStringLiteral("/myschedule.xml");
    for (const Unusable& r : kUnusable) {
        SCOPED_TRACE(r.name);
        putUnusable(path, r);
        fx.messages->shown.clear();
        auto f = makeForm();
        expectTold(fx.messages->shown, path, r, "shows the built-in example schedule");
        f->show();
        // The whole example: title, legend and description, not a half-refreshed display.
        EXPECT_EQ(f->Pane("picTitle")->Printed().at(0).text,
                  QStringLiteral("Tolvar Fire Department"));
        EXPECT_EQ(f->Pane("picDescription")->Printed().at(0).text, QStringLiteral("24-Hour Shift"));
        EXPECT_EQ(f->Pane("picPlatoons")->Printed().size(), 3u);
        EXPECT_FALSE(f->DataChanged());
        f->close();
        expectUntouched(path, r);
    }
}

// The real start: Main runs the event loop, and the box runs one of its own.
TEST_F(MainWindowTest, StartUpAfterUnsavedChangesWarnsOnceTheWindowIsUpAndGoesOn)
{
    const struct {
        const char *stored, *told; // title: text
    } rows[] = {
        {"True", "Schedule Changed: Schedule has been changed!\r\n\r\nVerify accuracy."},
        {"maybe", "Tarnwell Free: Error 13 (Type mismatch) in line 2 in procedure ctlMonth1_Show "
                  "of Form frmCal"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.stored);
        putSettings({QStringLiteral("Schedule/DataChanged=") + r.stored});
        services().tray = tray;
        fx.messages->shown.clear();
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
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->shown[0].title + ": " + fx.messages->shown[0].text, r.told);
        EXPECT_TRUE(windowUp);
        // The run ended through the unload step: the next start says nothing.
        EXPECT_EQ(storedSetting("Schedule", "DataChanged"), QStringLiteral("False"));
    }
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
        fx.messages->shown.clear();
        click(*f, guarded);
        ASSERT_EQ(fx.messages->texts(), QStringList{"Schedule is Locked"});
        EXPECT_EQ(fx.messages->shown[0].title, QStringLiteral("Access Denied"));
        EXPECT_EQ(fx.messages->shown[0].icon, Msg::Critical);
    }
    fx.messages->shown.clear();
    QString opened;
    onNextModal([&](QWidget* w) {
        opened = w->objectName();
        w->close();
    });
    click(*f, "mnuFileSave");
    EXPECT_EQ(opened, QStringLiteral("frmSave"));
    for (const char* free : {"mnuFilePrintPreview", "mnuFavoritesAdd", "mnuviewSchedulePick_1"})
        click(*f, free);
    // The user box needs no log-in.
    OnModal<frmUser> user([](frmUser& d) { child<QPushButton>(d, "cmdExit")->click(); });
    click(*f, "mnuFileUser");
    EXPECT_EQ(user.runs(), 1);
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(period.runs(), 0);
}

TEST_F(MainWindowTest, BackcolorComesFromTheDialogAndCancelChangesNothing)
{
    auto f = makeForm();
    dialogs->colorAnswer = 0x00FFEE;
    click(*f, "mnuViewBackcolor");
    EXPECT_EQ(dialogs->colorRequests, std::vector<int32_t>{OleColor::WindowBackground});
    EXPECT_EQ(QList<int32_t>({f->MonthControl()->BackColor(), f->Pane("picTitle")->BackColor()}),
              QList<int32_t>(2, 0x00FFEE));
    dialogs->cancelColor = true;
    click(*f, "mnuViewBackcolor");
    EXPECT_EQ(dialogs->colorRequests.back(), 0x00FFEE);
    EXPECT_EQ(QList<int32_t>({f->Backcolor(1), f->Backcolor(2)}),
              QList<int32_t>({0x00FFEE, OleColor::WindowBackground}));
    EXPECT_EQ(fx.messages->texts(), QStringList());
    f->close();
    EXPECT_EQ(storedSetting("Settings", "Backcolor1"), QString::number(0x00FFEE));
}

TEST_F(MainWindowTest, CloseBoxHidesInTrayAndExitEnds)
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
    EXPECT_EQ(tray->lastTip, QStringLiteral("Tarnwell"));
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
}

// Without a tray at start the stored choice is not read: the unload writes what the menu shows.
TEST_F(MainWindowTest, WithoutATrayTheCloseBoxUnloads)
{
    for (const bool atStart : {true, false}) { // the tray gone since start-up, or never there
        SCOPED_TRACE(atStart);
        tray->available = atStart;
        putSettings({"Settings/HideInTray=True"});
        auto f = makeForm();
        int unloaded = 0;
        QObject::connect(f.get(), &frmCal::Unloaded, [&] { ++unloaded; });
        EXPECT_EQ(f->TrayCapable(), atStart);
        EXPECT_EQ(f->MenuAction("mnuFileHideInTray")->isVisible(), atStart);
        f->show();
        tray->available = false;
        f->CloseFromCloseBox();
        EXPECT_FALSE(f->InTray());
        EXPECT_EQ(tray->adds, 0);
        EXPECT_EQ(unloaded, 1);
        EXPECT_EQ(storedSetting("Settings", "HideInTray"), atStart ? "True" : "False");
    }
}

TEST_F(MainWindowTest, ClockShowsTheTimeTogglesAndStopsWhenMinimised)
{
    auto f = makeForm();
    auto clock = [&] {
        return f->MenuAction("mnuTime")->text() + (f->ClockRunning() ? "" : " off");
    };
    EXPECT_EQ(clock(), QStringLiteral("Time"));
    fx.clockFake->current = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9));
    f->Timer1_Timer();
    EXPECT_EQ(clock(), QStringLiteral("21:05:09"));
    click(*f, "mnuTime");
    EXPECT_EQ(clock(), QStringLiteral("Time off"));
    fx.clockFake->current = QDateTime(QDate(2026, 12, 6), QTime(7, 0, 1));
    click(*f, "mnuTime");
    EXPECT_EQ(clock(), QStringLiteral("07:00:01"));
    f->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(f->ClockRunning());
    f->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(f->ClockRunning());
}

TEST_F(MainWindowTest, HelpCommandsGoToTheShellOrSayWhereToGo)
{
    auto f = makeForm();
    const char* rows[][3] = {
        {"mnuHelpOnlineHelp", "/help.html", "/help.html"},
        {"mnuHelpEmailSupport", "mailto:support@tarnwell.example", "support@tarnwell.example"}};
    for (bool opens : {true, false})
        for (const auto& r : rows) {
            SCOPED_TRACE(r[0]);
            fx.shellFake->result = opens;
            fx.shellFake->opened.clear();
            fx.messages->shown.clear();
            click(*f, r[0]);
            ASSERT_EQ(fx.shellFake->opened.size(), 1);
            EXPECT_TRUE(fx.shellFake->opened[0].endsWith(QString::fromLatin1(r[1])));
            // When nothing could open it, the message says where to go.
            ASSERT_EQ(fx.messages->shown.size(), opens ? 0u : 1u);
            if (!opens) {
                EXPECT_TRUE(fx.messages->shown[0].text.contains(QString::fromLatin1(r[2])));
            }
        }
}

TEST_F(MainWindowTest, AboutIsOneWindowClosedWithTheMainWindow)
{
    auto f = makeForm();
    click(*f, "mnuHelpAbout");
    frmAbout* box = frmAbout::instance();
    ASSERT_NE(box, nullptr);
    click(*f, "mnuHelpAbout");
    EXPECT_EQ(frmAbout::instance(), box);
    EXPECT_EQ(box->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
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

TEST_F(MainWindowTest, SpecialPeriodSettingsAreReadAtLoad)
{
    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked);
        putSettings({"Settings/SpecialPeriodLength=7", "Settings/SpecialPeriodOffset=2",
                     "Settings/SpecialPeriodName=Pay Period", "Settings/SpecialPeriodColor=255",
                     checked ? "Settings/SpecialPeriodChecked=True"
                             : "Settings/SpecialPeriodChecked=False"});
        auto f = makeForm();
        QAction* view = f->MenuAction("mnuViewSpecialPeriod");
        EXPECT_EQ(std::make_tuple(f->SpecialPeriodLength(), f->SpecialPeriodOffset(),
                                  f->SpecialPeriodName(), f->SpecialPeriodColor()),
                  std::make_tuple(7, 2, QStringLiteral("Pay Period"), 255));
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(view->text(), QStringLiteral("Pay Period"));
        EXPECT_EQ(view->isChecked(), checked);
        EXPECT_EQ(f->MonthControl()->SpecialPeriodLength(), checked ? 7 : 0);
        view->trigger(); // toggles the marks
        EXPECT_EQ(f->MonthControl()->SpecialPeriodLength(), checked ? 0 : 7);
        f->close();
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodChecked"), checked ? "False" : "True");
    }
    // A fresh installation: no period, the entry hidden.
    ScopedFakeUiServices fresh;
    frmCal f;
    EXPECT_FALSE(f.MenuAction("mnuViewSpecialPeriod")->isVisible());
    EXPECT_EQ(f.SpecialPeriodName(), QStringLiteral("Special Period"));
    EXPECT_EQ(f.SpecialPeriodColor(), OleColor::ButtonFace);
}

TEST_F(MainWindowTest, LoadingTellsWhatTheReadMetBeforeTheErrorThatStoppedIt)
{
    const QString getValue = QStringLiteral(
        "Error 5 (Invalid procedure call or argument) in procedure GetValue of Class Module %1");
    auto f = makeForm();
    showCalendar(*f);
    writeScheduleFile("<Schedule Title=\"Stopped\" Description=\"d\"><Shift Title=\"s\" "
                      "Initials=\"s\" Description=\"s\" Sequence=\"1\"><Platoon "
                      "Code=\"P\"/></Shift></Schedule>\r\n");
    click(*f, "mnuFileLoadMySchedule");
    EXPECT_EQ(fx.messages->texts(),
              QStringList({getValue.arg("clsSchedule"), getValue.arg("clsPlatoon"),
                           getValue.arg("clsPlatoon"),
                           "Error 13 (Type mismatch) in procedure LoadSchedule of Form frmCal"}));
    EXPECT_EQ(f->Schedule()->title(), QStringLiteral("Tolvar Fire Department"));
}

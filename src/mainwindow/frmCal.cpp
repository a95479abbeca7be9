// The main window's life: creation, loading its settings and the user's
// schedule, the first show, the clock, closing and the tray.
#include "mainwindow/frmCal.h"

#include "mainwindow/FormPlacement.h"
#include "mainwindow/PicturePane.h"
#include "mainwindow/ViewFlags.h"
#include "mainwindow/frmCalSupport.h"
#include "mainwindow/modOSVer.h"
#include "mainwindow/modTray.h"
#include "model/DefaultSchedule.h"
#include "model/clsSchedule.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/IClock.h"
#include "platform/ISettingsStore.h"
#include "platform/Services.h"
#include "platform/widgets/ITray.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "session/CalSettings.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"
#include "wizard/WizardHost.h"
#include "wizard/frmSave.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>

using namespace calform;

namespace {
// The smallest window in which the calendar still reads.
constexpr QSize kMinimumSize{320, 260};

frmCal*& currentForm()
{
    static frmCal* form = nullptr;
    return form;
}
} // namespace

frmCal::frmCal(QWidget* parent) : QMainWindow(parent), session_(std::make_shared<CalendarSession>())
{
    setObjectName(kForm);
    setWindowTitle(AppTitle()); // the icon is the application's, set at start
    buildPanes();
    buildMenus();
    setMinimumSize(kMinimumSize);
    resize(760, 600);

    // The clock runs from the moment the window exists.
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &frmCal::Timer1_Timer);
    Timer1.start();

    connect(session_.get(), &CalendarSession::ScheduleReplaced, this, &frmCal::showSessionSchedule);
    connect(session_.get(), &CalendarSession::ShiftIndexChanged, this,
            &frmCal::showSessionSchedule);
    connect(session_.get(), &CalendarSession::RedrawRequested, this, &frmCal::Update);
    // The check mark shows the lock; it does not hold it.
    connect(session_.get(), &CalendarSession::LockedChanged, mnuFileLockSchedule,
            &QAction::setChecked);
    connect(session_.get(), &CalendarSession::PeriodChanged, this,
            [this] { mnuViewSpecialPeriod->setChecked(session_->Period().shown); });

    wizardHost_ = new WizardHost(
        *this, *session_, *mnuFileCreateSchedule, [this] { return ctlMonth1->StartDate(); },
        [this] { return mnuDebug->menuAction()->isVisible(); });
    wizardHost_->setFocusCalendar([this] {
        activateWindow();
        raise();
        ctlMonth1->setFocus(Qt::OtherFocusReason);
        ctlMonth1->ShowFocusDay();
    });

    currentForm() = this;
    Form_Initialize();
    Form_Load();
}

frmCal::~frmCal()
{
    if (currentForm() == this)
        currentForm() = nullptr;
    if (inTray_)
        TrayDelete();
}

frmCal* frmCal::Current()
{
    return currentForm();
}

void frmCal::buildPanes()
{
    client_ = new PicturePane(QStringLiteral("frmCalClient"), this);
    client_->setBackColor(OleColor::ButtonFace);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    Picture1 = new PicturePane(QStringLiteral("Picture1"), client_);
    picTitle = new PicturePane(QStringLiteral("picTitle"), Picture1);
    ctlMonth1 = new ctlMonth(client_);
    ctlMonth1->setObjectName(QStringLiteral("ctlMonth1"));
    Picture2 = new PicturePane(QStringLiteral("Picture2"), client_);
    picFooter = new PicturePane(QStringLiteral("picFooter"), Picture2);
    picPlatoons = new PicturePane(QStringLiteral("picPlatoons"), picFooter);
    picDescription = new PicturePane(QStringLiteral("picDescription"), picFooter);

    connect(ctlMonth1, &ctlMonth::DateChange, this, &frmCal::ctlMonth1_DateChange);
    connect(ctlMonth1, &ctlMonth::SettingChange, this, &frmCal::ctlMonth1_SettingChange);
    connect(ctlMonth1, &ctlMonth::SelectionChange, this, &frmCal::ctlMonth1_SelectionChange);
    connect(ctlMonth1, &ctlMonth::Show, this, &frmCal::ctlMonth1_Show);
    // MouseDown, MouseMove and MouseUp: nothing to do.
}

void frmCal::Form_Initialize()
{
    // The session starts with the built-in schedule, shown by the first Update.
    backcolor_ = {OleColor::WindowBackground, OleColor::WindowBackground};
    EnsureAppFolder(); // a missing folder shows up when saving
}

void frmCal::Form_Load()
{
    // A damaged settings value must not keep the user's schedule from being
    // loaded or leave the panes empty: every step runs.
    Steps step = formSteps("Form_Load", Steps::AfterError::GoOn);
    step(1, [&] { mnuDebug->menuAction()->setVisible(false); });
    step(2, [&] {
        Picture1->setBackColor(client_->BackColor());
        Picture2->setBackColor(client_->BackColor());
    });
    step(3, [&] {
        if (IsWindowsXP()) {
            trayCapable_ = true;
            mnuFileHideInTray->setVisible(true);
            mnuFileHideInTray->setEnabled(true);
            mnuTray->setEnabled(true);
            mnuFileHideInTray->setChecked(
                CalSettings::readBool(CalSettings::HideInTray, reportAt("Form_Load", 3)));
        }
    });
    step(4, [&] {
        session_->setLocked(
            CalSettings::readBool(CalSettings::LockSchedule, reportAt("Form_Load", 4)));
    });
    step(5, [&] { LoadSpecialPeriod(reportAt("Form_Load", 5)); });
    step(6, [&] { ctlMonth1->setShowButtons(true); });
    step(7, [&] {
        const QFont f = ctlMonth1->Font();
        picTitle->setPaneFont(f);
        picPlatoons->setPaneFont(f);
        picDescription->setPaneFont(f);
    });
    step(8, [&] { LoadViewSettings(reportAt("Form_Load", 8)); });
    step(9, [&] { ApplyBackcolor(); });
    step(10, [&] { RestoreFormSizePos(*this); });
    step(11, [&] { LoadSchedule(); });
    step(12, [&] { LoadNoteSettings(reportAt("Form_Load", 12)); });
}

void frmCal::LoadSpecialPeriod(const CalSettings::ReadError& onError)
{
    const SpecialPeriod p = SpecialPeriod::load(onError);
    session_->setPeriod(p); // and the check mark
    mnuViewSpecialPeriod->setText(SpecialPeriod::menuText(p.name));
    mnuViewSpecialPeriod->setVisible(p.length >= 1);
    if (p.shown)
        ctlMonth1->SetSpecialPeriod(p.length, p.offset);
    else
        ctlMonth1->SetSpecialPeriod(0, 0);
    ctlMonth1->setSpecialPeriodColor(p.color);
}

void frmCal::LoadViewSettings(const CalSettings::ReadError& onError)
{
    namespace S = CalSettings;
    backcolor_[0] = S::readLong(S::Backcolor1, onError);
    backcolor_[1] = S::readLong(S::Backcolor2, onError);
    const int32_t flags = S::readLong(S::Flags, onError);
    ViewFlags::apply(*ctlMonth1, flags);
}

void frmCal::SettingsSave()
{
    namespace S = CalSettings;
    S::writeLong(S::Backcolor1, backcolor_[0]);
    S::writeLong(S::Backcolor2, backcolor_[1]);
    S::writeLong(S::Flags, ViewFlags::pack(*ctlMonth1));
}

void frmCal::LoadSchedule()
{
    // Before the window is shown the calendar must end up showing a whole
    // schedule: the built-in one when the user's cannot be used.
    const bool starting = !shown_;
    bool loaded = false;
    handled("LoadSchedule", [&] {
        const QString path = ScheduleFilePath();
        if (!QFileInfo::exists(path)) {
            loaded = true;
            session_->setSchedule(DefaultSchedule(), 1);
            if (shown_)
                MsgBox(QStringLiteral("User schedule has not been defined\r\n"
                                      "Calendar will display default schedule"),
                       Msg::OKOnly);
            return;
        }
        const ScheduleFileRead read = ReadScheduleFile(path);
        if (!read.line) {
            MsgBox(UnusableScheduleMessage(path, read.problem, starting),
                   Msg::OKOnly | Msg::Exclamation);
            return;
        }
        setSchedule(ReadScheduleShowingProblems(*read.line));
        loaded = true;
        // The file on disk is what counts as saved now.
        session_->setDataChanged(false);
        UpdateViewMenu();
    });
    if (!loaded && starting)
        session_->setSchedule(DefaultSchedule(), 1);
}

std::shared_ptr<clsSchedule> ReadScheduleShowingProblems(const QString& xml)
{
    const ScheduleTextRead read = ReadScheduleText(xml);
    // What the read met is told before the error that stopped it; a damaged
    // file can hold thousands of problems, one box each would never end.
    constexpr int kShown = 5;
    for (int i = 0; i < read.problems.size() && i < kShown; ++i)
        MsgBox(read.problems[i], Msg::OKOnly);
    if (read.problems.size() > kShown)
        MsgBox(QStringLiteral("The schedule has %1 more problems like these.")
                   .arg(read.problems.size() - kShown),
               Msg::OKOnly);
    if (read.error)
        std::rethrow_exception(read.error);
    return read.schedule;
}

QString UnusableScheduleMessage(const QString& path, const QString& problem, bool starting)
{
    return QStringLiteral("Your schedule file could not be used:\r\n%1\r\n\r\n%2\r\n\r\n"
                          "The file has not been changed. %3")
        .arg(QDir::toNativeSeparators(path), problem,
             starting ? QStringLiteral("The calendar shows the built-in example schedule.")
                      : QStringLiteral("The calendar keeps the schedule on display."));
}

void frmCal::ctlMonth1_Show()
{
    // The control says Show again each time the window comes back (from
    // the tray, say); the last run's unsaved changes are news only once.
    const bool first = !shown_;
    shown_ = true;
    if (!first)
        return;
    bool changed = false;
    formSteps("ctlMonth1_Show")(2, [&] {
        changed = CalSettings::readBool(CalSettings::DataChanged, reportAt("ctlMonth1_Show", 2));
    })(3, [&] {
        if (changed)
            MsgBox(QStringLiteral("Schedule has been changed!\r\n\r\nVerify accuracy."),
                   Msg::OKOnly | Msg::Exclamation, QStringLiteral("Schedule Changed"));
    });
}

void frmCal::Timer1_Timer()
{
    mnuTime->setText(clockService().now().toString(QStringLiteral("HH:mm:ss")));
    mnuTime->setVisible(true);
}

void frmCal::CloseFromCloseBox()
{
    closeBoxRequest_ = true;
    close();
    closeBoxRequest_ = false;
}

void frmCal::closeEvent(QCloseEvent* event)
{
    const bool fromCloseBox = event->spontaneous() || closeBoxRequest_;
    if (unloaded_) {
        event->accept();
        return;
    }
    if (!Form_QueryUnload(fromCloseBox)) {
        event->ignore();
        return;
    }
    Form_Unload();
    unloaded_ = true;
    event->accept();
    emit Unloaded();
}

bool frmCal::Form_QueryUnload(bool fromCloseBox)
{
    bool goOn = true;
    formSteps("Form_QueryUnload")(1, [&] {
        // A save the user asked for that did not complete keeps the window
        // open: closing would throw the schedule away.
        if (session_->DataChanged() &&
            frmSave::Ask(this, *session_) == frmSave::Outcome::SaveFailed)
            goOn = false;
    })(3, [&] {
        if (goOn)
            UnloadOtherWindows();
    })(4, [&] {
        // The tray may have gone since start-up: hiding then would leave no way back.
        if (!goOn || !trayCapable_ || !mnuFileHideInTray->isChecked() || !fromCloseBox ||
            !trayService().isAvailable())
            return;
        // Hidden in the tray no window is left; the program must not end for that.
        QApplication::setQuitOnLastWindowClosed(false);
        setWindowState(windowState() | Qt::WindowMinimized);
        hide();
        TrayAdd(windowIcon(), QStringLiteral("Tarnwell"), mnuTray,
                [this](int m) { TrayMessage(m); });
        inTray_ = true;
        goOn = false;
    });
    return goOn;
}

void frmCal::Form_Unload()
{
    handled("Form_Unload", [&] {
        namespace S = CalSettings;
        S::writeBool(S::DataChanged, session_->DataChanged());
        SettingsSave();
        S::writeBool(S::HideInTray, mnuFileHideInTray->isChecked());
        S::writeBool(S::LockSchedule, session_->Locked());
        S::writeBool(S::SpecialPeriodChecked, session_->Period().shown);
        SaveFormSizePos(*this);
        UnloadOtherWindows();
        settingsStore().sync();
    });
}

void frmCal::UnloadOtherWindows()
{
    // Closing one window may delete another: hold them by guarded pointers.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows << w;
    for (const QPointer<QWidget>& w : windows) {
        if (w && w != this && w->objectName().startsWith(QLatin1String("frm")))
            w->close();
    }
}

void frmCal::TrayMessage(int message)
{
    if (!inTray_)
        return;
    if (message == ITray::LeftButtonDown || message == ITray::RightButtonDown)
        trayService().popup(mnuTray);
}

void frmCal::mnuTrayShow_Click()
{
    handled("mnuTrayShow_Click", [&] {
        if (windowState() & Qt::WindowMinimized) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            show();
        }
        if (trayCapable_)
            TrayDelete();
        inTray_ = false;
        QApplication::setQuitOnLastWindowClosed(true);
    });
}

void frmCal::mnuTrayExit_Click()
{
    if (trayCapable_)
        TrayDelete();
    inTray_ = false;
    close();
}

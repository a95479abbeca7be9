// The main window's menus, their commands and its keys.
#include "mainwindow/frmCal.h"

#include "exports/frmExportDuty.h"
#include "favorites/frmOpen.h"
#include "imagecalendar/frmYear.h"
#include "mainwindow/SharedRoutines.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmCalSupport.h"
#include "mainwindow/modTray.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/HelpPage.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/ReportError.h"
#include "specialperiod/frmSpecialPeriod.h"
#include "users/Credentials.h"
#include "users/frmLogin.h"
#include "users/frmUser.h"
#include "wizard/frmInfo.h"
#include "wizard/frmPick.h"
#include "wizard/frmSave.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>

using namespace calform;

void frmCal::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    auto menu = [this](const char* name, const QString& caption) {
        auto* m = new QMenu(caption, this);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };

    mnuFile = menu("mnuFile", QStringLiteral("&File"));
    bar->addMenu(mnuFile);
    mnuFileLoadMySchedule =
        item(mnuFile, "mnuFileLoadMySchedule", QStringLiteral("Load &My Schedule"));
    mnuFileCreateSchedule =
        item(mnuFile, "mnuFileCreateSchedule", QStringLiteral("&Create/Modify Schedule"));
    mnuFileConfigureRecurringPeriod = item(mnuFile, "mnuFileConfigureRecurringPeriod",
                                           QStringLiteral("Configure &Recurring Period"));
    mnuFileChangeInfo = item(mnuFile, "mnuFileChangeInfo", QStringLiteral("Change &Info"));
    mnuFileChangeInfo->setVisible(false); // shown once a schedule is on display
    mnuFileSave = item(mnuFile, "mnuFileSave", QStringLiteral("&Save"));
    mnuFilePrintPreview = item(mnuFile, "mnuFilePrintPreview", QStringLiteral("&Print Preview"));
    mnuFileExportDutyDays =
        item(mnuFile, "mnuFileExportDutyDays", QStringLiteral("Export &Duty Days..."));
    separator(mnuFile, "mnuFileBar0");
    mnuFileHideInTray = item(mnuFile, "mnuFileHideInTray", QStringLiteral("&Hide in Tray"));
    mnuFileHideInTray->setCheckable(true);
    mnuFileHideInTray->setVisible(false);
    mnuFileHideInTray->setEnabled(false);
    mnuFileLockSchedule = item(mnuFile, "mnuFileLockSchedule", QStringLiteral("&Lock Schedule"));
    mnuFileLockSchedule->setCheckable(true);
    mnuFileUser = item(mnuFile, "mnuFileUser", QStringLiteral("&User"));
    separator(mnuFile, "mnuFileBar1");
    mnufileExit = item(mnuFile, "mnufileExit", QStringLiteral("E&xit"));

    mnuView = menu("mnuView", QStringLiteral("&View"));
    bar->addMenu(mnuView);
    const QString pickCaptions[] = {QString(), QStringLiteral("Shift &1"),
                                    QStringLiteral("Shift &2"), QStringLiteral("&Both")};
    for (int k = 1; k <= 3; ++k) {
        QAction* a = mnuView->addAction(pickCaptions[k]);
        a->setObjectName(QStringLiteral("mnuviewSchedulePick_%1").arg(k));
        a->setCheckable(true);
        mnuviewSchedulePick[static_cast<size_t>(k)] = a;
        connect(a, &QAction::triggered, this, [this, k] { mnuviewSchedulePick_Click(k); });
    }
    separator(mnuView, "mnuViewBar0");
    mnuViewSpecialPeriod = item(mnuView, "mnuViewSpecialPeriod", QStringLiteral("Special &Period"));
    mnuViewSpecialPeriod->setCheckable(true);
    mnuViewBackcolor = item(mnuView, "mnuViewBackcolor", QStringLiteral("&Backcolor"));

    mnuFavorites = menu("mnuFavorites", QStringLiteral("F&avorites"));
    bar->addMenu(mnuFavorites);
    QAction* favAdd = item(mnuFavorites, "mnuFavoritesAdd", QStringLiteral("&Add"));
    QAction* favOpen = item(mnuFavorites, "mnuFavoritesOpen", QStringLiteral("&Open"));

    // The tray's popup: never in the menu bar.
    mnuTray = menu("mnuTray", QStringLiteral("Tray"));
    mnuTrayShow = item(mnuTray, "mnuTrayShow", QStringLiteral("Show"));
    mnuTrayExit = item(mnuTray, "mnuTrayExit", QStringLiteral("Exit"));
    mnuTray->setEnabled(false);

    mnuWindow = menu("mnuWindow", QStringLiteral("&Window"));
    bar->addMenu(mnuWindow);
    item(mnuWindow, "mnuWindowImageCalendar", QStringLiteral("&Image Calendar"));

    mnuHelp = menu("mnuHelp", QStringLiteral("&Help"));
    bar->addMenu(mnuHelp);
    QAction* about = item(mnuHelp, "mnuHelpAbout", QStringLiteral("&About"));
    QAction* onlineHelp = item(mnuHelp, "mnuHelpOnlineHelp", QStringLiteral("Online &Help"));
    QAction* email = item(mnuHelp, "mnuHelpEmailSupport", QStringLiteral("&Email Support"));

    mnuDebug = menu("mnuDebug", QStringLiteral("Debug"));
    bar->addMenu(mnuDebug);

    mnuTime = bar->addAction(kTimeCaption);
    mnuTime->setObjectName(QStringLiteral("mnuTime"));

    connect(mnuFileLoadMySchedule, &QAction::triggered, this, &frmCal::mnuFileLoadMySchedule_Click);
    connect(mnuFileCreateSchedule, &QAction::triggered, this, &frmCal::mnuFileCreateSchedule_Click);
    connect(mnuFileConfigureRecurringPeriod, &QAction::triggered, this,
            &frmCal::mnuFileConfigureRecurringPeriod_Click);
    connect(mnuFileChangeInfo, &QAction::triggered, this, &frmCal::mnuFileChangeInfo_Click);
    connect(mnuFileSave, &QAction::triggered, this, &frmCal::mnuFileSave_Click);
    connect(mnuFilePrintPreview, &QAction::triggered, this, &frmCal::mnuFilePrintPreview_Click);
    connect(mnuFileExportDutyDays, &QAction::triggered, this, &frmCal::mnuFileExportDutyDays_Click);
    connect(mnuFileLockSchedule, &QAction::triggered, this, &frmCal::mnuFileLockSchedule_Click);
    connect(mnuFileUser, &QAction::triggered, this, &frmCal::mnuFileUser_Click);
    connect(mnufileExit, &QAction::triggered, this, &frmCal::mnufileExit_Click);
    connect(mnuViewSpecialPeriod, &QAction::triggered, this, &frmCal::mnuViewSpecialPeriod_Click);
    connect(mnuViewBackcolor, &QAction::triggered, this, &frmCal::mnuViewBackcolor_Click);
    connect(favAdd, &QAction::triggered, this, &frmCal::mnuFavoritesAdd_Click);
    connect(favOpen, &QAction::triggered, this, &frmCal::mnuFavoritesOpen_Click);
    connect(mnuTrayShow, &QAction::triggered, this, &frmCal::mnuTrayShow_Click);
    connect(mnuTrayExit, &QAction::triggered, this, &frmCal::mnuTrayExit_Click);
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmCal::mnuWindow_Open);
    connect(about, &QAction::triggered, this, &frmCal::mnuHelpAbout_Click);
    connect(onlineHelp, &QAction::triggered, this, &frmCal::mnuHelpOnlineHelp_Click);
    connect(email, &QAction::triggered, this, &frmCal::mnuHelpEmailSupport_Click);
    connect(mnuTime, &QAction::triggered, this, &frmCal::mnuTime_Click);
    buildNotesMenus();
}

void frmCal::keyPressEvent(QKeyEvent* event)
{
    // Keys the month control leaves alone arrive here, after its KeyDown.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    bool used = true;
    handled("Form_KeyDown", [&] {
        switch (event->key()) {
        case Qt::Key_PageUp: ctrl ? ctlMonth1->PrevYear() : ctlMonth1->PrevMonth(); break;
        case Qt::Key_PageDown: ctrl ? ctlMonth1->NextYear() : ctlMonth1->NextMonth(); break;
        case Qt::Key_Home:
            ctlMonth1->setFullDate(DayNumber::fromDate(clockService().today()));
            break;
        case Qt::Key_F1: mnuHelpOnlineHelp_Click(); break;
        default: used = false; break;
        }
    });
    if (!used)
        QMainWindow::keyPressEvent(event);
}

void frmCal::mnuTime_Click()
{
    if (Timer1.isActive()) {
        Timer1.stop();
        mnuTime->setText(kTimeCaption);
    } else {
        Timer1.start();
        Timer1_Timer();
    }
}

bool frmCal::LockedAgainstChange()
{
    if (!session_->Locked())
        return false;
    MsgBox(QStringLiteral("Schedule is Locked"), Msg::OKOnly | Msg::Critical,
           QStringLiteral("Access Denied"));
    return true;
}

void frmCal::mnuFileLoadMySchedule_Click()
{
    if (!WizardOpenRefuses())
        LoadSchedule();
}

bool frmCal::WizardOpenRefuses(const QString& title)
{
    for (WizardWindow* w : findChildren<WizardWindow*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->Unloaded()) {
            MsgBox(QStringLiteral("The schedule wizard is open. Finish or close it before "
                                  "opening another schedule."),
                   Msg::OKOnly | Msg::Exclamation, title);
            return true;
        }
    return false;
}

void frmCal::mnuFileCreateSchedule_Click()
{
    if (LockedAgainstChange())
        return;
    LoadForm<frmPick>(*wizardHost_)->show();
    mnuFileCreateSchedule->setEnabled(false);
}

void frmCal::mnuFileConfigureRecurringPeriod_Click()
{
    if (LockedAgainstChange())
        return;
    const auto chosen = frmSpecialPeriod::Ask(this, session_->Period());
    if (!chosen)
        return;
    // Each stored at once, as when set one by one.
    setSpecialPeriodLength(chosen->length);
    setSpecialPeriodOffset(chosen->offset);
    setSpecialPeriodName(chosen->name);
    setSpecialPeriodColor(chosen->color);
    if (SpecialPeriodLength() >= 1)
        setPeriodShown(true); // the calendar shows the period now
}

void frmCal::mnuFileChangeInfo_Click()
{
    if (LockedAgainstChange())
        return;
    frmInfo* info = LoadForm<frmInfo>(*wizardHost_);
    // Both shifts in every cell: the schedule's own texts.
    info->setShiftIndex(ctlMonth1->CellSplit() == 2 ? 3 : ShiftIndex());
    info->show();
}

void frmCal::mnuFileSave_Click()
{
    frmSave::Ask(this, *session_);
}

void frmCal::mnuFilePrintPreview_Click()
{
    ShowImageCalendar();
}

frmYear* frmCal::ImageCalendar() const
{
    return imageCalendar_;
}

void frmCal::ShowImageCalendar()
{
    handled("ShowImageCalendar", [&] {
        // One image calendar; an open one is shown again as it is.
        if (!imageCalendar_) {
            ImageCalendarSource source;
            source.schedule = Schedule();
            source.shiftIndex = ShiftIndex();
            source.specialPeriodLength = SpecialPeriodLength();
            source.specialPeriodOffset = SpecialPeriodOffset();
            source.specialPeriodName = SpecialPeriodName();
            source.specialPeriodColor = SpecialPeriodColor();
            source.currentSpecialPeriodColor = [self = QPointer<frmCal>(this),
                                                last = source.specialPeriodColor] {
                return self ? self->SpecialPeriodColor() : last;
            };
            source.monthFont = ctlMonth1->Font();
            source.notes = session_;
            imageCalendar_ = new frmYear(std::move(source));
            imageCalendar_->setAttribute(Qt::WA_DeleteOnClose);
        }
        imageCalendar_->show();
        imageCalendar_->raise();
        imageCalendar_->activateWindow();
    });
}

void frmCal::mnuFileExportDutyDays_Click()
{
    frmExportDuty box(this, Schedule(), ShiftIndex(), session_->Period(), session_->Notes(),
                      session_->NotesUnavailable());
    box.exec();
}

bool frmCal::VerifyLogin()
{
    QString userName, password;
    if (!frmLogin::GetLogIn(userName, password, this))
        return false;
    if (!Credentials::hashable(userName) || !Credentials::hashable(password)) {
        MsgBox(Credentials::kUnhashableMessage, Msg::OKOnly | Msg::Exclamation);
        return false;
    }
    if (Credentials::storedUserName() != Credentials::hashOf(userName)) {
        MsgBox(QStringLiteral("Invalid User Name"));
        return false;
    }
    if (Credentials::storedPassword() == Credentials::hashOf(password))
        return true;
    MsgBox(QStringLiteral("Invalid Password"));
    return false;
}

void frmCal::mnuFileLockSchedule_Click()
{
    // The lock changes only after a successful log-in; the menu has already
    // flipped its check mark, which must show the lock again either way.
    const bool lock = !session_->Locked();
    mnuFileLockSchedule->setChecked(!lock);
    if (VerifyLogin())
        session_->setLocked(lock);
}

void frmCal::mnuFileUser_Click()
{
    frmUser box(this);
    box.exec();
}

void frmCal::mnufileExit_Click()
{
    try {
        if (inTray_ && trayCapable_)
            TrayDelete();
        inTray_ = false;
        close();
    } catch (const std::exception&) {
        // Exit ignores any error while closing.
    }
}

void frmCal::mnuviewSchedulePick_Click(int index)
{
    // The check marks follow the view, not the click: undo the menu's own flip.
    QAction* a = mnuviewSchedulePick[static_cast<size_t>(index)];
    a->setChecked(!a->isChecked());
    handled("mnuviewSchedulePick_Click", [&] {
        const auto list = Schedule()->Shifts();
        const int count = list ? list->Count() : 0;
        if (count < 1)
            return;
        int16_t shift = ShiftIndex();
        if (index == 1 || index == 3) {
            shift = 1;
            ctlMonth1->setCellSplit(index == 1 ? 1 : 2);
        } else if (index == 2 && count >= 2) {
            shift = 2;
            ctlMonth1->setCellSplit(1);
        }
        session_->setShiftIndex(shift); // redraws
    });
}

void frmCal::mnuViewSpecialPeriod_Click()
{
    handled("mnuViewSpecialPeriod_Click", [&] {
        setPeriodShown(mnuViewSpecialPeriod->isChecked());
        if (session_->Period().shown)
            ctlMonth1->SetSpecialPeriod(SpecialPeriodLength(), SpecialPeriodOffset());
        else
            ctlMonth1->SetSpecialPeriod(0, 0);
        Update();
    });
}

void frmCal::mnuViewBackcolor_Click()
{
    handled("mnuViewBackcolor_Click", [&] {
        const size_t item = static_cast<size_t>(std::clamp<int>(ShiftIndex(), 1, 2) - 1);
        int32_t chosen = backcolor_[item];
        if (!dialogsService().chooseColor(this, backcolor_[item], chosen))
            return; // cancelled: nothing changes, nothing is said
        backcolor_[item] = chosen;
        Update();
    });
}

void frmCal::mnuFavoritesAdd_Click()
{
    frmOpen::AddToList(this, *session_, *Schedule());
}

void frmCal::mnuFavoritesOpen_Click()
{
    const bool opening = !frmOpen::Shown(this);
    frmOpen* w = frmOpen::ShowFavorites(this, mnuDebug->menuAction()->isVisible());
    if (w && opening)
        connect(w, &frmOpen::OpenRequested, this,
                [this, w = QPointer<frmOpen>(w)](const QString& xml) {
                    if (OpenFavorite(xml) && w)
                        w->close();
                });
}

bool frmCal::OpenFavorite(const QString& xml)
{
    if (LockedAgainstChange() || WizardOpenRefuses(QStringLiteral("Favorites")))
        return false;
    if (DataChanged())
        frmSave::Ask(this, *session_);
    if (DataChanged())
        return false; // the changes are neither saved nor let go: they stay on display
    std::shared_ptr<clsSchedule> schedule;
    const bool read =
        guarded(QStringLiteral("cmdOK_Click"), UnitKind::Form, QStringLiteral("frmOpen"),
                [&] { schedule = ReadScheduleShowingProblems(xml); });
    if (!read)
        return false;
    session_->setSchedule(schedule, 1);
    session_->setDataChanged(true);
    return true;
}

void frmCal::mnuWindow_Open()
{
    ShowImageCalendar();
}

void frmCal::mnuHelpAbout_Click()
{
    frmAbout::ShowAbout();
}

void frmCal::mnuHelpOnlineHelp_Click()
{
    const QString page = HelpPagePath();
    ShellOpen(page, [page] {
        MsgBox(QStringLiteral("No program could open the help page. Open it in a web browser:"
                              "\r\n\r\n%1")
                   .arg(QDir::toNativeSeparators(page)),
               Msg::OKOnly | Msg::Information, QStringLiteral("Online Help"));
    });
}

void frmCal::mnuHelpEmailSupport_Click()
{
    const QString address = QString::fromLatin1(kSupportEmail);
    ShellOpen(QStringLiteral("mailto:") + address, [address] {
        MsgBox(
            QStringLiteral("No e-mail program could be started. Write to:\r\n\r\n%1").arg(address),
            Msg::OKOnly | Msg::Information, QStringLiteral("Email Support"));
    });
}

QAction* frmCal::MenuAction(const QString& name) const
{
    const auto all = findChildren<QAction*>(name);
    return all.isEmpty() ? nullptr : all.front();
}

QString HelpPagePath()
{
    return LocateHelpPage(QCoreApplication::applicationDirPath());
}

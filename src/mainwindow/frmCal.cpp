#include "mainwindow/frmCal.h"

#include "mainwindow/CalSettings.h"
#include "mainwindow/FormPlacement.h"
#include "mainwindow/Module1.h"
#include "mainwindow/PicturePane.h"
#include "mainwindow/ViewFlags.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/modOSVer.h"
#include "mainwindow/modTray.h"
#include "model/DayNumber.h"
#include "model/DefaultSchedule.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/Convert.h"
#include "platform/HelpPage.h"
#include "platform/IClock.h"
#include "platform/ISettingsStore.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/ITray.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "platform/widgets/ReportError.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace {
const QString kForm = QStringLiteral("frmCal");
const QString kTimeCaption = QStringLiteral("Time");

void report(const std::exception& e, const char* procedure, int line = -1)
{
    reportError(e, QString::fromLatin1(procedure), UnitKind::Form, kForm, line);
}

template <class F> void handled(const char* procedure, F&& f)
{
    guarded(QString::fromLatin1(procedure), UnitKind::Form, kForm, std::forward<F>(f));
}

// Reports a settings value that cannot be read under the reading routine's step.
CalSettings::ReadError reportAt(const char* procedure, int line)
{
    return [procedure, line](const std::exception& e) { report(e, procedure, line); };
}

// The smallest window in which the calendar still reads.
constexpr QSize kMinimumSize{320, 260};

IDialogs& dialogs()
{
    auto& s = services();
    if (!s.dialogs)
        s.dialogs = std::make_shared<QtDialogs>();
    return *s.dialogs;
}

frmCal*& currentForm()
{
    static frmCal* form = nullptr;
    return form;
}

int toPx(double twips, double tpp)
{
    return static_cast<int>(std::lround(twips / tpp));
}
int nonNegative(int v)
{
    return std::max(0, v);
}
} // namespace

// ---------------------------------------------------------------- layout

CalLayout ComputeCalLayout(QSize client, double tx, double ty, QSize currentMonthSize)
{
    CalLayout l{};
    const double cw = client.width() * tx;
    const double ch = client.height() * ty;

    // The window's resize: the two bands.
    const int p1h = toPx(ch / 8, ty);
    const int p2h = toPx(ch / 6, ty);
    l.picture1 = QRect(0, 0, client.width(), p1h);
    l.picture2 = QRect(0, client.height() - p2h, client.width(), p2h);
    const double P1h = p1h * ty;
    const double P1w = l.picture1.width() * tx;
    const double P2h = p2h * ty;
    const double P2w = l.picture2.width() * tx;

    // Picture1's resize: the title.
    l.picTitle = QRect(toPx(120, tx), toPx(0.1 * P1h, ty), nonNegative(toPx(P1w - 240, tx)),
                       nonNegative(toPx(0.8 * P1h, ty)));

    // Picture2's resize: the footer, and the month control between the bands.
    // The footer's top and height follow the title band's height, not its own.
    l.picFooter = QRect(toPx(120, tx), toPx(0.1 * P1h, ty), nonNegative(toPx(P2w - 240, tx)),
                        nonNegative(toPx(P2h - 0.2 * P1h, ty)));
    l.monthWidthSet = cw > 240;
    l.monthHeightSet = ch > 240;
    const int mw = l.monthWidthSet ? toPx(cw - 240, tx) : currentMonthSize.width();
    const int mh = l.monthHeightSet ? toPx(ch - P1h - P2h - ty, ty) : currentMonthSize.height();
    l.month = QRect(toPx(120, tx), p1h, nonNegative(mw), nonNegative(mh));

    // picFooter's resize: legend above, description below.
    const double Fw = l.picFooter.width() * tx;
    const double Fh = l.picFooter.height() * ty;
    l.picPlatoons = QRect(toPx(tx, tx), toPx(ty, ty), nonNegative(toPx(Fw - 4 * tx, tx)),
                          nonNegative(toPx(Fh / 2 - 2 * ty, ty)));
    l.picDescription = QRect(toPx(tx, tx), toPx(Fh / 2, ty), nonNegative(toPx(Fw - 4 * tx, tx)),
                             nonNegative(toPx(Fh / 2 - 3 * ty, ty)));
    return l;
}

// ---------------------------------------------------------------- construction

frmCal::frmCal(QWidget* parent) : QMainWindow(parent)
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
}

void frmCal::Form_Initialize()
{
    shiftIndex_ = 1;
    schedule_ = DefaultSchedule(); // shown by the first Update
    backcolor_ = {OleColor::WindowBackground, OleColor::WindowBackground};
    EnsureAppFolder(); // a missing folder shows up when saving
}

void frmCal::Form_Load()
{
    // Each step reports its own failure under the step's number and the load
    // goes on: a damaged settings value must not keep the user's schedule
    // from being loaded or leave the panes empty.
    auto step = [](int line, auto&& f) {
        try {
            f();
        } catch (const std::exception& e) {
            report(e, "Form_Load", line);
        }
    };
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
        mnuFileLockSchedule->setChecked(
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
}

void frmCal::LoadSpecialPeriod(const CalSettings::ReadError& onError)
{
    namespace S = CalSettings;
    specialPeriodLength_ = S::readLong(S::SpecialPeriodLength, onError);
    specialPeriodOffset_ = S::readLong(S::SpecialPeriodOffset, onError);
    specialPeriodName_ = S::readText(S::SpecialPeriodName);
    const bool checked = S::readBool(S::SpecialPeriodChecked, onError);
    const int32_t color = S::readLong(S::SpecialPeriodColor, onError);
    mnuViewSpecialPeriod->setText(specialPeriodName_);
    mnuViewSpecialPeriod->setVisible(specialPeriodLength_ >= 1);
    mnuViewSpecialPeriod->setChecked(checked);
    if (checked)
        ctlMonth1->SetSpecialPeriod(specialPeriodLength_, specialPeriodOffset_);
    else
        ctlMonth1->SetSpecialPeriod(0, 0);
    ctlMonth1->setSpecialPeriodColor(color);
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
            shiftIndex_ = 1;
            setSchedule(DefaultSchedule());
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
        auto schedule = std::make_shared<clsSchedule>();
        std::exception_ptr failed;
        try {
            schedule->setXml(*read.line);
        } catch (...) {
            failed = std::current_exception();
        }
        // What the read met is told before the error that stopped it.
        for (const QString& problem : schedule->ReadProblems())
            MsgBox(problem, Msg::OKOnly);
        if (failed)
            std::rethrow_exception(failed);
        setSchedule(schedule);
        loaded = true;
        // The file on disk is what counts as saved now.
        dataChanged_ = false;
        UpdateViewMenu();
    });
    if (!loaded && starting) {
        shiftIndex_ = 1;
        setSchedule(DefaultSchedule());
    }
}

QString UnusableScheduleMessage(const QString& path, const QString& problem, bool starting)
{
    return QStringLiteral("Your schedule file could not be used:\r\n%1\r\n\r\n%2\r\n\r\n"
                          "The file has not been changed. %3")
        .arg(QDir::toNativeSeparators(path), problem,
             starting ? QStringLiteral("The calendar shows the built-in example schedule.")
                      : QStringLiteral("The calendar keeps the schedule on display."));
}

// ---------------------------------------------------------------- schedule and view

void frmCal::setSchedule(std::shared_ptr<clsSchedule> schedule)
{
    schedule_ = schedule ? std::move(schedule) : std::make_shared<clsSchedule>();
    keepViewWithinSchedule();
    Update();
}

void frmCal::setShiftIndex(int16_t index)
{
    shiftIndex_ = index;
    keepViewWithinSchedule();
    Update();
}

void frmCal::keepViewWithinSchedule()
{
    // A schedule with fewer shifts than the view in force (shift 2, or both,
    // of the previous schedule) would leave nothing to ask for the days, and
    // split cells would keep the old schedule's second codes.
    const auto list = schedule_->Shifts();
    const int count = list ? list->Count() : 0;
    if (shiftIndex_ < 1 || (count >= 1 && shiftIndex_ > count))
        shiftIndex_ = 1;
    if (count < 2 && ctlMonth1->CellSplit() == 2)
        ctlMonth1->setCellSplit(1);
}

std::shared_ptr<clsShift> frmCal::shiftAt(int index) const
{
    const auto list = schedule_ ? schedule_->Shifts() : nullptr;
    if (!list || index < 1 || index > list->Count())
        return nullptr;
    return list->Item(index);
}

int32_t frmCal::Backcolor(int item) const
{
    return backcolor_[static_cast<size_t>(std::clamp(item, 1, 2) - 1)];
}

void frmCal::FillDays()
{
    const auto shift = shiftAt(shiftIndex_);
    // No such shift (a schedule without shifts): the days show no platoon.
    auto onDuty = [](const std::shared_ptr<clsShift>& s, double d) {
        return s ? s->ONDuty(d) : std::make_shared<clsPlatoon>();
    };
    const double today = DayNumber::fromDate(clockService().today());
    auto& days = ctlMonth1->Days();
    const int16_t split = ctlMonth1->CellSplit();

    for (int i = 0; i < 42; ++i) {
        const double d = ctlMonth1->DateOfCell(static_cast<int16_t>(i + 1));
        const auto p = onDuty(shift, d);
        const auto& c = days.Item(i + 1);
        c->setForeColor(p->Color());
        QString tip = p->Code() + QLatin1Char(' ') + p->Description();
        if (DayNumber::wholeDay(d) == today)
            tip += QStringLiteral(" Today");
        c->setToolTipText(tip);
        if (split != 0) {
            c->setLeftCaption(p->Code());
            c->setLeftColor(p->Color());
        }
    }

    const auto list = schedule_->Shifts();
    if (list && list->Count() == 2 && split == 2) {
        const auto second = list->Item(2);
        for (int i = 0; i < 42; ++i) {
            const auto p = second->ONDuty(ctlMonth1->DateOfCell(static_cast<int16_t>(i + 1)));
            const auto& c = days.Item(i + 1);
            c->setRightCaption(p->Code());
            c->setRightColor(p->Color());
        }
    }
}

void frmCal::Update()
{
    ApplyBackcolor();
    FillDays();
    // A control not shown yet paints when it is; painting its surface at the
    // unsized start-up geometry only cost start-up time.
    if (ctlMonth1->IsShown())
        ctlMonth1->Repaint();
    PrintPlatoons();
    const auto shift = shiftAt(shiftIndex_);
    if (ctlMonth1->CellSplit() == 2 || !shift) {
        currentTitle_ = schedule_->title();
        currentDescription_ = schedule_->Description();
    } else {
        currentTitle_ = shift->title();
        currentDescription_ = shift->Description();
    }
    PrintCentered(picTitle, currentTitle_);
    PrintCentered(picDescription, currentDescription_);
    UpdateViewMenu();
}

void frmCal::Repaint()
{
    handled("Repaint", [&] {
        PrintCentered(picTitle, currentTitle_);
        PrintPlatoons();
        PrintCentered(picDescription, currentDescription_);
    });
}

double frmCal::FitFontSize(const QFont& font, const QString& text, QSizeF pane,
                           const QWidget* device)
{
    QFont f = font;
    double size = f.pointSizeF();
    const double height = TextExtent(f, text, device).height();
    if (height > 0)
        size = static_cast<float>(pane.height() / height * 0.8 * size);
    f.setPointSizeF(std::max(0.5, size));
    const double width = TextExtent(f, text, device).width();
    if (width > 0.8 * pane.width() && width > 0)
        size = static_cast<float>(pane.width() / width * 0.9 * size);
    return std::max(0.5, size);
}

void frmCal::FitFont(PicturePane* pane, const QString& text)
{
    pane->setFontSize(FitFontSize(pane->PaneFont(), text, QSizeF(pane->size()), pane));
}

void frmCal::PrintCentered(PicturePane* pane, const QString& text)
{
    if (!laidOut_)
        return; // the first layout prints every pane
    FitFont(pane, text);
    QString shown = text;
    const auto shift = shiftAt(shiftIndex_);
    // A title that had to shrink below half the pane's height to fit its
    // width reads better as the shift's initials (when it has any).
    if (shift && text == shift->title() && pane->height() / 2.0 > pane->TextHeight(text) &&
        !shift->Initials().isEmpty()) {
        shown = shift->Initials();
        FitFont(pane, shown);
    }
    pane->Cls();
    pane->Print(shown, QPointF((pane->width() - pane->TextWidth(shown)) / 2,
                               (pane->height() - pane->TextHeight(shown)) / 2));
}

void frmCal::PrintPlatoons()
{
    int line = 1;
    try {
        const auto shift = shiftAt(shiftIndex_);
        const auto platoons = shift ? shift->Platoons() : nullptr;
        if (!platoons || platoons->Count() == 0 || !laidOut_)
            return; // the pane keeps what it showed
        line = 2;
        const double tx = TwipsPerPixelX();
        const double ty = TwipsPerPixelY();
        const int n = platoons->Count();
        const double paneWidth = picPlatoons->width() * tx;
        const double paneHeight = picPlatoons->height() * ty;
        const double w = RoundHalfEven(paneWidth / n);
        picPlatoons->Cls();
        for (int i = 1; i <= n; ++i) {
            line = 3;
            const auto& p = platoons->Item(i);
            const double x = RoundHalfEven((i - 1) * w + w / 2);
            const QString s = p->Code() + QLatin1Char(' ') + p->Description();
            line = 4;
            const double h = picPlatoons->TextHeight(s) * ty;
            if (h > 0)
                picPlatoons->setFontSize(
                    static_cast<float>(paneHeight / h * 0.9 * picPlatoons->FontSize()));
            line = 5;
            double sw = picPlatoons->TextWidth(s) * tx;
            if (0.8 * w < sw && sw > 0)
                picPlatoons->setFontSize(
                    static_cast<float>(w / sw * 0.8 * picPlatoons->FontSize()));
            line = 6;
            sw = picPlatoons->TextWidth(s) * tx;
            const double sh = picPlatoons->TextHeight(s) * ty;
            picPlatoons->Print(s, QPointF((x - sw / 2) / tx, (paneHeight - sh) / 2 / ty),
                               p->Color());
        }
    } catch (const std::exception& e) {
        report(e, "PrintPlatoons", line);
    }
}

void frmCal::UpdateViewMenu()
{
    const auto list = schedule_->Shifts();
    const int count = list ? list->Count() : 0;
    QAction* one = mnuviewSchedulePick[1];
    QAction* two = mnuviewSchedulePick[2];
    QAction* both = mnuviewSchedulePick[3];
    if (count >= 1) {
        one->setText(list->Item(1)->Description());
        one->setVisible(true);
        one->setEnabled(true);
    } else {
        one->setVisible(false);
        one->setEnabled(false);
    }
    if (count < 2) {
        two->setVisible(false);
        two->setEnabled(false);
        both->setVisible(false);
        both->setEnabled(false);
    } else {
        two->setText(list->Item(2)->Description());
        for (QAction* a : {two, both}) {
            a->setVisible(true);
            a->setEnabled(true);
        }
    }
    const int current = ctlMonth1->CellSplit() == 2 ? 3 : shiftIndex_;
    for (int k = 1; k <= 3; ++k)
        mnuviewSchedulePick[static_cast<size_t>(k)]->setChecked(k == current);
    mnuFileChangeInfo->setVisible(true);
}

void frmCal::ApplyBackcolor()
{
    const int32_t c = Backcolor(shiftIndex_);
    ctlMonth1->setBackColor(c);
    for (PicturePane* pane : {picTitle, picFooter, picPlatoons, picDescription})
        pane->setBackColor(c);
}

// ---------------------------------------------------------------- special period

void frmCal::setSpecialPeriodLength(int32_t v)
{
    specialPeriodLength_ = v;
    mnuViewSpecialPeriod->setVisible(v >= 1);
    CalSettings::writeLong(CalSettings::SpecialPeriodLength, v);
    ctlMonth1->SetSpecialPeriod(specialPeriodLength_, specialPeriodOffset_);
    Update();
}

void frmCal::setSpecialPeriodOffset(int32_t v)
{
    specialPeriodOffset_ = v;
    CalSettings::writeLong(CalSettings::SpecialPeriodOffset, v);
    ctlMonth1->SetSpecialPeriod(specialPeriodLength_, specialPeriodOffset_);
    Update();
}

void frmCal::setSpecialPeriodName(const QString& v)
{
    specialPeriodName_ = v;
    mnuViewSpecialPeriod->setText(v);
    CalSettings::writeText(CalSettings::SpecialPeriodName, v);
}

int32_t frmCal::SpecialPeriodColor() const
{
    return ctlMonth1->SpecialPeriodColor();
}

void frmCal::setSpecialPeriodColor(int32_t v)
{
    ctlMonth1->setSpecialPeriodColor(v);
    CalSettings::writeLong(CalSettings::SpecialPeriodColor, v);
    ctlMonth1->Repaint();
}

// ---------------------------------------------------------------- month control events

void frmCal::ctlMonth1_DateChange()
{
    int line = 1;
    try {
        FillDays();
        line = 2;
        ctlMonth1->Refresh();
    } catch (const std::exception& e) {
        report(e, "ctlMonth1_DateChange", line);
    }
}

void frmCal::ctlMonth1_SettingChange(const QString& name)
{
    // These re-lay the days out without a DateChange: each cell now holds
    // another date (a new first weekday), or today's tooltip was reset.
    if (name == QLatin1String("FirstWeekday") || name == QLatin1String("ShowFullGrid") ||
        name == QLatin1String("FullDate")) {
        handled("ctlMonth1_SettingChange", [&] {
            FillDays();
            ctlMonth1->Refresh();
        });
    }
    if (name == QLatin1String("FontBold")) {
        const bool bold = ctlMonth1->FontBold();
        for (PicturePane* pane : {picTitle, picPlatoons, picDescription}) {
            QFont f = pane->PaneFont();
            f.setBold(bold);
            pane->setPaneFont(f);
        }
    }
    Repaint();
}

void frmCal::ctlMonth1_SelectionChange(double)
{
    handled("ctlMonth1_SelectionChange", [&] {
        if (editMode_ == 1) {
            // The on-duty step window takes the clicked date; it arrives with the wizard.
        }
    });
}

void frmCal::ctlMonth1_Show()
{
    int line = 1;
    try {
        // The control says Show again each time the window comes back (from
        // the tray, say); the last run's unsaved changes are news only once.
        const bool first = !shown_;
        shown_ = true;
        line = 2;
        const bool changed =
            first && CalSettings::readBool(CalSettings::DataChanged, reportAt("ctlMonth1_Show", 2));
        line = 3;
        if (changed)
            MsgBox(QStringLiteral("Schedule has been changed!\r\n\r\nVerify accuracy."),
                   Msg::OKOnly | Msg::Exclamation, QStringLiteral("Schedule Changed"));
    } catch (const std::exception& e) {
        report(e, "ctlMonth1_Show", line);
    }
}

// ---------------------------------------------------------------- layout and clock

bool frmCal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        DeferMessages deferred;
        Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmCal::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        DeferMessages deferred;
        Form_Resize();
    }
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

void frmCal::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized) {
        Timer1.stop();
        return;
    }
    if (mnuTime->text() != kTimeCaption && !Timer1.isActive())
        Timer1.start();
    // Errors while laying out are ignored: the next resize tries again.
    try {
        // A window not shown yet has not laid out its client area for its size.
        if (!isVisible() && layout())
            layout()->setGeometry(rect());
        const CalLayout l = ComputeCalLayout(client_->size(), TwipsPerPixelX(), TwipsPerPixelY(),
                                             ctlMonth1->size());
        Picture1->setGeometry(l.picture1);
        Picture2->setGeometry(l.picture2);
        const QSize titleBefore = picTitle->size();
        picTitle->setGeometry(l.picTitle);
        picFooter->setGeometry(l.picFooter);
        ctlMonth1->setGeometry(l.month);
        const QSize platoonsBefore = picPlatoons->size();
        const QSize descriptionBefore = picDescription->size();
        picPlatoons->setGeometry(l.picPlatoons);
        picDescription->setGeometry(l.picDescription);
        const bool first = !laidOut_;
        laidOut_ = true;
        if (first || picTitle->size() != titleBefore)
            PrintCentered(picTitle, currentTitle_);
        if (first || picPlatoons->size() != platoonsBefore)
            PrintPlatoons();
        if (first || picDescription->size() != descriptionBefore)
            PrintCentered(picDescription, currentDescription_);
    } catch (const std::exception&) {
    }
}

void frmCal::Timer1_Timer()
{
    mnuTime->setText(clockService().now().toString(QStringLiteral("HH:mm:ss")));
    mnuTime->setVisible(true);
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

// ---------------------------------------------------------------- closing and tray

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
    int line = 1;
    try {
        if (dataChanged_) {
            // The save choice window arrives with the wizard; closing goes on whatever it says.
        }
        line = 2; // nothing to keep loaded for the shutdown
        line = 3;
        UnloadOtherWindows();
        line = 4;
        // The tray may have gone since start-up: hiding then would leave no way back.
        if (trayCapable_ && mnuFileHideInTray->isChecked() && fromCloseBox &&
            trayService().isAvailable()) {
            // Hidden in the tray no window is left; the program must not end for that.
            QApplication::setQuitOnLastWindowClosed(false);
            setWindowState(windowState() | Qt::WindowMinimized);
            hide();
            TrayAdd(windowIcon(), QStringLiteral("Tarnwell"), mnuTray,
                    [this](int m) { TrayMessage(m); });
            inTray_ = true;
            return false;
        }
    } catch (const std::exception& e) {
        report(e, "Form_QueryUnload", line);
    }
    return true;
}

void frmCal::Form_Unload()
{
    handled("Form_Unload", [&] {
        namespace S = CalSettings;
        S::writeBool(S::DataChanged, dataChanged_);
        SettingsSave();
        S::writeBool(S::HideInTray, mnuFileHideInTray->isChecked());
        S::writeBool(S::LockSchedule, mnuFileLockSchedule->isChecked());
        S::writeBool(S::SpecialPeriodChecked, mnuViewSpecialPeriod->isChecked());
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

// ---------------------------------------------------------------- commands

bool frmCal::LockedAgainstChange()
{
    if (!mnuFileLockSchedule->isChecked())
        return false;
    MsgBox(QStringLiteral("Schedule is Locked"), Msg::OKOnly | Msg::Critical,
           QStringLiteral("Access Denied"));
    return true;
}

void frmCal::mnuFileLoadMySchedule_Click()
{
    LoadSchedule();
}

void frmCal::mnuFileCreateSchedule_Click()
{
    if (LockedAgainstChange())
        return;
    // The wizard's first window arrives with the wizard.
}

void frmCal::mnuFileConfigureRecurringPeriod_Click()
{
    if (LockedAgainstChange())
        return;
    // The special period dialog arrives with its own feature.
}

void frmCal::mnuFileChangeInfo_Click()
{
    if (LockedAgainstChange())
        return;
    // The schedule information window arrives with the wizard.
}

void frmCal::mnuFileSave_Click()
{
    // The save choice window arrives with the wizard.
}

void frmCal::mnuFilePrintPreview_Click()
{
    // The image calendar arrives with its own feature.
}

bool frmCal::VerifyLogin()
{
    // The log-in window arrives with the users feature; until then nobody can log in.
    return false;
}

void frmCal::mnuFileLockSchedule_Click()
{
    // The check mark is the lock: it changes only after a successful log-in,
    // so undo the flip the menu has already made.
    const bool locked = !mnuFileLockSchedule->isChecked();
    mnuFileLockSchedule->setChecked(locked);
    if (VerifyLogin())
        mnuFileLockSchedule->setChecked(!locked);
}

void frmCal::mnuFileUser_Click()
{
    // The user window arrives with the users feature.
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
        const auto list = schedule_->Shifts();
        const int count = list ? list->Count() : 0;
        if (count < 1)
            return;
        if (index == 1 || index == 3) {
            shiftIndex_ = 1;
            ctlMonth1->setCellSplit(index == 1 ? 1 : 2);
        } else if (index == 2 && count >= 2) {
            shiftIndex_ = 2;
            ctlMonth1->setCellSplit(1);
        }
        Update();
    });
}

void frmCal::mnuViewSpecialPeriod_Click()
{
    handled("mnuViewSpecialPeriod_Click", [&] {
        if (mnuViewSpecialPeriod->isChecked())
            ctlMonth1->SetSpecialPeriod(specialPeriodLength_, specialPeriodOffset_);
        else
            ctlMonth1->SetSpecialPeriod(0, 0);
        Update();
    });
}

void frmCal::mnuViewBackcolor_Click()
{
    handled("mnuViewBackcolor_Click", [&] {
        const size_t item = static_cast<size_t>(std::clamp<int>(shiftIndex_, 1, 2) - 1);
        int32_t chosen = backcolor_[item];
        if (!dialogs().chooseColor(this, backcolor_[item], chosen))
            return; // cancelled: nothing changes, nothing is said
        backcolor_[item] = chosen;
        Update();
    });
}

void frmCal::mnuFavoritesAdd_Click()
{
    // The schedule list arrives with its own feature.
}

void frmCal::mnuFavoritesOpen_Click()
{
    // The schedule list window arrives with its own feature.
}

void frmCal::mnuWindow_Open()
{
    // Opening the menu will show the image calendar once it exists.
}

void frmCal::mnuHelpAbout_Click()
{
    frmAbout::ShowAbout();
}

void frmCal::mnuHelpOnlineHelp_Click()
{
    const QString page = HelpPagePath();
    if (!ShellOpen(page))
        MsgBox(QStringLiteral("No program could open the help page. Open it in a web browser:"
                              "\r\n\r\n%1")
                   .arg(QDir::toNativeSeparators(page)),
               Msg::OKOnly | Msg::Information, QStringLiteral("Online Help"));
}

void frmCal::mnuHelpEmailSupport_Click()
{
    const QString address = QString::fromLatin1(kSupportEmail);
    if (!ShellOpen(QStringLiteral("mailto:") + address))
        MsgBox(
            QStringLiteral("No e-mail program could be started. Write to:\r\n\r\n%1").arg(address),
            Msg::OKOnly | Msg::Information, QStringLiteral("Email Support"));
}

// ---------------------------------------------------------------- lookup

PicturePane* frmCal::Pane(const QString& name) const
{
    return findChild<PicturePane*>(name);
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

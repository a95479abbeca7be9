// The image calendar's life and state: creation, its menus and bands, the
// month controls kept alike, the properties and the View, Scope and
// Orientation commands.
#include "imagecalendar/frmYear.h"

#include "calendars/OtherCalendars.h"
#include "imagecalendar/YearLayout.h"
#include "imagecalendar/frmYearSupport.h"
#include "mainwindow/PicturePane.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/MonthGrid.h"
#include "monthcontrol/ScheduleFill.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "session/CalendarSession.h"
#include "session/SpecialPeriod.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <algorithm>

using namespace yearform;

frmYear::frmYear(ImageCalendarSource source, QWidget* parent)
    : QMainWindow(parent), source_(std::move(source))
{
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Image Calendar"));
    if (!source_.schedule)
        source_.schedule = std::make_shared<clsSchedule>();
    buildMenus();
    buildBands();
    Form_Load();
}

frmYear::~frmYear()
{
    // Months must not report to a window that is going.
    for (ctlMonth* m : months_)
        m->disconnect(this);
}

void frmYear::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [this, bar](const char* name, const QString& caption) {
        auto* m = new QMenu(caption, this);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        bar->addMenu(m);
        return m;
    };
    auto item = [](QMenu* m, const QString& name, const QString& caption, bool checkable = false) {
        QAction* a = m->addAction(caption);
        a->setObjectName(name);
        a->setCheckable(checkable);
        return a;
    };

    mnuFile = menu("mnuFile", QStringLiteral("&File"));
    mnuFileOpenWith = item(mnuFile, "mnuFileOpenWith", QStringLiteral("&Open With..."));
    mnuFileSaveAs = item(mnuFile, "mnuFileSaveAs", QStringLiteral("Save &As..."));
    mnuFile->addSeparator()->setObjectName("mnuFileBar0");
    mnuFilePrinterSetup = item(mnuFile, "mnuFilePrinterSetup", QStringLiteral("Printer &Setup"));
    mnuFilePrintToFitPage = item(mnuFile, "mnuFilePrintToFitPage", QStringLiteral("&Print"));
    mnuFile->addSeparator()->setObjectName("mnuFileBa1");
    mnuClose = item(mnuFile, "mnuClose", QStringLiteral("&Close"));
    connect(mnuFileOpenWith, &QAction::triggered, this, &frmYear::mnuFileOpenWith_Click);
    connect(mnuFileSaveAs, &QAction::triggered, this, &frmYear::mnuFileSaveAs_Click);
    connect(mnuFilePrinterSetup, &QAction::triggered, this, &frmYear::mnuFilePrinterSetup_Click);
    connect(mnuFilePrintToFitPage, &QAction::triggered, this,
            &frmYear::mnuFilePrintToFitPage_Click);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);

    QMenu* mnuView = menu("mnuView", QStringLiteral("&View"));
    const QString shiftCaptions[] = {QString(), QStringLiteral("Shift1"), QStringLiteral("Shift2"),
                                     QStringLiteral("&Both")};
    for (int k = 1; k <= 3; ++k) {
        QAction* a =
            item(mnuView, QStringLiteral("mnuViewShiftPick_%1").arg(k), shiftCaptions[k], true);
        mnuViewShiftPick[static_cast<size_t>(k)] = a;
        connect(a, &QAction::triggered, this, [this, k] { mnuViewShiftPick_Click(k); });
    }
    mnuViewSpecialPeriod =
        item(mnuView, "mnuViewSpecialPeriod", QStringLiteral("Special &Period"), true);
    connect(mnuViewSpecialPeriod, &QAction::triggered, this, &frmYear::mnuViewSpecialPeriod_Click);

    QMenu* mnuOrientation = menu("mnuOrientation", QStringLiteral("&Orientation"));
    const QString orientationCaptions[] = {QString(), QStringLiteral("&Portrait"),
                                           QStringLiteral("&Landscape")};
    for (int k = 1; k <= 2; ++k) {
        QAction* a = item(mnuOrientation, QStringLiteral("mnuOrientationPick_%1").arg(k),
                          orientationCaptions[k], true);
        mnuOrientationPick[static_cast<size_t>(k)] = a;
        connect(a, &QAction::triggered, this, [this, k] { mnuOrientationPick_Click(k); });
    }

    QMenu* mnuScope = menu("mnuScope", QStringLiteral("&Scope"));
    const std::pair<int, const char*> scopes[] = {{1, "One &Month"},    {2, "&Two Months"},
                                                  {3, "Th&ree Months"}, {4, "&Four Months"},
                                                  {6, "&Six Months"},   {12, "One &Year"}};
    for (const auto& [n, caption] : scopes) {
        QAction* a = item(mnuScope, QStringLiteral("mnuScopePick_%1").arg(n),
                          QString::fromLatin1(caption), true);
        mnuScopePick[n] = a;
        const int count = n;
        connect(a, &QAction::triggered, this, [this, count] { mnuScopePick_Click(count); });
    }
}

void frmYear::buildBands()
{
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    Picture1 = new QWidget(client_);
    Picture1->setObjectName("Picture1");
    picTitle = new PicturePane(QStringLiteral("picTitle"), Picture1);
    Picture3 = new QWidget(client_);
    Picture3->setObjectName("Picture3");
    Picture2 = new LegendBand(client_);
    picPlatoons = new PicturePane(QStringLiteral("picPlatoons"), Picture2);
    picDescription = new PicturePane(QStringLiteral("picDescription"), Picture2);
    // Inside the white box.
    picPlatoons->setBackColor(0xFFFFFF);
    picDescription->setBackColor(0xFFFFFF);
}

namespace {
// What keeps the months of the page alike; rows never fit, so that every
// month keeps the page's grid.
void takeDisplayOptions(ctlMonth& to, const ctlMonth& from)
{
    to.setFirstWeekday(from.FirstWeekday());
    to.setFontBold(from.FontBold());
    to.setShowFullGrid(from.ShowFullGrid());
    to.setShowWeekends(from.ShowWeekends());
    to.setFitRows(false);
}
} // namespace

ctlMonth* frmYear::makeMonth()
{
    auto* m = new ctlMonth(Picture3);
    m->setObjectName(QStringLiteral("ctlMonth1_%1").arg(months_.size()));
    m->setSpecialPeriodName(SpecialPeriod::menuText(source_.specialPeriodName));
    if (source_.notes)
        m->setMarkDetails([notes = source_.notes](double day) { return notes->DayLines(day); });
    if (!months_.empty()) {
        // Months loaded later look like month 0 from the start, so that their
        // first report does not hand defaults back to month 0.
        const ctlMonth* first = months_.front();
        m->setFont(first->Font());
        takeDisplayOptions(*m, *first);
        m->setCellSplit(first->CellSplit());
        m->setSpecialPeriodColor(first->SpecialPeriodColor());
        m->SetSpecialPeriod(first->SpecialPeriodLength(), first->SpecialPeriodOffset());
        m->setShowButtons(false);
    }
    connect(m, &ctlMonth::DateChange, this, [this, m] { ctlMonth1_DateChange(m); });
    connect(m, &ctlMonth::SettingChange, this,
            [this, m](const QString& name) { ctlMonth1_SettingChange(m, name); });
    months_.push_back(m);
    return m;
}

void frmYear::Form_Load()
{
    ctlMonth* first = makeMonth();
    first->setFont(source_.monthFont);
    first->setSpecialPeriodColor(specialPeriodColorNow());
    first->setShowButtons(true);
    for (PicturePane* box : {picTitle, picPlatoons, picDescription})
        box->setPaneFont(first->Font());

    setMonthCount(6);

    const auto list = source_.schedule->Shifts();
    const int count = shiftCount();
    QAction* one = mnuViewShiftPick[1];
    one->setVisible(count >= 1);
    one->setEnabled(count >= 1);
    if (count >= 1)
        one->setText(list->Item(1)->Description());
    for (size_t k : {size_t(2), size_t(3)}) {
        mnuViewShiftPick[k]->setVisible(count >= 2);
        mnuViewShiftPick[k]->setEnabled(count >= 2);
    }
    if (count >= 2)
        mnuViewShiftPick[2]->setText(list->Item(2)->Description());

    shiftIndex_ = source_.shiftIndex;
    if (shiftIndex_ >= 1 && shiftIndex_ <= 3)
        mnuViewShiftPick[static_cast<size_t>(shiftIndex_)]->setChecked(true);
    if (const auto shift = shiftAt(shiftIndex_))
        descriptionText_ = shift->Description();

    pageRatio_ = GetPageRatio();
    mnuOrientationPick_Click(YearLayout::orientationForRatio(pageRatio_));

    mnuViewSpecialPeriod->setVisible(source_.specialPeriodLength >= 1);
    mnuViewSpecialPeriod->setText(SpecialPeriod::menuText(source_.specialPeriodName));
    mnuViewSpecialPeriod->setChecked(false);

    loaded_ = true;
    // This month when the window is loaded; later paints keep what the user chose.
    setFirstMonth(DayNumber::fromDate(clockService().today()));
}

std::shared_ptr<clsShift> frmYear::shiftAt(int index) const
{
    const auto list = source_.schedule->Shifts();
    if (!list || index < 1 || index > list->Count())
        return nullptr;
    return list->Item(index);
}

int frmYear::shiftCount() const
{
    const auto list = source_.schedule->Shifts();
    return list ? list->Count() : 0;
}

int32_t frmYear::specialPeriodColorNow() const
{
    return source_.currentSpecialPeriodColor ? source_.currentSpecialPeriodColor()
                                             : source_.specialPeriodColor;
}

ctlMonth* frmYear::Month(int index) const
{
    if (index < 0 || index >= LoadedMonths())
        return nullptr;
    return months_[static_cast<size_t>(index)];
}

PicturePane* frmYear::Pane(const QString& name) const
{
    return findChild<PicturePane*>(name);
}

QAction* frmYear::MenuAction(const QString& name) const
{
    const auto all = findChildren<QAction*>(name);
    return all.isEmpty() ? nullptr : all.front();
}

// ---------------------------------------------------------------- properties

void frmYear::setMonthCount(int16_t n)
{
    if (!YearLayout::arrangement(n, orientation_))
        return;
    monthCount_ = n;
    mnuScopePick[n]->setChecked(true);
    RebuildMonths();
    ArrangeMonths();
    if (loaded_)
        ChainMonths(); // new months show their own months at once
}

void frmYear::setOrientation(int32_t v)
{
    orientation_ = v;
    shapeWindow();
    if (v >= 1 && v <= 2)
        mnuOrientationPick[static_cast<size_t>(v)]->setChecked(true);
    ArrangeMonths();
}

void frmYear::setShiftView(int index)
{
    mnuViewShiftPick_Click(index);
}

void frmYear::setSpecialPeriodShown(bool shown)
{
    if (mnuViewSpecialPeriod->isChecked() != shown)
        mnuViewSpecialPeriod->trigger();
}

void frmYear::setFirstMonth(double date)
{
    // Month 0 may announce the month or not (it announces a month once);
    // the chain runs once either way.
    bool chained = false;
    auto once = connect(months_.front(), &ctlMonth::DateChange, this, [&] { chained = true; });
    months_.front()->setFullDate(date);
    disconnect(once);
    if (!chained)
        ChainMonths();
    firstMonth_ = months_.front()->FullDate();
}

void frmYear::setVisible(bool visible)
{
    if (!visible || isVisible()) {
        QMainWindow::setVisible(visible);
        return;
    }
    // Each month control goes to today's month as it is shown; the window
    // then shows the months it showed before.
    showing_ = true;
    QMainWindow::setVisible(true);
    showing_ = false;
    setFirstMonth(firstMonth_);
}

// ---------------------------------------------------------------- months

void frmYear::ChainMonths()
{
    FillDays(0);
    const double first = months_.front()->FullDate();
    for (int i = 1; i < LoadedMonths(); ++i) {
        months_[static_cast<size_t>(i)]->setFullDate(MonthGrid::addMonths(first, i));
        FillDays(i);
    }
}

void frmYear::FillDays(int index)
{
    ctlMonth& month = *months_[static_cast<size_t>(index)];
    FillDaysFromSchedule(month, source_.schedule, shiftIndex_);
    if (source_.notes) {
        const double first = month.DateOfCell(1), last = month.DateOfCell(42);
        FillDaysWithNotes(month, source_.notes->ShownMarks(first, last),
                          source_.notes->KindColors());
        FillDaysWithCalendars(month, source_.notes->Calendars().ShownBars(first, last));
    }
}

void frmYear::RefreshNotes()
{
    handled("RefreshNotes", [&] {
        for (int i = 0; i < LoadedMonths(); ++i) {
            FillDays(i);
            months_[static_cast<size_t>(i)]->Refresh();
        }
    });
}

void frmYear::ctlMonth1_DateChange(ctlMonth* month)
{
    if (month != months_.front())
        return;
    handled("ctlMonth1_DateChange", [&] { ChainMonths(); });
    if (!showing_)
        firstMonth_ = month->FullDate();
}

void frmYear::ctlMonth1_SettingChange(ctlMonth* month, const QString& name)
{
    handled("ctlMonth1_SettingChange", [&] {
        // The month's cells hold other dates now (another first weekday), or
        // today's tooltip was reset: it fills its own cells again, here and
        // not in SyncMonths, where a month may not have laid its days out yet.
        if (name == QLatin1String("FirstWeekday") || name == QLatin1String("ShowFullGrid")) {
            const auto it = std::find(months_.begin(), months_.end(), month);
            if (it != months_.end()) {
                FillDays(static_cast<int>(it - months_.begin()));
                month->Refresh();
            }
        }
        ctlMonth* first = months_.front();
        if (month == first) {
            if (name != QLatin1String("ShowButtons"))
                SyncMonths();
            return;
        }
        takeDisplayOptions(*first, *month);
        month->setShowButtons(false);
        month->setFitRows(false);
    });
}

void frmYear::SyncMonths()
{
    ctlMonth* first = months_.front();
    const int32_t color = specialPeriodColorNow();
    for (int i = 1; i < LoadedMonths(); ++i) {
        ctlMonth* m = months_[static_cast<size_t>(i)];
        first->setSpecialPeriodColor(color);
        m->setSpecialPeriodColor(color);
        takeDisplayOptions(*m, *first);
        m->setShowButtons(false);
    }
    for (PicturePane* box : {picTitle, picPlatoons, picDescription}) {
        QFont f = box->PaneFont();
        f.setBold(first->FontBold());
        box->setPaneFont(f);
    }
    Repaint();
}

// ---------------------------------------------------------------- menus

void frmYear::mnuViewShiftPick_Click(int index)
{
    for (size_t k = 1; k <= 3; ++k)
        mnuViewShiftPick[k]->setChecked(false);
    const int count = shiftCount();
    if (count < 1 || index < 1 || index > 3)
        return;
    ctlMonth* first = months_.front();
    if (index == 1) {
        shiftIndex_ = 1;
        first->setCellSplit(1);
        descriptionText_ = shiftAt(1)->Description();
    } else if (index == 2 && count >= 2) {
        shiftIndex_ = 2;
        first->setCellSplit(1);
        descriptionText_ = shiftAt(2)->Description();
    } else if (index == 3) {
        shiftIndex_ = 1;
        first->setCellSplit(2);
        descriptionText_ = source_.schedule->Description();
    }
    mnuViewShiftPick[static_cast<size_t>(index)]->setChecked(true);
    for (int i = 0; i < LoadedMonths(); ++i) {
        ctlMonth* m = months_[static_cast<size_t>(i)];
        m->setCellSplit(first->CellSplit());
        FillDays(i);
        m->Repaint();
    }
    PrintPlatoons();
    PrintCentered(picDescription, descriptionText_);
}

void frmYear::mnuViewSpecialPeriod_Click()
{
    const bool shown = mnuViewSpecialPeriod->isChecked();
    for (ctlMonth* m : months_) {
        if (shown) {
            m->setSpecialPeriodColor(specialPeriodColorNow());
            m->SetSpecialPeriod(source_.specialPeriodLength, source_.specialPeriodOffset);
        } else {
            m->SetSpecialPeriod(0, 0);
        }
    }
    for (ctlMonth* m : months_)
        m->Repaint();
}

void frmYear::mnuScopePick_Click(int index)
{
    setMonthCount(static_cast<int16_t>(index));
    Form_Resize();
    setFirstMonth(months_.front()->FullDate());
    for (auto& [n, a] : mnuScopePick)
        a->setChecked(n == index && monthCount_ == index);
    if (QAction* chosen = mnuScopePick[monthCount_])
        chosen->setChecked(true);
}

void frmYear::mnuOrientationPick_Click(int index)
{
    handled("mnuOrientationPick_Click", [&] {
        setOrientation(index);
        for (size_t k = 1; k <= 2; ++k)
            mnuOrientationPick[k]->setChecked(static_cast<int>(k) == index);
    });
}

// The month control's life and state: construction, the dates of the grid,
// the methods and the properties.
#include "monthcontrol/ctlMonth.h"
#include "monthcontrol/ctlMonthAccessible.h"

#include "model/DayNumber.h"
#include "monthcontrol/ctlMonthSupport.h"
#include "platform/IClock.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "platform/widgets/ReportError.h"

#include <QMenu>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

using namespace ctlmonth;

ctlMonth::ctlMonth(QWidget* parent)
    : QWidget(parent), foreColor_(OleColor::WindowText), backColor_(OleColor::WindowBackground),
      weekendColor_(OleColor::ButtonFace), specialPeriodColor_(OleColor::ButtonFace),
      font_(designedFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // keys reach the host after Tab too
    ctlMonthAccessibility::install();
    try {
        for (int i = 0; i < MonthGrid::CellCount; ++i)
            days_.Add(std::make_shared<clsDayBox>(static_cast<int16_t>(i)));

        timer1_.setSingleShot(true);
        timer1_.setInterval(200);
        connect(&timer1_, &QTimer::timeout, this, &ctlMonth::Timer1_Timer);

        for (int i = 0; i < 4; ++i)
            imgNav_[static_cast<size_t>(i)] = new imgNavPicture(i, this);

        mnuDebug_ = new QMenu(QStringLiteral("&Debug"), this);
        mnuDebug_->setObjectName(QStringLiteral("mnuDebug"));
        auto addEntry = [this](QMenu* menu, const char* name, const char* caption) {
            QAction* a = menu->addAction(QString::fromLatin1(caption));
            a->setObjectName(QString::fromLatin1(name));
            a->setCheckable(true);
            return a;
        };
        mnuDebugBoldFont_ = addEntry(mnuDebug_, "mnuDebugBoldFont", "&Bold Font");
        mnuDebugButtons_ = addEntry(mnuDebug_, "mnuDebugButtons", "&Buttons");
        mnuDebugFirstDayOfWeek_ = mnuDebug_->addMenu(QStringLiteral("First Day Of &Week"));
        mnuDebugFirstDayOfWeek_->setObjectName(QStringLiteral("mnuDebugFirstDayOfWeek"));
        const std::pair<int, const char*> picks[] = {
            {0, "&Use System First Day Of Week"}, {1, "&Sunday"}, {2, "&Monday"}, {7, "Satu&rday"}};
        for (const auto& [index, caption] : picks) {
            QAction* a = mnuDebugFirstDayOfWeek_->addAction(QString::fromLatin1(caption));
            a->setObjectName(QStringLiteral("mnuDebugFirstDayOfWeekPick%1").arg(index));
            a->setCheckable(true);
            mnuDebugFirstDayOfWeekPick_.insert(index, a);
            const int i = index;
            connect(a, &QAction::triggered, this,
                    [this, i] { mnuDebugFirstDayOfWeekPick_Click(i); });
        }
        mnuDebugFitRows_ = addEntry(mnuDebug_, "mnuDebugFitRows", "Fit &Rows");
        mnuDebugFullGrid_ = addEntry(mnuDebug_, "mnuDebugFullGrid", "Full &Grid");
        mnuDebugWeekends_ = addEntry(mnuDebug_, "mnuDebugWeekends", "&Weekends");
        connect(mnuDebugBoldFont_, &QAction::triggered, this, &ctlMonth::mnuDebugBoldFont_Click);
        connect(mnuDebugButtons_, &QAction::triggered, this, &ctlMonth::mnuDebugButtons_Click);
        connect(mnuDebugFitRows_, &QAction::triggered, this, &ctlMonth::mnuDebugFitRows_Click);
        connect(mnuDebugFullGrid_, &QAction::triggered, this, &ctlMonth::mnuDebugFullGrid_Click);
        connect(mnuDebugWeekends_, &QAction::triggered, this, &ctlMonth::mnuDebugWeekends_Click);
        syncMenu();
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("UserControl_Initialize"), UnitKind::UserControl, Unit);
    }
}

ctlMonth::~ctlMonth() = default;

double ctlMonth::TwipsPerPixelX() const
{
    return 1440.0 / std::max(1, logicalDpiX());
}
double ctlMonth::TwipsPerPixelY() const
{
    return 1440.0 / std::max(1, logicalDpiY());
}
double ctlMonth::ScaleWidth() const
{
    return width() * TwipsPerPixelX();
}
double ctlMonth::ScaleHeight() const
{
    return height() * TwipsPerPixelY();
}

// ---------------------------------------------------------------- dates and layout

void ctlMonth::recomputeMonthBounds()
{
    startDate_ = MonthGrid::gridStart(fullDate_, firstWeekday_);
    lastDay_ = MonthGrid::lastDayOf(theYear_, theMonth_);
    keepFocusDayInMonth();
}

void ctlMonth::Initialize_Days()
{
    try {
        recomputeMonthBounds();
        if (fitRows_)
            CountRows(rowCount_);
        const double today = DayNumber::fromDate(clockService().today());
        for (int p = 1; p <= days_.Count(); ++p) {
            const double d = DateOfCell(static_cast<int16_t>(p));
            const QDate date = MonthGrid::checkedDate(d);
            clsDayBox& cell = *days_.Item(p);
            cell.setValue(static_cast<int16_t>(date.day()));
            cell.setFullDate(d);
            if (d == today)
                cell.setToolTipText(QStringLiteral("Today"));
            if (date.month() == theMonth_)
                cell.setFlag(0);
            else if (date.addMonths(1).month() == theMonth_)
                cell.setFlag(-1);
            else if (date.addMonths(-1).month() == theMonth_)
                cell.setFlag(1);
            // Otherwise (a month outside 1..12) the flag keeps its value.
        }
        daysReady_ = true;
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("Initialize_Days"), UnitKind::UserControl, Unit);
    }
}

void ctlMonth::CountRows(int16_t currentRows)
{
    const int16_t rows = MonthGrid::rowsFor(startDate_, lastDay_);
    if (rows == currentRows)
        return;
    rowCount_ = rows;
    Picture1_Resize();
}

int16_t ctlMonth::RowAt(double y) const
{
    return MonthGrid::rowAt(y, cellHeight_);
}
int16_t ctlMonth::ColumnAt(double x) const
{
    return MonthGrid::columnAt(x, cellWidth_);
}
int16_t ctlMonth::CellIndexAt(int16_t week, int16_t column) const
{
    return MonthGrid::cellIndexAt(week, column, days_.Count());
}
int16_t ctlMonth::IndexAtPoint(double x, double y) const
{
    return CellIndexAt(static_cast<int16_t>(RowAt(y) - 2), ColumnAt(x));
}
double ctlMonth::DateOfCell(int16_t position) const
{
    if (position < 1 || position > MonthGrid::CellCount)
        throw Err::make(Err::SubscriptOutOfRange);
    return MonthGrid::dateOfCell(startDate_, position);
}
int16_t ctlMonth::CellOfDate(double date) const
{
    return static_cast<int16_t>(MonthGrid::cellOfDate(startDate_, date));
}

void ctlMonth::UserControl_Show()
{
    int line = 10;
    try {
        const QDate today = clockService().today();
        theMonth_ = today.month();
        theYear_ = today.year();
        line = 20;
        fullDate_ = MonthGrid::dateSerial(theYear_, theMonth_);
        line = 30;
        recomputeMonthBounds();
        line = 40;
        Initialize_Days();
        line = 50;
        // Showing announces the month without recording it: the first title
        // click afterwards raises DateChange again.
        emit DateChange();
        line = 60;
        emit Show();
        line = 70;
        isShown_ = true;
        mnuDebugFitRows_->setVisible(!fixedGrid_);
        surfaceStale_ = true;
        update();
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("UserControl_Show"), UnitKind::UserControl, Unit, line);
    }
}

void ctlMonth::showEvent(QShowEvent* event)
{
    // The host's Show handler may raise its own messages here too.
    DeferMessages deferred;
    if (!event->spontaneous())
        UserControl_Show();
}

// ---------------------------------------------------------------- methods

void ctlMonth::Refresh()
{
    Picture1_Resize();
}
void ctlMonth::Repaint()
{
    Picture1_Paint();
}

// The month steps go through FullDate, then keep to the January 1970 floor once more.
void ctlMonth::stepTo(double d)
{
    setFullDate(d);
    if (fullDate_ < MonthGrid::FirstShownDay)
        setFullDate(MonthGrid::FirstShownDay);
}

void ctlMonth::NextMonth()
{
    stepTo(MonthGrid::addMonths(fullDate_, 1));
}

void ctlMonth::PrevMonth()
{
    stepTo(MonthGrid::addMonths(fullDate_, -1));
}

void ctlMonth::NextYear()
{
    stepTo(MonthGrid::addYears(fullDate_, 1));
}

void ctlMonth::PrevYear()
{
    stepTo(MonthGrid::addYears(fullDate_, -1));
}

void ctlMonth::LetDayColor(int16_t index, int32_t color)
{
    if (index >= 0 && index < days_.Count())
        days_.Item(index + 1)->setForeColor(color);
}

void ctlMonth::SetSpecialPeriod(int32_t length, int32_t offset)
{
    specialPeriodLength_ = length;
    specialPeriodOffset_ = offset;
}

bool ctlMonth::InSpecialPeriod(int16_t position) const
{
    return specialPeriodLength_ > 0 &&
           MonthGrid::inSpecialPeriod(DateOfCell(position), specialPeriodLength_,
                                      specialPeriodOffset_);
}

// ---------------------------------------------------------------- properties

void ctlMonth::applyDateChangeRule()
{
    if (fullDate_ != lastAnnouncedDate_) {
        lastAnnouncedDate_ = fullDate_;
        emit DateChange();
    }
}

void ctlMonth::setTheYear(int32_t v)
{
    showYearMonth(v, theMonth_);
}

void ctlMonth::setTheMonth(int32_t v)
{
    showYearMonth(theYear_, v);
}

// The year and month are stored as given (a month of 13 stays 13) while the
// first of the month they name is displayed.
void ctlMonth::showYearMonth(int32_t year, int32_t month)
{
    // Both refuse a month beyond the calendar before anything changes.
    const double first = MonthGrid::dateSerial(year, month);
    MonthGrid::lastDayOf(year, month);
    theYear_ = year;
    theMonth_ = month;
    fullDate_ = first;
    Initialize_Days();
    scheduleRepaint();
    applyDateChangeRule();
}

void ctlMonth::setFullDate(double d)
{
    if (std::isnan(d) || d > MonthGrid::MaxDay)
        throw Err::make(Err::Overflow);
    if (d < MonthGrid::FirstShownDay)
        d = MonthGrid::FirstShownDay;
    if (d == fullDate_)
        return;
    const QDate date = MonthGrid::checkedDate(d);
    // December 9999 has no following month to end it: refused before anything changes.
    MonthGrid::lastDayOf(date.year(), date.month());
    theMonth_ = date.month();
    theYear_ = date.year();
    fullDate_ = MonthGrid::dateSerial(theYear_, theMonth_);
    recomputeMonthBounds();
    Initialize_Days();
    scheduleRepaint();
    applyDateChangeRule();
    emit SettingChange(QStringLiteral("FullDate"));
}

void ctlMonth::setFirstWeekday(int32_t v)
{
    if (v == firstWeekday_)
        return;
    if (v != 0 && v != 1 && v != 2 && v != 7) {
        MsgBox(QStringLiteral("Not Allowed"), Msg::OKOnly);
        return;
    }
    firstWeekday_ = v;
    mnuDebugFirstDayOfWeekPick_Click(v);
    Initialize_Days();
    scheduleRepaint();
    emit SettingChange(QStringLiteral("FirstWeekday"));
}

void ctlMonth::setFitRows(bool v)
{
    if (v != fitRows_) {
        fitRows_ = v;
        if (v)
            CountRows(rowCount_);
        else
            rowCount_ = MonthGrid::FullRows;
        Picture1_Resize();
        emit SettingChange(QStringLiteral("FitRows"));
    }
    mnuDebugFitRows_->setChecked(fitRows_);
}

void ctlMonth::setFontRelativeSize(int16_t v)
{
    fontRelativeSize_ = std::clamp<int16_t>(v, 1, 5);
    Picture1_Resize();
}

void ctlMonth::setShowFullGrid(bool v)
{
    if (v != showFullGrid_) {
        showFullGrid_ = v;
        Initialize_Days();
        scheduleRepaint();
        emit SettingChange(QStringLiteral("ShowFullGrid"));
    }
    mnuDebugFullGrid_->setChecked(showFullGrid_);
}

void ctlMonth::setFontBold(bool v)
{
    if (v != font_.bold()) {
        font_.setBold(v);
        scheduleRepaint();
        emit SettingChange(QStringLiteral("FontBold"));
    }
    mnuDebugBoldFont_->setChecked(font_.bold());
}

void ctlMonth::setShowButtons(bool v)
{
    if (v != showButtons_) {
        showButtons_ = v;
        ShowNavButtons(v);
        emit SettingChange(QStringLiteral("ShowButtons"));
    }
    mnuDebugButtons_->setChecked(showButtons_);
}

void ctlMonth::setFont(const QFont& f)
{
    font_ = f;
    if (!(font_.pointSizeF() > 0))
        font_.setPointSizeF(10);
    QWidget::setFont(f);
    mnuDebugBoldFont_->setChecked(font_.bold());
    Picture1_Resize();
}

void ctlMonth::setForeColor(int32_t v)
{
    foreColor_ = v;
    scheduleRepaint();
}

void ctlMonth::setBackColor(int32_t v)
{
    backColor_ = v;
    scheduleRepaint();
}

void ctlMonth::setBorderStyle(int16_t v)
{
    borderStyle_ = v;
    update();
}

void ctlMonth::setShowWeekends(bool v)
{
    if (v != showWeekends_) {
        showWeekends_ = v;
        scheduleRepaint();
        emit SettingChange(QStringLiteral("ShowWeekends"));
    }
    mnuDebugWeekends_->setChecked(showWeekends_);
}

void ctlMonth::setWeekendColor(int32_t v)
{
    weekendColor_ = v;
    scheduleRepaint();
}

void ctlMonth::setCellSplit(int16_t v)
{
    cellSplit_ = v;
    mnuDebugFullGrid_->setEnabled(v == 1);
}

void ctlMonth::setFixedGrid(bool v)
{
    fixedGrid_ = v;
    mnuDebugFitRows_->setVisible(!v);
}

#include "monthcontrol/ScheduleFill.h"

#include "model/DayNumber.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "session/NoteColors.h"

namespace {
// A tip shows a line or two; a description megabytes long is cut there
// rather than copied into every cell.
QStringView tipPart(const QString& text)
{
    constexpr qsizetype kMost = 500;
    return QStringView(text).left(kMost);
}

// The platoon as the legend names it: code and description.
QString spoken(const clsPlatoon& p)
{
    QString words = tipPart(p.Code()).toString();
    words += QLatin1Char(' ');
    words += tipPart(p.Description());
    words = words.trimmed();
    return words.isEmpty() ? QStringLiteral("no platoon") : words;
}
} // namespace

void FillDaysFromSchedule(ctlMonth& month, const std::shared_ptr<clsSchedule>& schedule,
                          int shiftIndex)
{
    const auto list = schedule ? schedule->Shifts() : nullptr;
    const int count = list ? list->Count() : 0;
    const auto shift = shiftIndex >= 1 && shiftIndex <= count ? list->Item(shiftIndex) : nullptr;
    auto onDuty = [](const std::shared_ptr<clsShift>& s, double d) {
        return s ? s->ONDuty(d) : std::make_shared<clsPlatoon>();
    };
    const double today = DayNumber::fromDate(clockService().today());
    auto& days = month.Days();
    const int16_t split = month.CellSplit();

    for (int i = 0; i < 42; ++i) {
        const double d = month.DateOfCell(static_cast<int16_t>(i + 1));
        const auto p = onDuty(shift, d);
        const auto& c = days.Item(i + 1);
        c->setForeColor(p->Color());
        QString tip = tipPart(p->Code()).toString();
        tip += QLatin1Char(' ');
        tip += tipPart(p->Description());
        if (DayNumber::wholeDay(d) == today)
            tip += QStringLiteral(" Today");
        c->setToolTipText(tip);
        c->setAccessibleText(spoken(*p));
        if (split != 0) {
            c->setLeftCaption(p->Code());
            c->setLeftColor(p->Color());
        }
    }

    if (count == 2 && split == 2) {
        const auto second = list->Item(2);
        for (int i = 0; i < 42; ++i) {
            const auto p = second->ONDuty(month.DateOfCell(static_cast<int16_t>(i + 1)));
            const auto& c = days.Item(i + 1);
            c->setRightCaption(p->Code());
            c->setRightColor(p->Color());
            c->setAccessibleText(QStringLiteral("Shift 1 ") + c->AccessibleText() +
                                 QStringLiteral(", Shift 2 ") + spoken(*p));
        }
    }
}

namespace {
// Hands each cell the entry of its date in `days` (sorted by date), or nothing.
template <class Day, class Set>
void fillByDate(ctlMonth& month, const std::vector<Day>& days, Set set)
{
    auto next = days.begin();
    for (int i = 1; i <= 42; ++i) {
        const double day = DayNumber::wholeDay(month.DateOfCell(static_cast<int16_t>(i)));
        while (next != days.end() && next->first < day)
            ++next;
        set(*month.Days().Item(i), next != days.end() && next->first == day ? &*next : nullptr);
    }
}
} // namespace

void FillDaysWithNotes(ctlMonth& month, const std::vector<std::pair<double, NoteKind>>& marks,
                       const NoteColors& colors)
{
    fillByDate(month, marks, [&](clsDayBox& box, const std::pair<double, NoteKind>* mark) {
        box.setMarkColor(mark ? colors.Color(mark->second) : -1);
    });
}

void FillDaysWithCalendars(ctlMonth& month,
                           const std::vector<std::pair<double, std::vector<int32_t>>>& bars)
{
    fillByDate(month, bars, [](clsDayBox& box, const std::pair<double, std::vector<int32_t>>* bar) {
        box.setBarColors(bar ? bar->second : std::vector<int32_t>());
    });
}

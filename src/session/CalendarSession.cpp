#include "session/CalendarSession.h"

#include "calendars/OtherCalendars.h"
#include "model/DefaultSchedule.h"
#include "model/clsSchedule.h"
#include "storage/NotesStore.h"

CalendarSession::CalendarSession(QObject* parent)
    : QObject(parent), schedule_(DefaultSchedule()), calendars_(std::make_unique<OtherCalendars>())
{
}

CalendarSession::~CalendarSession() = default;

QStringList CalendarSession::DayLines(double day)
{
    return ShownLines(day) + calendars_->ShownLines(day);
}

void CalendarSession::setSchedule(std::shared_ptr<clsSchedule> schedule, int16_t shiftIndex)
{
    schedule_ = schedule ? std::move(schedule) : std::make_shared<clsSchedule>();
    if (shiftIndex != 0)
        shiftIndex_ = shiftIndex;
    keepShiftWithinSchedule();
    emit ScheduleReplaced();
}

void CalendarSession::setShiftIndex(int16_t index)
{
    shiftIndex_ = index;
    keepShiftWithinSchedule();
    emit ShiftIndexChanged();
}

void CalendarSession::keepShiftWithinSchedule()
{
    // A schedule with fewer shifts than the one before would leave nothing
    // to ask for the days.
    const auto list = schedule_->Shifts();
    const int count = list ? list->Count() : 0;
    if (shiftIndex_ < 1 || (count >= 1 && shiftIndex_ > count))
        shiftIndex_ = 1;
}

void CalendarSession::setDataChanged(bool changed)
{
    if (changed == dataChanged_)
        return;
    dataChanged_ = changed;
    emit DataChangedChanged(changed);
}

void CalendarSession::markChanged(bool changed)
{
    if (changed)
        setDataChanged(true);
    emit RedrawRequested();
}

void CalendarSession::setLocked(bool locked)
{
    if (locked == locked_)
        return;
    locked_ = locked;
    emit LockedChanged(locked);
}

void CalendarSession::setPeriod(const SpecialPeriod& period)
{
    if (period == period_)
        return;
    period_ = period;
    emit PeriodChanged();
}

std::shared_ptr<NotesStore> CalendarSession::Notes() const
{
    return notes_ && notes_->IsOpen() ? notes_ : nullptr;
}

QString CalendarSession::NotesUnavailable() const
{
    if (!notes_)
        return tr("The day notes are not open yet. Try again in a moment.");
    if (const auto& error = notes_->OpenError())
        return tr("Day notes are not available. %1").arg(error->description());
    return QString();
}

QString CalendarSession::OpenNotes(const QString& folder)
{
    notes_ = std::make_shared<NotesStore>(folder);
    emit NotesChanged();
    return NotesUnavailable();
}

template <class Read>
auto CalendarSession::shownOrNothing(Read read) -> decltype(read(std::declval<NotesStore&>()))
{
    const auto notes = Notes();
    if (!showNotes_ || !notes)
        return {};
    try {
        return read(*notes);
    } catch (const RuntimeError& e) {
        if (!readFailureTold_) {
            readFailureTold_ = true;
            emit NotesReadFailed(e.description());
        }
    }
    return {};
}

std::vector<std::pair<double, NoteKind>> CalendarSession::ShownMarks(double first, double last)
{
    return shownOrNothing([&](NotesStore& n) { return n.FirstKinds(first, last); });
}

QStringList CalendarSession::ShownLines(double day)
{
    return shownOrNothing([&](NotesStore& n) {
        QStringList lines;
        for (const NoteEntry& e : n.EntriesOn(day))
            lines << e.Summary();
        return lines;
    });
}

void CalendarSession::setShowNotes(bool shown)
{
    if (shown == showNotes_)
        return;
    showNotes_ = shown;
    emit NotesChanged();
}

void CalendarSession::setKindColors(const NoteColors& colors)
{
    if (colors == noteColors_)
        return;
    noteColors_ = colors;
    emit NotesChanged();
}

#pragma once
// What the windows share: the schedule on display, which shift shows, whether
// it has unsaved changes, whether clicks on the calendar go to the wizard's
// on-duty step, the lock and the recurring period. Windows read and change
// it here and follow its signals; none keeps a copy in its own widgets.
#include "session/NoteColors.h"
#include "session/SpecialPeriod.h"

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class clsSchedule;
class NotesStore;
class OtherCalendars;

class CalendarSession : public QObject {
    Q_OBJECT
public:
    explicit CalendarSession(QObject* parent = nullptr);
    ~CalendarSession() override;

    std::shared_ptr<clsSchedule> Schedule() const { return schedule_; }
    // Nothing stands for an empty schedule. The shift index (or the one given)
    // is kept within it.
    void setSchedule(std::shared_ptr<clsSchedule> schedule, int16_t shiftIndex = 0);
    // 1 or 2; anything outside the schedule's shifts becomes 1.
    int16_t ShiftIndex() const { return shiftIndex_; }
    void setShiftIndex(int16_t index);
    // Unsaved changes. Setting it redraws nothing: some steps must change
    // nothing on screen.
    bool DataChanged() const { return dataChanged_; }
    void setDataChanged(bool changed);
    // An edit of the schedule in place: marks it changed (when it did change
    // it) and asks every window that shows it to draw it again.
    void markChanged(bool changed = true);
    // 1 while the wizard's on-duty step takes the clicks on the calendar.
    int32_t EditMode() const { return editMode_; }
    void setEditMode(int32_t mode) { editMode_ = mode; }
    bool Locked() const { return locked_; }
    void setLocked(bool locked);
    const SpecialPeriod& Period() const { return period_; }
    void setPeriod(const SpecialPeriod& period);

    // The day entries: nothing until OpenNotes has run, or when the file was
    // refused (NotesUnavailable says why). They belong to the user, so a new
    // schedule keeps them.
    std::shared_ptr<NotesStore> Notes() const;
    // Why the notes commands cannot run, in words for the user; empty when they can.
    QString NotesUnavailable() const;
    // OpenNotes has run, whatever it found.
    bool NotesOpened() const { return notes_ != nullptr; }
    // Opens notes.db in the folder. Returns the message for a refused file
    // (empty when it opened), for the caller to show once.
    QString OpenNotes(const QString& folder);
    // An entry was added, changed or removed: the windows that show them redraw.
    void notesEdited() { emit NotesChanged(); }
    // What the calendars show of the entries: the days from the first to the
    // last that hold any, with the kind of each day's first entry, and the
    // lines of one day ("Leave: summer week"). Nothing while the marks are
    // hidden or the notes unavailable; a read that fails gives nothing too,
    // and NotesReadFailed once, for one message.
    std::vector<std::pair<double, NoteKind>> ShownMarks(double first, double last);
    QStringList ShownLines(double day);
    bool ShowNotes() const { return showNotes_; }
    void setShowNotes(bool shown);
    const NoteColors& KindColors() const { return noteColors_; }
    void setKindColors(const NoteColors& colors);

    // The iCalendar files shown beside the schedule; they too belong to the
    // user, not to a schedule.
    OtherCalendars& Calendars() const { return *calendars_; }
    // What a day's tooltip and spoken name add: its entries, then the other
    // calendars' events.
    QStringList DayLines(double day);

signals:
    // A new schedule object, or another shift on display.
    void ScheduleReplaced();
    void ShiftIndexChanged();
    void DataChangedChanged(bool changed);
    void RedrawRequested();
    void LockedChanged(bool locked);
    void PeriodChanged();
    // Entries, their colours or whether they show.
    void NotesChanged();
    void NotesReadFailed(const QString& message);

private:
    void keepShiftWithinSchedule();
    template <class Read>
    auto shownOrNothing(Read read) -> decltype(read(std::declval<NotesStore&>()));

    std::shared_ptr<clsSchedule> schedule_;
    int16_t shiftIndex_ = 1;
    bool dataChanged_ = false;
    int32_t editMode_ = 0;
    bool locked_ = false;
    SpecialPeriod period_;
    std::shared_ptr<NotesStore> notes_;
    bool showNotes_ = true;
    bool readFailureTold_ = false;
    NoteColors noteColors_;
    std::unique_ptr<OtherCalendars> calendars_;
};

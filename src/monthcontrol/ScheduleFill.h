#pragma once
// The rule by which a window fills a month control's day cells from a
// schedule; the main window and the image calendar share it.
#include "model/NoteEntry.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class ctlMonth;
class clsSchedule;
class NoteColors;

// Platoon colour, tooltip (" Today" on today's date) and, in split cells, the
// left caption from shift `shiftIndex`; the right halves from shift 2 when the
// schedule has two shifts and the cells are split in two. A missing shift
// leaves the days without a platoon.
void FillDaysFromSchedule(ctlMonth& month, const std::shared_ptr<clsSchedule>& schedule,
                          int shiftIndex);

// The corner mark of each marked day in the colour of its first entry's
// kind; `marks` are days by date with that kind (days outside the cells are
// ignored). No marks take every mark away.
void FillDaysWithNotes(ctlMonth& month, const std::vector<std::pair<double, NoteKind>>& marks,
                       const NoteColors& colors);

// The other calendars' bar of each day with events, in the colours given by
// date in `bars` (days outside the cells are ignored). No bars take every bar away.
void FillDaysWithCalendars(ctlMonth& month,
                           const std::vector<std::pair<double, std::vector<int32_t>>>& bars);

#pragma once
// The rule by which a window fills a month control's day cells from a
// schedule; the main window and the image calendar share it.
#include <memory>
#include <vector>

class ctlMonth;
class clsSchedule;
class NoteColors;
class NoteEntry;

// Platoon colour, tooltip (" Today" on today's date) and, in split cells, the
// left caption from shift `shiftIndex`; the right halves from shift 2 when the
// schedule has two shifts and the cells are split in two. A missing shift
// leaves the days without a platoon.
void FillDaysFromSchedule(ctlMonth& month, const std::shared_ptr<clsSchedule>& schedule,
                          int shiftIndex);

// The corner mark in the colour of each day's first entry, and the entries
// added to its tooltip and spoken words; `entries` are those of the cells'
// days by date (others are ignored). Runs after FillDaysFromSchedule; no
// entries take every mark away.
void FillDaysWithNotes(ctlMonth& month, const std::vector<NoteEntry>& entries,
                       const NoteColors& colors);

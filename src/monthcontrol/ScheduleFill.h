#pragma once
// The rule by which a window fills a month control's day cells from a
// schedule; the main window and the image calendar share it.
#include <memory>

class ctlMonth;
class clsSchedule;

// Platoon colour, tooltip (" Today" on today's date) and, in split cells, the
// left caption from shift `shiftIndex`; the right halves from shift 2 when the
// schedule has two shifts and the cells are split in two. A missing shift
// leaves the days without a platoon.
void FillDaysFromSchedule(ctlMonth& month, const std::shared_ptr<clsSchedule>& schedule,
                          int shiftIndex);

#pragma once
// What the image calendar takes from the window that opens it: the schedule
// it shows (the very object, not a copy), the shift on display, the special
// period and the month font. Filled by the main window, or by a caller
// without one.
#include "model/NoteEntry.h"
#include "platform/widgets/OleColor.h"
#include "session/NoteColors.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class clsSchedule;

struct ImageCalendarSource {
    std::shared_ptr<clsSchedule> schedule;
    int16_t shiftIndex = 1;
    int32_t specialPeriodLength = 0;
    int32_t specialPeriodOffset = 0;
    QString specialPeriodName;
    int32_t specialPeriodColor = 0x00FFFF80;
    // The opener's special-period colour as it is now (it may change while
    // the calendar is open); unset, the colour above.
    std::function<int32_t()> currentSpecialPeriodColor;
    QFont monthFont;
    // The day entries to mark from the first day to the last, and their
    // colours, as the opener has them now; unset, no marks.
    std::function<std::vector<NoteEntry>(double first, double last)> notes;
    std::function<NoteColors()> noteColors;
};

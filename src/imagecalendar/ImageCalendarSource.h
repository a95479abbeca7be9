#pragma once
// What the image calendar takes from the window that opens it: the schedule
// it shows (the very object, not a copy), the shift on display, the special
// period and the month font. Filled by the main window, or by a caller
// without one.
#include "platform/widgets/OleColor.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class CalendarSession;
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
    // The session whose day entries the months mark, as it has them at each
    // fill; unset, no marks.
    std::shared_ptr<CalendarSession> notes;
};

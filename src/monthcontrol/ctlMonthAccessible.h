#pragma once
// The month control as assistive technology sees it: a table of days with the
// weekdays as column headers, the month as its caption and the navigation
// pictures as buttons.
#include <QString>
#include <cstdint>
#include <functional>

class QAccessibleEvent;
class ctlMonth;

namespace ctlMonthAccessibility {
// Makes the interfaces known to Qt; once per program.
void install();
// Tells assistive technology what the last repaint changed.
void announce(ctlMonth& month);
// Hears every announcement besides the desktop's bridge (which hears them
// only while a screen reader is on); none by default.
void setListener(std::function<void(QAccessibleEvent&)> listener);

// The words a screen reader says.
QString title(const ctlMonth& month);
QString weekdayName(const ctlMonth& month, int column);
QString dayName(const ctlMonth& month, int16_t position);
} // namespace ctlMonthAccessibility

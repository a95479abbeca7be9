#pragma once
// What the dialog and the command line hand to the calendar export alike.
#include "exports/IcsExport.h"

#include <QString>
#include <cstdint>

// The special period with the month control's own rule for a filled day.
Ics::SpecialPeriod specialPeriodFor(const QString& name, int32_t length, int32_t offset);
// "<title> - <code>.ics" in the home folder; characters a file name cannot
// hold become "-".
QString defaultIcsPath(const QString& title, const QString& code);

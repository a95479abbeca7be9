#pragma once
// The system check behind the tray feature. The only thing callers ever
// needed to know from the system version was whether a notification area
// exists, so that is what this answers.
bool IsWindowsXP();

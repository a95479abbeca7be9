#pragma once
// DefaultSchedule() lives beside the schedule class.
#include "model/clsSchedule.h"

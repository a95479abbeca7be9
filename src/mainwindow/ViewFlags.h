#pragma once
// The month control's view switches as the main window saves them: the bits
// of one number (the Flags setting), each bit once with its getter and setter.
#include <cstdint>

class ctlMonth;

namespace ViewFlags {
// The number for the switches in force.
int32_t pack(const ctlMonth& month);
// Sets the switches from the number, in the order of the bits. The today bit
// (32) is written by pack but never applied.
void apply(ctlMonth& month, int32_t flags);
} // namespace ViewFlags

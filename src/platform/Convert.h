#pragma once
// Text to number and flag conversions for settings values. A value that is
// not what the caller expects raises a type-mismatch error for the caller to
// report; it never crashes and is never silently taken as zero.
#include <QString>
#include <cmath>
#include <cstdint>

// Whole number; decimals round half to even. Type mismatch (13) for other text,
// overflow (6) beyond 32 bits.
int32_t CLng(const QString& text);
// 16-bit whole number; overflow (6) beyond its range.
int16_t CInt(const QString& text);
double CDbl(const QString& text);
// "True"/"False" in any case, or a number (non-zero is true).
bool CBool(const QString& text);
// The stored form of a flag.
inline QString BoolText(bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); }
// Rounds half to even, as every conversion of a fraction to a whole number here does.
double RoundHalfEven(double v);
// Twips to whole screen pixels, halves away from zero, as windows lay out.
inline int TwipsToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

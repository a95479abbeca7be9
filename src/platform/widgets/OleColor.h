#pragma once
// Colours are stored as 0x00BBGGRR; values with the top bit set name the
// window background, window text and button face of the desktop's palette.
#include <QColor>
#include <QPalette>
#include <QString>
#include <cstdint>

namespace OleColor {
constexpr int32_t WindowBackground = static_cast<int32_t>(0x80000005u);
constexpr int32_t WindowText = static_cast<int32_t>(0x80000008u);
constexpr int32_t ButtonFace = static_cast<int32_t>(0x8000000Fu);

QColor toQColor(int32_t ole, const QPalette& palette);
QColor toQColor(int32_t ole); // with the application palette
int32_t fromQColor(const QColor& c);
// What a screen reader says for the colour: a system colour by its role, any
// other by the nearest of some twenty plain names ("Red", "Light blue").
QString ColorName(int32_t ole);
} // namespace OleColor

#pragma once
// Dates are day numbers counted from 30 December 1899 (day 0), the time of
// day as the fraction. 25569 is 1 January 1970, the anchor of every rotation.
#include <QDate>
#include <QDateTime>

namespace DayNumber {
constexpr double Epoch1970 = 25569.0;

QDate epoch(); // 30 December 1899
double fromDate(const QDate& d);
double fromDateTime(const QDateTime& dt);
// The calendar day of a day number; the time of day is dropped (negative
// numbers count the fraction forward from the day, as the classic form does).
QDate toDate(double day);
// Whole day number of the calendar day (the time of day removed).
double wholeDay(double day);
} // namespace DayNumber

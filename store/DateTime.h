// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// A moment as a day count since 1899-12-30: the integral part is the date, the
// fraction the time of day. This is the format of the data file, so it is kept as a
// plain double and compared as one; nothing is rounded before a comparison.
//
// Dates before the epoch follow the same convention as the file's writers: the
// integral part counts days back, the fraction (taken without its sign) is still the
// time of day, so -1.25 is 1899-12-29 06:00.
//
// A damaged file can hold any double. Every helper below accepts NaN, infinities and
// huge values; outside the years 1..9999 there is no calendar date, the QDate/QTime
// conversions give invalid values and the calendar parts give 0.
using TDateTime = double;

namespace DateTime {

// The first and last moments that map onto a calendar date (0001-01-01 .. 9999-12-31).
inline constexpr double MinDate = -693593.0;
inline constexpr double MaxDate = 2958466.0; // exclusive: 10000-01-01

// True when x names a calendar day of the years 1..9999.
bool isValid(TDateTime x);

// Integral part (the date, as a day count) and fractional part without its sign (the
// time of day, also before the epoch). NaN stays NaN, so every comparison with it is
// false.
double dateOf(TDateTime x);
double timeOf(TDateTime x);

// The calendar date of x; an invalid QDate when x has none.
QDate toQDate(TDateTime x);
// The time of day of x, to the millisecond; an invalid QTime when x has no date.
QTime toQTime(TDateTime x);
// Date and time together, as local time without a zone conversion.
QDateTime toQDateTime(TDateTime x);

// Weekday 1 = Sunday .. 7 = Saturday; 0 when x has no date.
int dayOfWeek(TDateTime x);
// Day of the month 1..31 and month 1..12; 0 when x has no date.
int dayOfMonth(TDateTime x);
int month(TDateTime x);

// A day count and a time of day (a fraction) put together; before the epoch the
// fraction is taken off, so that it stays the time of day.
TDateTime compose(double date, double timeOfDay);

// The day count of a calendar date plus a time of day. An invalid date gives NaN;
// an invalid time counts as midnight.
TDateTime fromQDate(const QDate& date, const QTime& time = QTime(0, 0));
TDateTime fromQDateTime(const QDateTime& moment);

} // namespace DateTime

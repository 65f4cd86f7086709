// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DateTime.h"

#include <QLocale>
#include <QString>

// The program's one way of writing dates and times, with the user's locale:
//   "dddddd"  the locale's long date format     "t"  the locale's short time format
//   "dddd"    the long weekday name             "mmmm" the long month name
//   "d"       the day of the month, no leading zero
// Any other character stands for itself, so "dddddd  t" is long date, two blanks,
// short time. A moment without a calendar date (only a damaged record holds one)
// writes InvalidDate for its date parts and nothing for its time.
namespace DateFormat {

inline const QString LongDate = QStringLiteral("dddddd");
inline const QString ShortTime = QStringLiteral("t");
inline const QString DateTimeOneBlank = QStringLiteral("dddddd t");
inline const QString DateTimeTwoBlanks = QStringLiteral("dddddd  t");
inline const QString InvalidDate = QStringLiteral("(no valid date)");

QString Format(const QString& format, TDateTime moment, const QLocale& locale = QLocale::system());

// Long names by number: weekday 1 = Sunday .. 7 = Saturday, month 1..12. Empty
// outside those ranges.
QString LongDayName(int weekday, const QLocale& locale = QLocale::system());
QString LongMonthName(int month, const QLocale& locale = QLocale::system());

} // namespace DateFormat

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmRec.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <variant>

// The rules of the add-alarm dialog, apart from its widgets: reading the date and time
// boxes, the moment a new alarm gets, the spin wraps, the control states by type and
// the defaults the dialog opens with.
namespace AddAlarm {

inline const QString InvalidDate = QStringLiteral("Sorry, that date isn't valid");
inline const QString TooSoon =
    QStringLiteral("Error - can't set a one-off alarm less than 2 minutes in the future");
// How far ahead a one-off alarm must lie (43.2 seconds).
inline constexpr double OneOffMargin = 0.0005;
// How far ahead the dialog offers its time (172.8 seconds).
inline constexpr double OfferedAhead = 0.002;

// A whole decimal number as typed: an optional sign and digits, nothing else.
std::optional<int> WholeNumber(const QString& text);

// The entered date (whole days) and time (fraction of a day, seconds zero).
struct TEntered {
    TDateTime date = 0.0;
    double time = 0.0;
};

// Reads day and year from their boxes, the month from its spin, hour and minute from
// their boxes. Nothing when a text is no number or a value is out of range (years
// 1..9999, the days of that month, hours 0..23, minutes 0..59).
std::optional<TEntered> GetDateTime(const QString& dayText, int month, const QString& yearText,
                                    const QString& hourText, const QString& minuteText);

// The moment of a new alarm of a kind, or the text of the error that rejects it.
// - One off: not before today, and today only from 43.2 seconds after now.
// - Weekly: the first day from the entered date on (itself included) whose weekday
//   is the weekday spin's (0 = Sunday .. 6 = Saturday), plus the time.
// - Daily, monthly, annual: the entered date plus the time, past or not.
std::variant<TDateTime, QString> AlarmMoment(std::int32_t kind, const TEntered& entered,
                                             int weekdaySpin, TDateTime now);

// Spin positions after a click: the day wraps from 0 to 31 (only downward), the
// month within 1..12 both ways, the weekday within 0..6 both ways.
int WrapDay(int position);
int WrapMonth(int position);
int WrapWeekday(int position);

// The English names the spin handlers show: weekday 0 = Sunday .. 6, month 1..12.
QString EnglishWeekday(int position);
QString EnglishMonth(int position);

// Which controls a type of alarm uses.
struct TControlStates {
    bool time = true;     // HourBox, MinuteBox (their spins are always usable)
    bool weekday = false; // DayLabel, WDUpDown
    bool day = true;      // DayBox, DayUpDown
    bool month = true;    // MonthLabel, MonthUpDown
    bool year = true;     // YearBox, YearUpDown

    friend bool operator==(const TControlStates&, const TControlStates&) = default;
};
TControlStates ControlStates(std::int32_t kind);

// Whether an hour or minute box may be left with this text: a whole number not above
// the bound (negative numbers pass here and fail when the alarm is added).
bool BoxAccepts(const QString& text, int bound);

// What the dialog shows when it opens in add mode.
struct TDefaults {
    QString dayLabel; // the locale's weekday name
    int weekdaySpin = 0;
    QString dayBox;
    QString monthLabel; // the locale's month name
    int monthSpin = 1;
    QString yearBox;
    int yearSpin = 1901;
    QString hourBox;   // plain number
    QString minuteBox; // two digits
};
TDefaults Defaults(TDateTime now, const QLocale& locale = QLocale::system());

// The day and month groups change places on a system whose country is the United
// States (month before day).
bool SwapDayAndMonth(const QLocale& locale = QLocale::system());

} // namespace AddAlarm

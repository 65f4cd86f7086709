// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTime.h"

#include <cmath>

namespace DateTime {

namespace {
const QDate Epoch(1899, 12, 30);
constexpr double MsecsPerDay = 86400000.0;
} // namespace

bool isValid(TDateTime x) {
    return std::isfinite(x) && x >= MinDate && x < MaxDate;
}

double dateOf(TDateTime x) {
    return std::trunc(x);
}

double timeOf(TDateTime x) {
    return std::fabs(x - std::trunc(x));
}

QDate toQDate(TDateTime x) {
    if (!isValid(x))
        return {};
    return Epoch.addDays(static_cast<qint64>(std::trunc(x)));
}

QTime toQTime(TDateTime x) {
    if (!isValid(x))
        return {};
    // Round to the millisecond as the file's writers do; a fraction that rounds up to
    // a whole day stays at the last millisecond of the day rather than wrapping.
    double ms = std::round(timeOf(x) * MsecsPerDay);
    if (ms >= MsecsPerDay)
        ms = MsecsPerDay - 1;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

QDateTime toQDateTime(TDateTime x) {
    const QDate d = toQDate(x);
    if (!d.isValid())
        return {};
    return QDateTime(d, toQTime(x));
}

int dayOfWeek(TDateTime x) {
    const QDate d = toQDate(x);
    // QDate counts Monday = 1 .. Sunday = 7.
    return d.isValid() ? d.dayOfWeek() % 7 + 1 : 0;
}

int dayOfMonth(TDateTime x) {
    const QDate d = toQDate(x);
    return d.isValid() ? d.day() : 0;
}

int month(TDateTime x) {
    const QDate d = toQDate(x);
    return d.isValid() ? d.month() : 0;
}

TDateTime fromQDate(const QDate& date, const QTime& time) {
    if (!date.isValid())
        return std::nan("");
    const double days = static_cast<double>(Epoch.daysTo(date));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / MsecsPerDay : 0.0;
    return compose(days, fraction);
}

TDateTime compose(double date, double timeOfDay) {
    return date < 0 ? date - timeOfDay : date + timeOfDay;
}

TDateTime fromQDateTime(const QDateTime& moment) {
    return fromQDate(moment.date(), moment.time());
}

} // namespace DateTime

// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddAlarm.h"

#include "DateFormat.h"

namespace AddAlarm {

std::optional<int> WholeNumber(const QString& text) {
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<TEntered> GetDateTime(const QString& dayText, int month, const QString& yearText,
                                    const QString& hourText, const QString& minuteText) {
    const auto day = WholeNumber(dayText);
    const auto year = WholeNumber(yearText);
    const auto hour = WholeNumber(hourText);
    const auto minute = WholeNumber(minuteText);
    if (!day || !year || !hour || !minute || *year < 1 || *year > 9999 || month < 1 || month > 12)
        return std::nullopt;
    const QDate date(*year, month, *day);
    if (!date.isValid() || date.day() != *day)
        return std::nullopt;
    if (*hour < 0 || *hour > 23 || *minute < 0 || *minute > 59)
        return std::nullopt;
    return TEntered{DateTime::fromQDate(date),
                    DateTime::fromQDate(QDate(1899, 12, 30), QTime(*hour, *minute))};
}

std::variant<TDateTime, QString> AlarmMoment(std::int32_t kind, const TEntered& entered,
                                             int weekdaySpin, TDateTime now) {
    switch (kind) {
    case akOneOff: {
        const double today = DateTime::dateOf(now);
        if (entered.date < today ||
            (entered.date == today && entered.time < DateTime::timeOf(now) + OneOffMargin))
            return TooSoon;
        return DateTime::compose(entered.date, entered.time);
    }
    case akWeekly: {
        TDateTime day = entered.date;
        // Seven steps at most find every weekday.
        for (int i = 0; i < 7 && DateTime::dayOfWeek(day) != weekdaySpin + 1; ++i)
            day += 1.0;
        return DateTime::compose(day, entered.time);
    }
    default:
        return DateTime::compose(entered.date, entered.time);
    }
}

int WrapDay(int position) {
    return position == 0 ? 31 : position;
}

int WrapMonth(int position) {
    if (position <= 0)
        return 12;
    if (position >= 13)
        return 1;
    return position;
}

int WrapWeekday(int position) {
    if (position <= -1)
        return 6;
    if (position >= 7)
        return 0;
    return position;
}

QString EnglishWeekday(int position) {
    static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return position >= 0 && position <= 6 ? QString::fromLatin1(names[position]) : QString();
}

QString EnglishMonth(int position) {
    static const char* const names[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
    return position >= 1 && position <= 12 ? QString::fromLatin1(names[position - 1]) : QString();
}

TControlStates ControlStates(std::int32_t kind) {
    switch (kind) {
    case akDaily:
        return {true, false, false, false, false};
    case akWeekly:
        return {true, true, false, false, false};
    case akMonthly:
        return {true, false, true, false, false};
    case akAnnual:
        return {true, false, true, true, false};
    default:
        return {true, false, true, true, true};
    }
}

bool BoxAccepts(const QString& text, int bound) {
    const auto n = WholeNumber(text);
    return n && *n <= bound;
}

TDefaults Defaults(TDateTime now, const QLocale& locale) {
    TDefaults d;
    const QDate today = DateTime::toQDate(now);
    d.dayLabel = DateFormat::Format(QStringLiteral("dddd"), now, locale);
    d.weekdaySpin = DateTime::dayOfWeek(now) - 1;
    d.dayBox = QString::number(today.day());
    d.monthLabel = DateFormat::Format(QStringLiteral("mmmm"), now, locale);
    d.monthSpin = today.month();
    d.yearBox = QString::number(today.year());
    d.yearSpin = today.year();
    const QTime offered = DateTime::toQTime(now + OfferedAhead);
    d.hourBox = QString::number(offered.hour());
    d.minuteBox = QStringLiteral("%1").arg(offered.minute(), 2, 10, QChar(u'0'));
    return d;
}

bool SwapDayAndMonth(const QLocale& locale) {
    return locale.territory() == QLocale::UnitedStates;
}

} // namespace AddAlarm

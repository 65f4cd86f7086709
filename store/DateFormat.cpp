// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateFormat.h"

namespace DateFormat {

QString LongDayName(int weekday, const QLocale& locale) {
    if (weekday < 1 || weekday > 7)
        return {};
    // QLocale counts Monday = 1 .. Sunday = 7.
    return locale.dayName(weekday == 1 ? 7 : weekday - 1, QLocale::LongFormat);
}

QString LongMonthName(int month, const QLocale& locale) {
    if (month < 1 || month > 12)
        return {};
    return locale.monthName(month, QLocale::LongFormat);
}

QString Format(const QString& format, TDateTime moment, const QLocale& locale) {
    const QDate date = DateTime::toQDate(moment);
    const QTime time = DateTime::toQTime(moment);
    const bool valid = date.isValid();
    QString out;
    const QStringView f(format);
    qsizetype i = 0;
    while (i < f.size()) {
        const QStringView rest = f.mid(i);
        if (rest.startsWith(u"dddddd")) {
            out += valid ? locale.toString(date, QLocale::LongFormat) : InvalidDate;
            i += 6;
        } else if (rest.startsWith(u"dddd")) {
            out += valid ? LongDayName(DateTime::dayOfWeek(moment), locale) : InvalidDate;
            i += 4;
        } else if (rest.startsWith(u"mmmm")) {
            out += valid ? LongMonthName(date.month(), locale) : InvalidDate;
            i += 4;
        } else if (rest.startsWith(u'd')) {
            out += valid ? QString::number(date.day()) : InvalidDate;
            i += 1;
        } else if (rest.startsWith(u't')) {
            if (valid)
                out += locale.toString(time, QLocale::ShortFormat);
            i += 1;
        } else {
            out += f[i];
            i += 1;
        }
    }
    return out;
}

} // namespace DateFormat

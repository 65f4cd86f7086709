#include "DateTime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace DateTime;

TEST(DateTime, CalendarPartsOfKnownDays) {
    // 0 is Saturday 1899-12-30; 1900 was no leap year, 2000 was, 2100 will not be.
    struct Case {
        QDate date;
        int weekday; // 1 = Sunday
    } cases[] = {{{1899, 12, 30}, 7}, {{1900, 1, 1}, 2},  {{1900, 3, 1}, 5},
                 {{2000, 2, 29}, 3},  {{2026, 12, 6}, 1}, {{2100, 3, 1}, 2}};
    for (const Case& c : cases) {
        const TDateTime x = fromQDate(c.date, QTime(6, 0));
        EXPECT_EQ(toQDate(x), c.date) << c.date.toString().toStdString();
        EXPECT_EQ(dayOfWeek(x), c.weekday) << c.date.toString().toStdString();
        EXPECT_EQ(dayOfMonth(x), c.date.day());
        EXPECT_EQ(month(x), c.date.month());
        EXPECT_DOUBLE_EQ(timeOf(x), 0.25);
    }
    EXPECT_EQ(fromQDate({1900, 3, 1}), 61.0);
    EXPECT_EQ(fromQDate({2000, 2, 29}), 36585.0);
}

TEST(DateTime, BeforeTheEpochTheFractionIsStillTheTimeOfDay) {
    // -1.25 is 1899-12-29 06:00 in the file's convention.
    EXPECT_EQ(fromQDate({1899, 12, 29}, QTime(6, 0)), -1.25);
    EXPECT_EQ(toQDate(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(toQTime(-1.25), QTime(6, 0));
    EXPECT_EQ(dateOf(-1.25), -1.0);
    EXPECT_EQ(timeOf(-1.25), 0.25);
}

TEST(DateTime, TimeOfDayRoundsToTheMillisecondWithoutWrapping) {
    EXPECT_EQ(toQTime(45000.5), QTime(12, 0));
    EXPECT_EQ(toQTime(45000 + 1.0 / 86400.0 * 3661), QTime(1, 1, 1));
    // So close to midnight that it rounds up to a whole day: stays on the same day.
    EXPECT_EQ(toQTime(45000.9999999999), QTime(23, 59, 59, 999));
    EXPECT_EQ(toQDate(45000.9999999999), toQDate(45000.0));
    const TDateTime round = fromQDateTime(QDateTime({2026, 3, 1}, QTime(7, 59, 58, 125)));
    EXPECT_EQ(toQDateTime(round), QDateTime({2026, 3, 1}, QTime(7, 59, 58, 125)));
}

TEST(DateTime, ValuesWithoutADateAreSafe) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {std::nan(""), inf, -inf, 1e300, -1e300, MaxDate, MinDate - 1}) {
        EXPECT_FALSE(isValid(x)) << x;
        EXPECT_FALSE(toQDate(x).isValid()) << x;
        EXPECT_FALSE(toQTime(x).isValid()) << x;
        EXPECT_FALSE(toQDateTime(x).isValid()) << x;
        EXPECT_EQ(dayOfWeek(x), 0) << x;
        EXPECT_EQ(dayOfMonth(x), 0) << x;
        EXPECT_EQ(month(x), 0) << x;
    }
    EXPECT_TRUE(std::isnan(dateOf(std::nan(""))));
    EXPECT_TRUE(std::isnan(fromQDate(QDate())));
    EXPECT_EQ(toQDate(MinDate), QDate(1, 1, 1));
    EXPECT_EQ(toQDate(MaxDate - 0.5), QDate(9999, 12, 31));
}

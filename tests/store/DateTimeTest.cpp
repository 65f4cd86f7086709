// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateTime.h"
#include "DateFormat.h"

#include <gtest/gtest.h>

using namespace DateTime;

TEST(DateTime, TheFractionIsTheTimeOfDayOnEveryDay) {
    // Before 1899-12-30 too: -1.25 is 1899-12-29 06:00 in the file's convention.
    EXPECT_EQ(fromQDate({1899, 12, 29}, QTime(6, 0)), -1.25);
    EXPECT_EQ(toQTime(-1.25), QTime(6, 0));
    EXPECT_EQ(dayOfWeek(fromQDate({1900, 3, 1})), 5); // 1900 was no leap year; 1 is Sunday
    // So close to midnight that it would round up to a whole day: stays on the same day.
    EXPECT_EQ(toQTime(45000.9999999999), QTime(23, 59, 59, 999));
    EXPECT_EQ(toQDate(45000.9999999999), toQDate(45000.0));
    EXPECT_FALSE(toQDate(MaxDate).isValid());
}

TEST(DateFormat, EachFieldInItsPlace) {
    EXPECT_EQ(
        DateFormat::Format("dddd d mmmm, t", fromQDate({2026, 1, 1}, QTime(9, 5)), QLocale::c())
            .toStdString(),
        "Thursday 1 January, 09:05:00");
}

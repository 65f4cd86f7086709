// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rules.h"

#include "Fakes.h"
#include <QList>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

using Rules::CheckAlarm;
using Rules::TCheckMode;

namespace {

TAlarmRec alarm(std::int32_t kind, TDateTime when) {
    return NewAlarm(kind, when, "test");
}
bool rings(TAlarmRec rec, TDateTime now, TCheckMode mode = TCheckMode::Normal) {
    return CheckAlarm(rec, now, mode, 5);
}

// Checks the alarm each day just after midnight (the check that sees the new day) and
// at the given time of day, from one date to another, and answers each ring with Done
// as a user would; gives the dates it rang on.
QList<QDate> ringDays(TAlarmRec rec, QDate from, QDate to, QTime time) {
    QList<QDate> rang;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        EXPECT_FALSE(
            CheckAlarm(rec, DateTime::fromQDate(d, QTime(0, 0, 5)), TCheckMode::Normal, 5));
        const TDateTime now = DateTime::fromQDate(d, time);
        if (CheckAlarm(rec, now, TCheckMode::Normal, 5)) {
            rang << d;
            rec.Rung = true;
            rec.LastRung = now;
            rec.SnoozePending = false;
        }
    }
    return rang;
}

} // namespace

TEST(Rules, EachKindOnItsOwnDays) {
    const auto days = [](std::int32_t kind, TDateTime made, QDate from, QDate to, const char* f) {
        QStringList out;
        for (QDate d : ringDays(alarm(kind, made), from, to, QTime(9, 0, 5)))
            out << d.toString(f);
        return out.join(' ');
    };
    EXPECT_EQ(days(akMonthly, at(2026, 1, 31, 9), {2026, 1, 1}, {2026, 12, 31}, "MM-dd"),
              "01-31 03-31 05-31 07-31 08-31 10-31 12-31");
    // The 30th: every month but the two Februaries, never moved to another day.
    EXPECT_EQ(days(akMonthly, at(2026, 4, 30, 9), {2027, 1, 1}, {2028, 12, 31}, "dd"),
              QString("30 ").repeated(22).trimmed());
    EXPECT_EQ(days(akAnnual, at(2024, 2, 29, 9), {2025, 1, 1}, {2033, 12, 31}, "yyyy-MM-dd"),
              "2028-02-29 2032-02-29");
    // Weekly on the weekday of its stored date (2026-12-02, a Wednesday).
    EXPECT_EQ(days(akWeekly, at(2026, 12, 2, 9), {2026, 12, 1}, {2027, 1, 31}, "ddd"),
              QString("Wed ").repeated(9).trimmed());
    // A daily alarm made years ago rings every day; its Rung clears each new day.
    EXPECT_EQ(days(akDaily, at(2001, 5, 5, 9), {2026, 2, 1}, {2026, 2, 28}, "dd").size(),
              28 * 3 - 1);
}

TEST(Rules, RingWindowOfANormalCheck) {
    TAlarmRec rec = alarm(akDaily, at(2026, 3, 1, 8));
    const TDateTime eight = at(2026, 3, 10, 8);
    for (auto mode : {TCheckMode::Normal, TCheckMode::CatchUp, TCheckMode::Gap})
        EXPECT_FALSE(Rules::RingDue(rec, eight, mode)); // strictly after
    EXPECT_TRUE(Rules::RingDue(rec, eight + 604.7 / 86400, TCheckMode::Normal));
    EXPECT_FALSE(Rules::RingDue(rec, eight + 604.9 / 86400, TCheckMode::Normal));
    // Rang and dismissed: only the start-up catch-up rings it again that day.
    rec.Rung = true;
    EXPECT_FALSE(Rules::RingDue(rec, eight + 0.001, TCheckMode::Normal));
    EXPECT_TRUE(Rules::RingDue(rec, at(2026, 3, 10, 12), TCheckMode::CatchUp));
    // The window does not reach past midnight.
    EXPECT_TRUE(rings(alarm(akDaily, at(2026, 3, 1, 23, 55)), at(2026, 3, 10, 23, 59, 59, 900)));
    EXPECT_FALSE(rings(alarm(akDaily, at(2026, 3, 1, 23, 55)), at(2026, 3, 11, 0, 0, 5)));
}

TEST(Rules, SnoozeRingsAgainAfterItsMinutesButNotPastMidnight) {
    // A new alarm never rings through the snooze test before its first ring.
    TAlarmRec rec = alarm(akOneOff, at(2026, 3, 10, 10));
    for (TDateTime now = at(2026, 3, 10, 9); now < at(2026, 3, 10, 10); now += 10.0 / 86400)
        ASSERT_FALSE(CheckAlarm(rec, now, TCheckMode::Normal, 0)) << now;
    rec.Rung = true;
    rec.LastRung = at(2026, 3, 10, 10, 0, 3); // snoozed: SnoozePending stays set
    EXPECT_FALSE(CheckAlarm(rec, at(2026, 3, 10, 10, 5, 2), TCheckMode::Normal, 5));
    EXPECT_TRUE(CheckAlarm(rec, at(2026, 3, 10, 10, 5, 4), TCheckMode::Normal, 5));
    rec.SnoozePending = false; // Done ends it
    EXPECT_FALSE(CheckAlarm(rec, at(2026, 3, 10, 10, 30), TCheckMode::Normal, 5));

    // Rang at 23:52 and snoozed for 10 minutes: the snooze would end at 00:02, so it
    // never ends, neither that night nor on the next day.
    TAlarmRec night = alarm(akOneOff, at(2026, 3, 10, 23, 50));
    night.Rung = true;
    night.LastRung = at(2026, 3, 10, 23, 52);
    for (TDateTime now = at(2026, 3, 10, 23, 52, 10); now < at(2026, 3, 11, 0, 10);
         now += 10.0 / 86400)
        EXPECT_FALSE(CheckAlarm(night, now, TCheckMode::Normal, 10)) << now;
}

TEST(Rules, DamagedRecordsNeverRing) {
    const TDateTime noon = at(2026, 3, 10, 12);
    EXPECT_FALSE(rings(alarm(99, at(2026, 3, 10, 8)), noon, TCheckMode::CatchUp));
    for (double bad : {std::nan(""), HUGE_VAL, -1e300, 3e6})
        for (std::int32_t kind : {akOneOff, akDaily, akWeekly, akMonthly, akAnnual}) {
            TAlarmRec rec = alarm(kind, bad);
            rec.LastRung = bad;
            EXPECT_FALSE(CheckAlarm(rec, noon, TCheckMode::CatchUp, 5)) << bad << " " << kind;
        }
    // A damaged LastRung does not silence a recurring alarm: the first check clears
    // Rung (the ring test saw it still set), the next one rings.
    TAlarmRec daily = alarm(akDaily, at(2026, 3, 1, 8));
    daily.Rung = true;
    daily.LastRung = std::nan("");
    EXPECT_FALSE(CheckAlarm(daily, at(2026, 3, 10, 8, 0, 5), TCheckMode::Normal, 5));
    EXPECT_TRUE(CheckAlarm(daily, at(2026, 3, 10, 8, 0, 15), TCheckMode::Normal, 5));
}

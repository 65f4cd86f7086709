#include "Rules.h"

#include "Fakes.h"
#include <QList>
#include <cmath>
#include <gtest/gtest.h>

using Rules::CheckAlarm;
using Rules::TCheckMode;

namespace {

TAlarmRec alarm(std::int32_t kind, TDateTime when) {
    return NewAlarm(kind, when, "test");
}

// The decision for a copy, leaving the caller's record as it was.
bool checkCopy(TAlarmRec rec, TDateTime now, TCheckMode mode, std::int32_t snoozeMin) {
    return CheckAlarm(rec, now, mode, snoozeMin);
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

TEST(Rules, MonthlyAlarmsKeepTheirDayOfTheMonth) {
    const auto on31st = ringDays(alarm(akMonthly, at(2026, 1, 31, 9)), {2026, 1, 1}, {2026, 12, 31},
                                 QTime(9, 0, 5));
    EXPECT_EQ(on31st, (QList<QDate>{{2026, 1, 31},
                                    {2026, 3, 31},
                                    {2026, 5, 31},
                                    {2026, 7, 31},
                                    {2026, 8, 31},
                                    {2026, 10, 31},
                                    {2026, 12, 31}}));
    const auto on30th = ringDays(alarm(akMonthly, at(2026, 4, 30, 9)), {2027, 1, 1}, {2028, 12, 31},
                                 QTime(9, 0, 5));
    EXPECT_EQ(on30th.size(), 22); // every month but the two Februaries
    for (const QDate& d : on30th) {
        EXPECT_EQ(d.day(), 30);
        EXPECT_NE(d.month(), 2);
    }
}

TEST(Rules, AnnualOnTheTwentyNinthOfFebruaryOnlyInLeapYears) {
    const auto rang = ringDays(alarm(akAnnual, at(2024, 2, 29, 7, 30)), {2025, 1, 1},
                               {2033, 12, 31}, QTime(7, 30, 8));
    EXPECT_EQ(rang, (QList<QDate>{{2028, 2, 29}, {2032, 2, 29}}));
}

TEST(Rules, WeeklyOnItsStoredWeekdayAndDailyEveryDay) {
    // 2026-12-02 is a Wednesday.
    const auto weekly = ringDays(alarm(akWeekly, at(2026, 12, 2, 18)), {2026, 12, 1}, {2027, 1, 31},
                                 QTime(18, 0, 1));
    EXPECT_EQ(weekly.size(), 9);
    for (const QDate& d : weekly)
        EXPECT_EQ(d.dayOfWeek(), Qt::Wednesday) << d.toString().toStdString();
    // A daily alarm made years ago rings every day; its Rung clears each new day.
    const auto daily =
        ringDays(alarm(akDaily, at(2001, 5, 5, 6)), {2026, 2, 1}, {2026, 2, 28}, QTime(6, 0, 9));
    EXPECT_EQ(daily.size(), 28);
}

TEST(Rules, NormalModeRingWindow) {
    TAlarmRec rec = alarm(akDaily, at(2026, 3, 1, 8));
    const TDateTime eight = at(2026, 3, 10, 8);
    EXPECT_FALSE(Rules::RingDue(rec, eight, TCheckMode::Normal)); // strictly after
    EXPECT_TRUE(Rules::RingDue(rec, eight + 0.00001, TCheckMode::Normal));
    EXPECT_TRUE(Rules::RingDue(rec, eight + 604.7 / 86400, TCheckMode::Normal));
    EXPECT_FALSE(Rules::RingDue(rec, eight + 604.9 / 86400, TCheckMode::Normal));
    rec.Rung = true;
    EXPECT_FALSE(Rules::RingDue(rec, eight + 0.001, TCheckMode::Normal));
    EXPECT_TRUE(Rules::RingDue(rec, eight + 0.001, TCheckMode::CatchUp));

    // The window does not reach past midnight.
    const TAlarmRec late = alarm(akDaily, at(2026, 3, 1, 23, 55));
    EXPECT_TRUE(checkCopy(late, at(2026, 3, 10, 23, 59, 59, 900), TCheckMode::Normal, 5));
    EXPECT_FALSE(checkCopy(late, at(2026, 3, 11, 0, 0, 5), TCheckMode::Normal, 5));
    const TAlarmRec early = alarm(akDaily, at(2026, 3, 1, 0, 5));
    EXPECT_FALSE(checkCopy(early, at(2026, 3, 10, 0, 4, 59), TCheckMode::Normal, 5));
    EXPECT_TRUE(checkCopy(early, at(2026, 3, 10, 0, 5, 1), TCheckMode::Normal, 5));
}

TEST(Rules, CatchUpRingsWhatPassedEarlierToday) {
    // A daily 08:00 alarm rang at 08:00 and was dismissed; the program starts at 12:00.
    TAlarmRec rec = alarm(akDaily, at(2026, 3, 1, 8));
    rec.Rung = true;
    rec.SnoozePending = false;
    rec.LastRung = at(2026, 3, 10, 8, 0, 4);
    const TDateTime noon = at(2026, 3, 10, 12);
    EXPECT_TRUE(checkCopy(rec, noon, TCheckMode::CatchUp, 5));
    EXPECT_FALSE(checkCopy(rec, noon, TCheckMode::Normal, 5));
    // Not one whose time of day is still to come, nor one of another day.
    EXPECT_FALSE(checkCopy(alarm(akDaily, at(2026, 3, 1, 13)), noon, TCheckMode::CatchUp, 5));
    EXPECT_FALSE(checkCopy(alarm(akOneOff, at(2026, 3, 9, 8)), noon, TCheckMode::CatchUp, 5));
}

TEST(Rules, SnoozeRingsAgainAfterItsMinutesButNotPastMidnight) {
    TAlarmRec rec = alarm(akOneOff, at(2026, 3, 10, 10));
    rec.Rung = true;
    rec.LastRung = at(2026, 3, 10, 10, 0, 3); // snoozed: SnoozePending stays set
    EXPECT_FALSE(CheckAlarm(rec, at(2026, 3, 10, 10, 5, 2), TCheckMode::Normal, 5));
    EXPECT_TRUE(CheckAlarm(rec, at(2026, 3, 10, 10, 5, 4), TCheckMode::Normal, 5));
    // Done ends it.
    rec.SnoozePending = false;
    EXPECT_FALSE(CheckAlarm(rec, at(2026, 3, 10, 10, 30), TCheckMode::Normal, 5));

    // Rang at 23:52 and snoozed for 10 minutes: the snooze would end at 00:02, so it
    // never ends, neither that night nor on the next day.
    TAlarmRec night = alarm(akOneOff, at(2026, 3, 10, 23, 50));
    night.Rung = true;
    night.LastRung = at(2026, 3, 10, 23, 52);
    for (TDateTime now = at(2026, 3, 10, 23, 52, 10); now < at(2026, 3, 11, 0, 10);
         now += 10.0 / 86400)
        EXPECT_FALSE(CheckAlarm(night, now, TCheckMode::Normal, 10)) << now;
    EXPECT_TRUE(night.Rung);
    EXPECT_TRUE(night.SnoozePending);
}

TEST(Rules, NewAlarmNeverRingsThroughTheSnoozeTestBeforeItsFirstRing) {
    TAlarmRec rec = alarm(akOneOff, at(2026, 3, 10, 15));
    for (TDateTime now = at(2026, 3, 10, 0, 0, 1); now < at(2026, 3, 10, 15); now += 10.0 / 86400)
        ASSERT_FALSE(CheckAlarm(rec, now, TCheckMode::Normal, 0)) << now;
    EXPECT_TRUE(CheckAlarm(rec, at(2026, 3, 10, 15, 0, 6), TCheckMode::Normal, 0));
}

TEST(Rules, DamagedRecordsNeverRing) {
    const TDateTime noon = at(2026, 3, 10, 12);
    TAlarmRec unknown = alarm(99, at(2026, 3, 10, 8));
    unknown.Rung = true;
    unknown.LastRung = at(2026, 3, 1, 8);
    EXPECT_FALSE(CheckAlarm(unknown, noon, TCheckMode::CatchUp, 5));
    EXPECT_TRUE(unknown.Rung); // no reset for an unknown kind
    EXPECT_FALSE(checkCopy(alarm(-1, at(2026, 3, 10, 8)), noon, TCheckMode::CatchUp, 5));

    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e300, 3e6}) {
        for (std::int32_t kind : {akOneOff, akDaily, akWeekly, akMonthly, akAnnual}) {
            TAlarmRec rec = alarm(kind, bad);
            rec.LastRung = bad;
            EXPECT_FALSE(CheckAlarm(rec, noon, TCheckMode::CatchUp, 5)) << bad << " " << kind;
            EXPECT_FALSE(CheckAlarm(rec, noon, TCheckMode::Normal, 0)) << bad << " " << kind;
        }
    }
}

TEST(Rules, DamagedLastRungDoesNotSilenceARecurringAlarm) {
    TAlarmRec rec = alarm(akDaily, at(2026, 3, 1, 8));
    rec.Rung = true;
    rec.LastRung = std::nan("");
    // The first check clears Rung (the ring test saw it still set), the next one rings.
    EXPECT_FALSE(CheckAlarm(rec, at(2026, 3, 10, 8, 0, 5), TCheckMode::Normal, 5));
    EXPECT_FALSE(rec.Rung);
    EXPECT_TRUE(CheckAlarm(rec, at(2026, 3, 10, 8, 0, 15), TCheckMode::Normal, 5));
}

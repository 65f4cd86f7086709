// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddAlarm.h"

#include "Fakes.h"
#include <gtest/gtest.h>

using namespace AddAlarm;

namespace {

TEntered entered(int y, int mo, int d, int h, int mi) {
    return *GetDateTime(QString::number(d), mo, QString::number(y), QString::number(h),
                        QString::number(mi));
}
QString errorOf(const std::variant<TDateTime, QString>& r) {
    return std::holds_alternative<QString>(r) ? std::get<QString>(r) : QString();
}
TDateTime moment(std::int32_t kind, const TEntered& e, int weekday, TDateTime now) {
    return std::get<TDateTime>(AlarmMoment(kind, e, weekday, now));
}

} // namespace

TEST(AddAlarm, DatesAndTimesThatCannotBe) {
    EXPECT_TRUE(GetDateTime("29", 2, "2028", "23", "59") && GetDateTime("1", 1, "1", "0", "0") &&
                GetDateTime("31", 12, "9999", "0", "0"));
    EXPECT_TRUE(BoxAccepts("23", 23) && !BoxAccepts("24", 23));
    for (const auto& [day, month, year, hour, minute] :
         std::initializer_list<std::tuple<const char*, int, const char*, const char*, const char*>>{
             {"29", 2, "2027", "8", "0"},
             {"31", 4, "2027", "8", "0"},
             {"1", 13, "2027", "8", "0"},
             {"1", 3, "10000", "8", "0"},
             {"1", 3, "2027", "24", "0"},
             {"1", 3, "2027", "8", "60"},
             {"1", 3, "2027", " 8", "0"}})
        EXPECT_FALSE(GetDateTime(day, month, year, hour, minute)) << day << year << hour << minute;
}

TEST(AddAlarm, OneOffMustLieFortyThreeSecondsAhead) {
    const TDateTime now = at(2026, 3, 1, 10, 0, 30);
    // 43 s ahead is too soon, 44 s is enough (the message says 2 minutes; 43.2 s it is).
    const TEntered e = entered(2026, 3, 1, 10, 1);
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, e, 0, at(2026, 3, 1, 10, 0, 17))), TooSoon);
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, e, 0, at(2026, 3, 1, 10, 0, 16))), QString());
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, entered(2026, 2, 28, 23, 59), 0, now)), TooSoon);
    // Recurring kinds take the moment as it is, past or not; also before 1900, where
    // the day count runs backwards from 1899-12-30.
    EXPECT_EQ(moment(akDaily, entered(2026, 3, 1, 9, 0), 0, now), at(2026, 3, 1, 9));
    EXPECT_EQ(moment(akDaily, entered(1899, 12, 29, 6, 0), 0, now), at(1899, 12, 29, 6));
    EXPECT_EQ(moment(akAnnual, entered(1850, 7, 4, 18, 45), 0, now), at(1850, 7, 4, 18, 45));
    // Weekly moves forward to its weekday (2026-12-02 is a Wednesday, spin 3); today
    // counts even when the time has passed.
    const TDateTime noon = at(2026, 12, 2, 12);
    EXPECT_EQ(moment(akWeekly, entered(2026, 12, 2, 18, 30), 2, noon), at(2026, 12, 8, 18, 30));
    EXPECT_EQ(moment(akWeekly, entered(2026, 12, 2, 8, 0), 3, noon), at(2026, 12, 2, 8));
}

TEST(AddAlarm, DefaultsAndSpins) {
    const TDefaults d = Defaults(at(2026, 12, 2, 10, 0, 30), US);
    EXPECT_EQ(d.dayLabel + d.dayBox + d.monthLabel + d.yearBox, "Wednesday2December2026");
    EXPECT_EQ(d.hourBox + ':' + d.minuteBox, "10:03");
    // Just before midnight the time passes midnight while the date stays today.
    const TDefaults late = Defaults(at(2026, 12, 2, 23, 58, 30), US);
    EXPECT_EQ(late.dayBox + ' ' + late.hourBox + ':' + late.minuteBox, "2 0:01");
    EXPECT_EQ(QString("%1 %2 %3").arg(WrapDay(0)).arg(WrapMonth(0)).arg(WrapWeekday(7)), "31 12 0");
    EXPECT_EQ(QString("%1 %2 %3").arg(WrapDay(1)).arg(WrapMonth(13)).arg(WrapWeekday(-1)), "1 1 6");
    EXPECT_EQ(EnglishWeekday(6) + EnglishMonth(12) + EnglishWeekday(7) + EnglishMonth(13),
              "SaturdayDecember");
    // Which boxes each kind takes: time, weekday, day, month, year (one-off: the sheet).
    EXPECT_EQ(ControlStates(akDaily), (TControlStates{true, false, false, false, false}));
    EXPECT_EQ(ControlStates(akWeekly), (TControlStates{true, true, false, false, false}));
    EXPECT_EQ(ControlStates(akMonthly), (TControlStates{true, false, true, false, false}));
    EXPECT_EQ(ControlStates(akAnnual), (TControlStates{true, false, true, true, false}));
    // The month comes before the day where the user's locale writes it so.
    EXPECT_TRUE(SwapDayAndMonth(US) &&
                !SwapDayAndMonth(QLocale(QLocale::English, QLocale::UnitedKingdom)));
}

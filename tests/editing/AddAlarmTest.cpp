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

} // namespace

TEST(AddAlarm, DatesAndTimesThatCannotBe) {
    EXPECT_TRUE(GetDateTime("29", 2, "2028", "23", "59"));
    EXPECT_FALSE(GetDateTime("29", 2, "2027", "8", "0"));
    EXPECT_FALSE(GetDateTime("31", 4, "2027", "8", "0"));
    EXPECT_TRUE(GetDateTime("31", 5, "2027", "8", "0"));
    for (const auto& [day, year, hour, minute] :
         std::initializer_list<std::array<const char*, 4>>{{"0", "2027", "8", "0"},
                                                           {"x", "2027", "8", "0"},
                                                           {"1", "", "8", "0"},
                                                           {"1", "10000", "8", "0"},
                                                           {"1", "2027", "24", "0"},
                                                           {"1", "2027", "-1", "0"},
                                                           {"1", "2027", "8", "60"},
                                                           {"1", "2027", "", "0"},
                                                           {"1", "2027", " 8", "0"}})
        EXPECT_FALSE(GetDateTime(day, 3, year, hour, minute)) << day << year << hour << minute;
    EXPECT_FALSE(GetDateTime("1", 13, "2027", "8", "0"));
    const TEntered e = entered(2026, 3, 1, 9, 5);
    EXPECT_EQ(e.date, at(2026, 3, 1));
    EXPECT_DOUBLE_EQ(e.time, (9 * 60 + 5) / 1440.0);
}

TEST(AddAlarm, OneOffMustLieFortyThreeSecondsAhead) {
    const TDateTime now = at(2026, 3, 1, 10, 0, 30);
    // 43 s ahead is too soon, 44 s is enough (the message says 2 minutes; 43.2 s it is).
    const TEntered e = entered(2026, 3, 1, 10, 1);
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, e, 0, at(2026, 3, 1, 10, 0, 17))), TooSoon);
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, e, 0, at(2026, 3, 1, 10, 0, 16))), QString());
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, entered(2026, 3, 1, 9, 0), 0, now)), TooSoon);
    EXPECT_EQ(errorOf(AlarmMoment(akOneOff, entered(2026, 2, 28, 23, 59), 0, now)), TooSoon);
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akOneOff, entered(2026, 3, 2, 0, 0), 0, now)),
              at(2026, 3, 2));
    // Recurring kinds take the moment as it is, past or not.
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akDaily, entered(2026, 3, 1, 9, 0), 0, now)),
              at(2026, 3, 1, 9));
    // Also before 1900, where the day count runs backwards from 1899-12-30.
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akDaily, entered(1899, 12, 29, 6, 0), 0, now)),
              at(1899, 12, 29, 6));
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akAnnual, entered(1850, 7, 4, 18, 45), 0, now)),
              at(1850, 7, 4, 18, 45));
}

TEST(AddAlarm, WeeklyMovesForwardToItsWeekday) {
    // 2026-12-02 is a Wednesday (spin 3); Tuesday is spin 2.
    const TEntered wednesday = entered(2026, 12, 2, 18, 30);
    const TDateTime now = at(2026, 12, 2, 12);
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akWeekly, wednesday, 3, now)),
              at(2026, 12, 2, 18, 30));
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akWeekly, wednesday, 2, now)),
              at(2026, 12, 8, 18, 30));
    // Today counts even when the time has passed.
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akWeekly, entered(2026, 12, 2, 8, 0), 3, now)),
              at(2026, 12, 2, 8));
}

TEST(AddAlarm, SpinWrapsAndNames) {
    EXPECT_EQ(WrapDay(0), 31);
    EXPECT_EQ(WrapDay(31), 31);
    EXPECT_EQ(WrapDay(5), 5);
    EXPECT_EQ(WrapMonth(0), 12);
    EXPECT_EQ(WrapMonth(13), 1);
    EXPECT_EQ(WrapWeekday(-1), 6);
    EXPECT_EQ(WrapWeekday(7), 0);
    EXPECT_EQ(EnglishWeekday(0), "Sunday");
    EXPECT_EQ(EnglishWeekday(6), "Saturday");
    EXPECT_EQ(EnglishMonth(1), "January");
    EXPECT_EQ(EnglishMonth(12), "December");
    EXPECT_EQ(EnglishMonth(0), "");
}

TEST(AddAlarm, ControlsByTypeAndLeavingTheTimeBoxes) {
    EXPECT_EQ(ControlStates(akOneOff), (TControlStates{true, false, true, true, true}));
    EXPECT_EQ(ControlStates(akDaily), (TControlStates{true, false, false, false, false}));
    EXPECT_EQ(ControlStates(akWeekly), (TControlStates{true, true, false, false, false}));
    EXPECT_EQ(ControlStates(akMonthly), (TControlStates{true, false, true, false, false}));
    EXPECT_EQ(ControlStates(akAnnual), (TControlStates{true, false, true, true, false}));
    EXPECT_TRUE(BoxAccepts("23", 23));
    EXPECT_TRUE(BoxAccepts("-1", 23)); // rejected only when the alarm is added
    EXPECT_FALSE(BoxAccepts("24", 23));
    EXPECT_FALSE(BoxAccepts("a", 23));
    EXPECT_FALSE(BoxAccepts("", 59));
}

TEST(AddAlarm, DefaultsOfferTheTimeThreeMinutesAhead) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const TDefaults d = Defaults(at(2026, 12, 2, 10, 0, 30), us);
    EXPECT_EQ(d.dayLabel, "Wednesday");
    EXPECT_EQ(d.weekdaySpin, 3);
    EXPECT_EQ(d.dayBox, "2");
    EXPECT_EQ(d.monthLabel, "December");
    EXPECT_EQ(d.monthSpin, 12);
    EXPECT_EQ(d.yearBox, "2026");
    EXPECT_EQ(d.yearSpin, 2026);
    EXPECT_EQ(d.hourBox, "10");
    EXPECT_EQ(d.minuteBox, "03");
    // The offered time passes the one-off test at once.
    const TEntered e = *GetDateTime(d.dayBox, d.monthSpin, d.yearBox, d.hourBox, d.minuteBox);
    EXPECT_EQ(std::get<TDateTime>(AlarmMoment(akOneOff, e, 0, at(2026, 12, 2, 10, 0, 30))),
              at(2026, 12, 2, 10, 3));
    // Just before midnight the time passes midnight while the date stays today.
    const TDefaults late = Defaults(at(2026, 12, 2, 23, 58, 30), us);
    EXPECT_EQ(late.hourBox, "0");
    EXPECT_EQ(late.minuteBox, "01");
    EXPECT_EQ(late.dayBox, "2");

    EXPECT_TRUE(SwapDayAndMonth(us));
    EXPECT_FALSE(SwapDayAndMonth(QLocale(QLocale::English, QLocale::UnitedKingdom)));
}

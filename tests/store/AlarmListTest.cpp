// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmList.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(AlarmList, AtExitDailyWeeklyAndMonthlyForgetTheyRang) {
    AlarmList list;
    for (std::int32_t kind : {0, 1, 2, 3, 4, 7}) { // one-off to annual, and an unknown kind
        TAlarmRec rec = NewAlarm(kind, 46000.5, "x");
        rec.Rung = true;
        list.Append(rec);
    }
    std::vector<bool> rung;
    for (const auto& r : ListForExit(list))
        rung.push_back(r->Rung);
    EXPECT_EQ(rung, (std::vector<bool>{true, false, false, false, true, true}));
    EXPECT_TRUE(list[1].Rung) << "the running list is not touched";
}

TEST(AlarmList, ManyNaNTimesSortWithoutHarm) {
    // An ordering that is not total would let std::sort run past the end.
    AlarmList list;
    for (int i = 0; i < 2000; ++i)
        list.Append(NewAlarm(akOneOff, i % 3 ? (i * 7919) % 1000 : std::nan(""), "x"));
    list.Sort();
    for (int i = 1; i < list.Count(); ++i)
        ASSERT_LE(CompareAlarmTime(list[i - 1], list[i]), 0) << i;
    EXPECT_TRUE(std::isnan(list[list.Count() - 1].AlarmTime));
}

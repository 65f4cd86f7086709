// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListRefresh.h"
#include "DateFormat.h"

#include "Fakes.h"
#include <cmath>
#include <gtest/gtest.h>

TEST(ListRefresh, EarliestFirstWithTheButtonsThatFit) {
    AlarmList list;
    EXPECT_EQ(RefreshList(list, true, US).RowCount(), 1); // the header alone
    EXPECT_EQ(CheckButtons(list), (TButtonStates{true, false, false}));
    list.Append(NewAlarm(akOneOff, at(2026, 12, 24, 18), "latest"));
    EXPECT_EQ(CheckButtons(list), (TButtonStates{true, true, true}));
    list.Append(NewAlarm(akOneOff, at(2026, 12, 6, 20, 5), "earliest"));
    const TGridContent grid = RefreshList(list, true, US);
    EXPECT_EQ(grid.rows[0], (TGridContent::Row{"Sunday, December 6, 2026", UsTime(20, 5),
                                               "One off *", "earliest"}));
    EXPECT_EQ(list[0].Text, "earliest"); // the list is sorted too, and so saved
    for (int i = 2; i < 19; ++i)
        list.Append(NewAlarm(akDaily, 1.0, {}));
    EXPECT_TRUE(CheckButtons(list).Add);
    list.Append(NewAlarm(akDaily, 1.0, {}));
    EXPECT_EQ(CheckButtons(list), (TButtonStates{false, true, true}));
}

TEST(ListRefresh, SnoozeMarksDamagedRecordsAndLineBreaks) {
    AlarmList list;
    for (std::int32_t kind : {akOneOff, akDaily, akWeekly, akMonthly, akAnnual})
        list.Append(NewAlarm(kind, at(2026, 1, 1) + kind, "x"));
    list[1].SnoozePending = false; // Daily answered with Done
    QStringList kinds;
    for (bool snooze : {true, false})
        for (const auto& row : RefreshList(list, snooze, US).rows)
            kinds << row[2];
    EXPECT_EQ(kinds.join(", "), "One off *, Daily, Weekly *, Monthly *, Annual *, One off, Daily, "
                                "Weekly, Monthly, Annual");

    TAlarmRec rec{.AlarmTime = std::nan(""), .Kind = 99, .Text = QByteArray(601, 'y')};
    EXPECT_EQ(GridRow(rec, true, US), (TGridContent::Row{DateFormat::InvalidDate, "",
                                                         "Unknown (99) *", QString(601, 'y')}));
    rec.Text = "first\r\nsecond";
    EXPECT_EQ(MessageCell(rec), QString::fromUtf8("first \u21B5 second"));
}

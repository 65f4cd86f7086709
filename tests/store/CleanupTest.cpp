// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cleanup.h"
#include "Errors.h"

#include "Fakes.h"
#include <QStringList>
#include <gtest/gtest.h>

namespace {

class CleanupTest : public ::testing::Test, public TListHooks {
protected:
    void RefreshList() override { calls << "refresh"; }
    void SaveList() override {
        EXPECT_TRUE(state.CleanupBusy);
        calls << QStringLiteral("save %1").arg(list.Count());
        if (failSave)
            throw EInOutError("disc full");
    }
    void CheckButtons() override { calls << "buttons"; }
    void add(int day, int hour, const char* text, bool rung, bool pending) {
        TAlarmRec rec = NewAlarm(akOneOff, at(2026, 3, day, hour), text);
        rec.Rung = rung;
        rec.SnoozePending = pending;
        list.Append(rec);
    }
    QStringList texts() const {
        QStringList out;
        for (const auto& r : list)
            out << QString::fromLatin1(r->Text);
        return out;
    }
    void cleanup() { Cleanup(list, state, at(2026, 3, 10, 10, 0, 10), *this); }

    AlarmList list;
    TCheckState state;
    QStringList calls;
    bool failSave = false;
};

} // namespace

TEST_F(CleanupTest, RemovesSpentOneOffsAndKeepsTheRest) {
    add(8, 9, "two days back, never rang", false, true);
    add(9, 9, "yesterday, never rang", false, true);
    add(10, 9, "done earlier", true, false);
    add(10, 10, "done just now", true, false);
    add(10, 10, "snoozed", true, true);
    add(10, 11, "later today", true, false);
    TAlarmRec daily = NewAlarm(akDaily, at(2026, 1, 1, 9), "daily");
    daily.Rung = true;
    daily.SnoozePending = false;
    list.Append(daily);
    cleanup();
    // Both adjacent spent alarms went in the one pass, each with a refresh and a save.
    EXPECT_EQ(texts(), QStringList({"two days back, never rang", "yesterday, never rang", "snoozed",
                                    "later today", "daily"}));
    EXPECT_EQ(calls, QStringList({"refresh", "save 6", "refresh", "save 5", "buttons"}));
    // Two days back: marked, but kept, still waiting for Done; yesterday is not marked.
    EXPECT_TRUE(list[0].Rung && !list[1].Rung && !state.CleanupBusy);

    // Marking alone is not saved; nothing is done while a check cycle runs.
    list.Clear();
    calls.clear();
    add(1, 9, "old", false, true);
    state.CheckBusy = true;
    cleanup();
    EXPECT_FALSE(list[0].Rung);
    state.CheckBusy = false;
    cleanup();
    EXPECT_TRUE(list[0].Rung);
    EXPECT_EQ(calls, QStringList({"buttons", "buttons"}));
}

TEST_F(CleanupTest, FailedSaveStopsThePassAndClearsTheFlag) {
    add(10, 8, "a", true, false);
    add(10, 9, "b", true, false);
    failSave = true;
    EXPECT_THROW(cleanup(), EInOutError);
    EXPECT_EQ(texts(), QStringList({"b"}));
    EXPECT_FALSE(state.CleanupBusy); // or no check cycle would ever run again
}

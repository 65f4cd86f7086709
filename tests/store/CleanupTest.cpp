#include "Cleanup.h"
#include "Errors.h"

#include "Fakes.h"
#include <QStringList>
#include <gtest/gtest.h>

namespace {

class RecordingHooks : public TListHooks {
public:
    explicit RecordingHooks(const AlarmList& list, const TCheckState& state)
        : m_list(list)
        , m_state(state) {}
    void RefreshList() override { calls << "refresh"; }
    void SaveList() override {
        EXPECT_TRUE(m_state.CleanupBusy);
        calls << QStringLiteral("save %1").arg(m_list.Count());
        if (failSave)
            throw EInOutError("disc full");
    }
    void CheckButtons() override {
        EXPECT_FALSE(m_state.CleanupBusy);
        calls << "buttons";
    }
    QStringList calls;
    bool failSave = false;

private:
    const AlarmList& m_list;
    const TCheckState& m_state;
};

TAlarmRec oneOff(TDateTime when, const char* text, bool rung, bool pending) {
    TAlarmRec rec = NewAlarm(akOneOff, when, text);
    rec.Rung = rung;
    rec.SnoozePending = pending;
    return rec;
}

QStringList texts(const AlarmList& list) {
    QStringList out;
    for (const auto& r : list)
        out << QString::fromLatin1(r->Text);
    return out;
}

class CleanupTest : public ::testing::Test {
protected:
    AlarmList list;
    TCheckState state;
    RecordingHooks hooks{list, state};
    const TDateTime now = at(2026, 3, 10, 10, 0, 10);
};

} // namespace

TEST_F(CleanupTest, RemovesSpentOneOffsAndKeepsTheRest) {
    list.Append(oneOff(at(2026, 3, 8, 9), "two days back, never rang", false, true));
    list.Append(oneOff(at(2026, 3, 9, 9), "yesterday, never rang", false, true));
    list.Append(oneOff(at(2026, 3, 10, 9), "done earlier", true, false));
    list.Append(oneOff(at(2026, 3, 10, 10), "done just now", true, false));
    list.Append(oneOff(at(2026, 3, 10, 10), "snoozed", true, true));
    list.Append(oneOff(at(2026, 3, 10, 11), "later today", true, false));
    TAlarmRec daily = NewAlarm(akDaily, at(2026, 1, 1, 9), "daily");
    daily.Rung = true;
    daily.SnoozePending = false;
    list.Append(daily);

    Cleanup(list, state, now, hooks);

    // Both adjacent spent alarms went in the one pass, each with a refresh and a save.
    EXPECT_EQ(texts(list), QStringList({"two days back, never rang", "yesterday, never rang",
                                        "snoozed", "later today", "daily"}));
    EXPECT_EQ(hooks.calls, QStringList({"refresh", "save 6", "refresh", "save 5", "buttons"}));
    EXPECT_TRUE(list[0].Rung);  // marked, but kept: still waiting for Done
    EXPECT_FALSE(list[1].Rung); // yesterday is not yet two days back
    EXPECT_FALSE(state.CleanupBusy);
}

TEST_F(CleanupTest, MarkingAloneIsNotSaved) {
    list.Append(oneOff(at(2026, 3, 1, 9), "old", false, true));
    Cleanup(list, state, now, hooks);
    EXPECT_TRUE(list[0].Rung);
    EXPECT_EQ(hooks.calls, QStringList({"buttons"}));
}

TEST_F(CleanupTest, DoesNothingWhileACheckCycleRuns) {
    list.Append(oneOff(at(2026, 3, 10, 9), "done", true, false));
    list.Append(oneOff(at(2026, 3, 1, 9), "old", false, true));
    state.CheckBusy = true;
    Cleanup(list, state, now, hooks);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list[1].Rung);
    EXPECT_EQ(hooks.calls, QStringList({"buttons"}));
    EXPECT_FALSE(state.CleanupBusy);
    EXPECT_TRUE(state.CheckBusy);
}

TEST_F(CleanupTest, FailedSaveStopsThePassAndClearsTheFlag) {
    list.Append(oneOff(at(2026, 3, 10, 8), "a", true, false));
    list.Append(oneOff(at(2026, 3, 10, 9), "b", true, false));
    hooks.failSave = true;
    EXPECT_THROW(Cleanup(list, state, now, hooks), EInOutError);
    EXPECT_EQ(texts(list), QStringList({"b"}));
    EXPECT_FALSE(state.CleanupBusy); // or no check cycle would ever run again
}

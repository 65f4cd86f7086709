// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCycle.h"
#include "Errors.h"
#include "ScriptedMessages.h"

#include "Fakes.h"
#include <QRegularExpression>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The notice, sound, icon and list windows write into one log, so that the order shows.
class CheckCycleTest : public ::testing::Test, TNoticeView, TSoundPlayer, TIconView, TListHooks {
protected:
    bool Visible() const override { return visible; }
    void SetText(const QString& t) override { text = t; }
    void SetCaption(const QString& c) override { caption = c; }
    void ShowModal() override {
        log << "modal " + text.section(": ", 1);
        visible = true;
        if (onModal)
            onModal(); // what the user does while a modal notice waits
        visible = false;
    }
    void ShowModeless() override {
        log << "modeless " + text.section(": ", 1);
        visible = true;
    }
    void Hide() override { visible = false; }
    bool Hidden() const override { return hidden; }
    void BringBack() override {
        log << "brought back";
        hidden = false;
    }
    void Play(const QString& file, bool loop) override {
        log << QStringLiteral("play %1%2").arg(file, loop ? " looping" : "");
    }
    void Stop() override { log << "stop sound"; }
    bool ShowIcon(const QString& name) override {
        log << "icon " + name;
        return name != missingIcon;
    }
    void StartAnimation() override { animating = true; }
    void StopAnimation() override { animating = false; }
    void RefreshList() override { log << "refresh"; }
    void SaveList() override { log << "save"; }
    void CheckButtons() override {}

    AlarmList::Ptr add(std::int32_t kind, TDateTime when, const char* text) {
        list.Append(NewAlarm(kind, when, text));
        return list.At(list.Count() - 1);
    }
    QStringList shown() const { return log.filter(QRegularExpression("^modal|^modeless")); }
    void checkAt(TDateTime now) {
        clock.set(now);
        cycle.Timer1Timer();
    }
    // Checks every ten seconds (clock read through clockAt), each notice answered with
    // Done at once: what rang, in order.
    std::string checks(double from, double to, double step = 10 / 86400.0,
                       const std::function<TDateTime(double)>& clockAt = {}) {
        log.clear();
        onModal = [this] {
            cycle.StopButtClick();
        };
        for (double t = from; t <= to; t += step) {
            checkAt(clockAt ? clockAt(t) : t);
            if (visible)
                cycle.StopButtClick();
        }
        return shown().join(", ").toStdString();
    }

    QStringList log;
    bool visible = false, hidden = false, animating = false;
    QString text, caption, missingIcon;
    std::function<void()> onModal;
    AlarmList list;
    TCheckState state{.FirstCheck = false};
    TAlarmSettings settings{true, "alarm.wav", false, true, 5};
    TManualClock clock;
    ScriptedMessages messages;
    TCheckCycle cycle{{.list = list,
                       .state = state,
                       .settings = settings,
                       .clock = clock,
                       .notice = *this,
                       .sound = *this,
                       .icon = *this,
                       .hooks = *this,
                       .messages = messages,
                       .locale = US}};
};

} // namespace

TEST_F(CheckCycleTest, RingsAtTheFirstCheckAfterItsTimeAndHoldsBackTheNext) {
    const auto first = add(akOneOff, at(2026, 3, 1, 9), "Bread");
    const auto second = add(akDaily, at(2026, 1, 1, 9), "second");
    checkAt(at(2026, 3, 1, 8, 59, 55));
    EXPECT_TRUE(log.isEmpty());
    checkAt(at(2026, 3, 1, 9, 0, 5));
    EXPECT_EQ(caption, "One off alarm for Sunday, March 1, 2026  " + UsTime(9, 0));
    EXPECT_EQ(log, (QStringList{"play alarm.wav", "modeless Bread"}));
    EXPECT_TRUE(first->Rung && animating && first->LastRung == at(2026, 3, 1, 9, 0, 5));
    // The second is due too, but waits: no sound, no marks, the notice unchanged.
    checkAt(at(2026, 3, 1, 9, 0, 15));
    EXPECT_TRUE(log.size() == 2 && !second->Rung && second->LastRung == TAlarmRec::NeverRung);
    // Done on the first: the second rings at the next check, still in its window.
    cycle.StopButtClick();
    checkAt(at(2026, 3, 1, 9, 0, 25));
    EXPECT_EQ(text, "Sunday, March 1, 2026 " + UsTime(9, 0) + ": second");
}

// With sound off, silent; an empty message (only another tool writes one) rings as ALARM.
TEST_F(CheckCycleTest, CatchUpShowsEachNoticeModallyInListOrder) {
    state.FirstCheck = true;
    settings.Sound = false;
    for (int hour : {7, 8, 9, 13})
        add(akDaily, at(2026, 1, 1, hour), hour == 8 ? "" : QByteArray::number(hour));
    const auto spent = add(akOneOff, at(2026, 2, 1, 6), "spent");
    spent->Rung = true;
    spent->SnoozePending = false;
    onModal = [this] {
        // While a notice waits, other ticks find the cycle busy and do nothing (their
        // clean-up would take the spent one-off away under the waiting cycle).
        const qsizetype before = log.size();
        cycle.Timer1Timer();
        EXPECT_EQ(log.size(), before);
        hidden = true; // but a hidden notice comes back even then
        cycle.Timer1Timer();
        EXPECT_EQ(log.mid(before), QStringList{"brought back"});
        cycle.StopButtClick();
    };
    checkAt(at(2026, 3, 1, 12));
    EXPECT_EQ(shown(), (QStringList{"modal 7", "modal ALARM", "modal 9"}));
    checkAt(at(2026, 3, 1, 12, 0, 10)); // later cycles are normal: nothing rings again
    EXPECT_TRUE(shown().size() == 3 && log.filter("play").isEmpty());
}

TEST_F(CheckCycleTest, DoneAndSnooze) {
    const auto rec = add(akOneOff, at(2026, 3, 1, 9), "tea");
    checkAt(at(2026, 3, 1, 9, 0, 4));
    log.clear();
    clock.set(at(2026, 3, 1, 9, 3)); // Snooze pressed three minutes after the ring
    cycle.SnoozeButtClick();
    EXPECT_EQ(log, (QStringList{"stop sound", "save", "refresh"})); // no icon back
    EXPECT_TRUE(rec->SnoozePending && !visible && !animating);
    // Five minutes after the ring it rings again; Done answers it and restores the icon.
    EXPECT_EQ(checks(at(2026, 3, 1, 9, 0, 15), at(2026, 3, 1, 9, 5, 9)), "modeless tea");
    EXPECT_EQ(log.mid(log.size() - 4),
              (QStringList{"stop sound", "save", "refresh", "icon MAINICON"}));
    checkAt(at(2026, 3, 1, 9, 5, 15)); // the clean-up takes the answered one-off away
    EXPECT_TRUE(list.IsEmpty());
    // The answer to an alarm deleted meanwhile changes no other one.
    const auto other = add(akDaily, at(2026, 1, 1, 10), "other");
    const TAlarmRec before = *other;
    cycle.StopButtClick();
    cycle.SnoozeButtClick();
    EXPECT_EQ(*other, before);
}

TEST_F(CheckCycleTest, AnimationFramesGoRoundAndAMissingOneIsReported) {
    for (int second = 0; second < 7; ++second)
        cycle.Timer2Timer();
    EXPECT_EQ(log.join(' ').remove("icon "), "ICON_1 ICON_2 ICON_3 ICON_4 ICON_5 ICON_6 ICON_1");
    missingIcon = "ICON_2";
    cycle.Timer2Timer();
    missingIcon = "MAINICON"; // Done brings the bell back
    cycle.StopButtClick();
    EXPECT_TRUE(messages.shown.size() == 2 && messages.shown[1] == messages.shown[0]);
    EXPECT_EQ(messages.shown.value(0),
              (TMessage{"Error: couldn't load icon", "Tockwell", TMsgIcon::None, TMsgButtons::Ok}));
}

// An error leaves the flags clear; nothing runs while a clean-up pass is busy.
TEST_F(CheckCycleTest, ErrorsLeaveTheFlagsClear) {
    state.FirstCheck = true;
    add(akDaily, at(2026, 1, 1, 7), "seven");
    onModal = [] {
        throw EInOutError("broken");
    };
    EXPECT_THROW(checkAt(at(2026, 3, 1, 12)), EInOutError);
    EXPECT_FALSE(state.CheckBusy || state.FirstCheck);
    state.CleanupBusy = true;
    log.clear();
    checkAt(at(2026, 3, 1, 12, 0, 10));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(CheckCycleTest, AfterAGapTheCheckCatchesUpAndNothingRingsTwice) {
    add(akDaily, at(2026, 1, 1, 8, 50), "ten to");
    add(akDaily, at(2026, 1, 1, 9), "nine");
    add(akOneOff, at(2026, 3, 2, 9, 10), "ten past");
    add(akOneOff, at(2026, 3, 3, 9), "slept through");
    add(akDaily, at(2026, 1, 1, 9, 40), "twenty to");
    EXPECT_EQ(checks(at(2026, 3, 2, 8, 45), at(2026, 3, 2, 8, 55)), "modeless ten to");
    // Suspended (or the clock set forward) from 08:55 to 09:30: what fell in between
    // rings at once, modally, in list order.
    EXPECT_EQ(checks(at(2026, 3, 2, 9, 30), at(2026, 3, 2, 9, 35)), "modal nine, modal ten past");
    // The clock set back an hour: what rang today does not ring again.
    EXPECT_EQ(checks(at(2026, 3, 2, 8, 35), at(2026, 3, 2, 9, 45)), "modeless twenty to");
    // Asleep until two days later: today's passed alarms ring, not the day between's.
    EXPECT_EQ(checks(at(2026, 3, 4, 9, 5), at(2026, 3, 4, 9, 6)), "modal ten to, modal nine");
}

TEST_F(CheckCycleTest, SummerTimeSkipsAnHourAndRepeatsOne) {
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    // The clock as the program reads it: local time, every ten seconds for some hours
    // from an instant in UTC.
    const auto localChecks = [&](const QDateTime& fromUtc, int hours) {
        const double from = fromUtc.toSecsSinceEpoch();
        return checks(from, from + hours * 3600 - 1, 10, [](double t) {
            return DateTime::fromQDateTime(QDateTime::fromSecsSinceEpoch(qint64(t)));
        });
    };
    add(akDaily, at(2026, 1, 1, 2, 30), "half past two");
    // 29 March 2026: at 02:00 the clocks go to 03:00, and 02:30 never comes.
    const QDateTime spring(QDate(2026, 3, 29), QTime(0, 0), Qt::UTC);
    ASSERT_EQ(spring.toLocalTime().time(), QTime(1, 0)) << "no zone data for Europe/Berlin";
    EXPECT_EQ(localChecks(spring, 2), "modal half past two");
    // 25 October 2026: at 03:00 the clocks go back to 02:00, and 02:30 comes twice.
    state.LastCheck = std::nan("");
    EXPECT_EQ(localChecks(QDateTime(QDate(2026, 10, 24), QTime(23, 0), Qt::UTC), 4),
              "modeless half past two");
    oldZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldZone);
    tzset();
}

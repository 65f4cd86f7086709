#include "CheckCycle.h"
#include "Errors.h"
#include "ScriptedMessages.h"

#include "Fakes.h"
#include <QRegularExpression>
#include <QStringList>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Everything the cycle touches writes into one log, so that the order shows.
struct Fakes : TNoticeView, TSoundPlayer, TIconView, TListHooks {
    QStringList log;
    bool visible = false;
    QString text, caption;
    // What the user does while a modal notice waits.
    std::function<void()> onModal;
    QStringList missingIcons;
    // The messages of the notices shown, each with how it was shown.
    QStringList rang;

    bool Visible() const override { return visible; }
    void SetText(const QString& t) override { text = t; }
    void SetCaption(const QString& c) override { caption = c; }
    void ShowModal() override {
        log << "modal " + caption;
        rang << "modal " + text.section(": ", 1);
        visible = true;
        if (onModal)
            onModal();
        visible = false;
    }
    void ShowModeless() override {
        log << "modeless " + caption;
        rang << "modeless " + text.section(": ", 1);
        visible = true;
    }
    void Hide() override { visible = false; }
    void Play(const QString& file, bool loop) override {
        log << QStringLiteral("play %1%2").arg(file, loop ? " looping" : "");
    }
    void Stop() override { log << "stop sound"; }
    bool ShowIcon(const QString& name) override {
        if (missingIcons.contains(name))
            return false;
        log << "icon " + name;
        return true;
    }
    void StartAnimation() override { animating = true; }
    void StopAnimation() override { animating = false; }
    void RefreshList() override { log << "refresh"; }
    void SaveList() override { log << "save"; }
    void CheckButtons() override {}
    bool animating = false;
};

class CheckCycleTest : public ::testing::Test {
protected:
    CheckCycleTest() { settings = {true, "alarm.wav", false, true, 5}; }
    TCheckCycle& cycle() {
        if (!m_cycle)
            m_cycle = std::make_unique<TCheckCycle>(TCheckCycle::Parts{.list = list,
                                                                       .state = state,
                                                                       .settings = settings,
                                                                       .clock = clock,
                                                                       .notice = fakes,
                                                                       .sound = fakes,
                                                                       .icon = fakes,
                                                                       .hooks = fakes,
                                                                       .messages = messages,
                                                                       .locale = US});
        return *m_cycle;
    }
    AlarmList::Ptr add(std::int32_t kind, TDateTime when, const char* text) {
        list.Append(NewAlarm(kind, when, text));
        return list.At(list.Count() - 1);
    }
    QStringList shown() const { return fakes.log.filter(QRegularExpression("^(modal|modeless) ")); }
    // A check at each moment ten seconds apart from one to the other, as Timer1 makes
    // them; each notice is answered with Done at once. What rang, in order.
    std::string checks(TDateTime from, TDateTime to) {
        return checksAt(from, to, 10 / 86400.0, [](TDateTime t) { return t; });
    }
    std::string checksAt(double from, double to, double step,
                         const std::function<TDateTime(double)>& clockAt) {
        fakes.rang.clear();
        fakes.onModal = [this] {
            cycle().StopButtClick();
        };
        for (double t = from; t <= to; t += step) {
            clock.set(clockAt(t));
            cycle().Timer1Timer();
            if (fakes.visible)
                cycle().StopButtClick();
        }
        return fakes.rang.join(", ").toStdString();
    }

    AlarmList list;
    TCheckState state;
    TAlarmSettings settings;
    TManualClock clock;
    Fakes fakes;
    ScriptedMessages messages;
    std::unique_ptr<TCheckCycle> m_cycle;
};

} // namespace

TEST_F(CheckCycleTest, RingsAtTheFirstCheckAfterItsTime) {
    state.FirstCheck = false;
    const auto rec = add(akOneOff, at(2026, 3, 1, 8), "Bread");
    clock.set(at(2026, 3, 1, 7, 59, 55));
    cycle().Timer1Timer();
    EXPECT_TRUE(shown().isEmpty());
    clock.set(at(2026, 3, 1, 8, 0, 5));
    cycle().Timer1Timer();
    EXPECT_EQ(shown(), QStringList{"modeless One off alarm for Sunday, March 1, 2026  8:00 AM"});
    EXPECT_EQ(fakes.text, "Sunday, March 1, 2026 8:00 AM: Bread");
    EXPECT_TRUE(fakes.log.contains("play alarm.wav"));
    EXPECT_TRUE(rec->Rung);
    EXPECT_EQ(rec->LastRung, at(2026, 3, 1, 8, 0, 5));
    EXPECT_EQ(state.NoticeAlarm.lock(), rec);
    EXPECT_TRUE(fakes.animating);
    EXPECT_FALSE(state.CheckBusy);
    EXPECT_FALSE(state.CleanupBusy);
}

TEST_F(CheckCycleTest, AVisibleNoticeHoldsBackTheNextAlarm) {
    state.FirstCheck = false;
    const auto first = add(akDaily, at(2026, 1, 1, 9), "first");
    const auto second = add(akDaily, at(2026, 1, 1, 9), "second");
    clock.set(at(2026, 3, 1, 9, 0, 3));
    cycle().Timer1Timer();
    EXPECT_EQ(fakes.text, "Sunday, March 1, 2026 9:00 AM: first");
    EXPECT_EQ(fakes.log.filter("play").size(), 1);
    // The second is due too, but waits: no sound, no marks, the notice unchanged.
    EXPECT_FALSE(second->Rung);
    EXPECT_EQ(second->LastRung, TAlarmRec::NeverRung);
    clock.advanceSeconds(10);
    cycle().Timer1Timer();
    EXPECT_EQ(fakes.text, "Sunday, March 1, 2026 9:00 AM: first");
    EXPECT_EQ(fakes.log.filter("play").size(), 1);
    // Done on the first: the second rings at the next check, still in its window.
    cycle().StopButtClick();
    clock.advanceSeconds(10);
    cycle().Timer1Timer();
    EXPECT_EQ(fakes.text, "Sunday, March 1, 2026 9:00 AM: second");
    EXPECT_TRUE(second->Rung);
    EXPECT_FALSE(first->SnoozePending);
}

TEST_F(CheckCycleTest, CatchUpShowsEachNoticeModallyInListOrder) {
    add(akDaily, at(2026, 1, 1, 7), "seven");
    add(akDaily, at(2026, 1, 1, 8), "eight");
    add(akDaily, at(2026, 1, 1, 9), "nine");
    add(akDaily, at(2026, 1, 1, 13), "later");
    clock.set(at(2026, 3, 1, 12));
    QStringList answered;
    fakes.onModal = [&] {
        // While a notice waits, other ticks find the cycle busy and do nothing.
        EXPECT_TRUE(state.CheckBusy);
        const int before = fakes.log.size();
        cycle().Timer1Timer();
        EXPECT_EQ(fakes.log.size(), before);
        answered << fakes.text.section(": ", 1);
        cycle().StopButtClick();
    };
    cycle().Timer1Timer();
    EXPECT_EQ(answered, (QStringList{"seven", "eight", "nine"}));
    EXPECT_FALSE(state.FirstCheck);
    // Later cycles are normal: nothing rings again.
    clock.advanceSeconds(10);
    cycle().Timer1Timer();
    EXPECT_EQ(answered.size(), 3);
    EXPECT_TRUE(shown().filter("modeless").isEmpty());
}

TEST_F(CheckCycleTest, SoundFollowsTheSettings) {
    state.FirstCheck = false;
    clock.set(at(2026, 3, 1, 9, 0, 2));
    settings.Sound = false;
    add(akDaily, at(2026, 1, 1, 9), "quiet");
    cycle().Timer1Timer();
    EXPECT_TRUE(fakes.log.filter("play").isEmpty());
    EXPECT_EQ(shown().size(), 1);
    cycle().StopButtClick();

    settings.Sound = true;
    settings.PersistentSound = true;
    settings.SoundFile = "/sounds/bell.wav";
    add(akDaily, at(2026, 1, 1, 9), "loud");
    clock.advanceSeconds(10);
    cycle().Timer1Timer();
    EXPECT_EQ(fakes.log.filter("play"), QStringList{"play /sounds/bell.wav looping"});
}

TEST_F(CheckCycleTest, EmptyMessageRingsAsAlarm) {
    state.FirstCheck = false;
    TAlarmRec rec = NewAlarm(akDaily, at(2026, 1, 1, 9), "x");
    rec.Text.clear(); // only another tool writes this
    list.Append(rec);
    clock.set(at(2026, 3, 1, 9, 0, 2));
    cycle().Timer1Timer();
    EXPECT_EQ(fakes.text, "Sunday, March 1, 2026 9:00 AM: ALARM");
}

TEST_F(CheckCycleTest, DoneAndSnooze) {
    state.FirstCheck = false;
    const auto rec = add(akOneOff, at(2026, 3, 1, 9), "tea");
    clock.set(at(2026, 3, 1, 9, 0, 4));
    cycle().Timer1Timer();
    fakes.log.clear();
    cycle().SnoozeButtClick();
    EXPECT_EQ(fakes.log, (QStringList{"stop sound", "save", "refresh"})); // no icon back
    EXPECT_TRUE(rec->SnoozePending);
    EXPECT_FALSE(fakes.visible);
    EXPECT_FALSE(fakes.animating);

    // Five minutes after the ring it rings again; Done answers it and restores the icon.
    clock.set(at(2026, 3, 1, 9, 5, 5));
    cycle().Timer1Timer();
    EXPECT_EQ(shown().size(), 1);
    fakes.log.clear();
    cycle().StopButtClick();
    EXPECT_EQ(fakes.log, (QStringList{"stop sound", "save", "refresh", "icon MAINICON"}));
    EXPECT_FALSE(rec->SnoozePending);
    // The next cycle's clean-up takes the answered one-off away.
    clock.advanceSeconds(10);
    cycle().Timer1Timer();
    EXPECT_TRUE(list.IsEmpty());

    fakes.missingIcons << "MAINICON";
    cycle().StopButtClick();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Error: couldn't load icon");
    EXPECT_EQ(messages.shown[0].icon, TMsgIcon::None);
}

TEST_F(CheckCycleTest, AnswerToADeletedAlarmChangesNoOther) {
    state.FirstCheck = false;
    const auto ringing = add(akDaily, at(2026, 1, 1, 9), "ringing");
    const auto other = add(akDaily, at(2026, 1, 1, 10), "other");
    clock.set(at(2026, 3, 1, 9, 0, 2));
    cycle().Timer1Timer();
    list.Remove(list.IndexOf(ringing.get())); // deleted in the alarms window meanwhile
    const TAlarmRec before = *other;
    cycle().StopButtClick();
    EXPECT_EQ(*other, before);
    cycle().SnoozeButtClick();
    EXPECT_EQ(*other, before);
    EXPECT_EQ(fakes.log.filter("save").size(), 2); // the other steps still ran
}

TEST_F(CheckCycleTest, AnimationFramesGoRoundAndAMissingOneIsReportedOnce) {
    for (int second = 0; second < 7; ++second)
        cycle().Timer2Timer();
    EXPECT_EQ(fakes.log, (QStringList{"icon ICON_1", "icon ICON_2", "icon ICON_3", "icon ICON_4",
                                      "icon ICON_5", "icon ICON_6", "icon ICON_1"}));
    EXPECT_EQ(state.IconFrame, 2); // kept for the next animation

    fakes.missingIcons << "ICON_2";
    cycle().Timer2Timer();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0],
              (TMessage{"Error: couldn't load icon", "Tockwell", TMsgIcon::None, TMsgButtons::Ok}));
}

TEST_F(CheckCycleTest, ErrorsLeaveTheFlagsClear) {
    state.FirstCheck = true;
    add(akDaily, at(2026, 1, 1, 7), "seven");
    clock.set(at(2026, 3, 1, 12));
    fakes.onModal = [] {
        throw EInOutError("broken");
    };
    EXPECT_THROW(cycle().Timer1Timer(), EInOutError);
    EXPECT_FALSE(state.CheckBusy);
    EXPECT_FALSE(state.FirstCheck);
    // Nothing runs while a clean-up pass is busy.
    state.CleanupBusy = true;
    fakes.log.clear();
    clock.advanceSeconds(10);
    cycle().Timer1Timer();
    EXPECT_TRUE(fakes.log.isEmpty());
}

TEST_F(CheckCycleTest, AfterAGapTheCheckCatchesUpAndNothingRingsTwice) {
    state.FirstCheck = false;
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
    // The clock as the program reads it: local time at an instant, here every ten
    // seconds for some hours from an instant in UTC.
    const auto localChecks = [&](const QDateTime& fromUtc, int hours) {
        const double from = fromUtc.toSecsSinceEpoch();
        return checksAt(from, from + hours * 3600 - 1, 10, [](double t) {
            return DateTime::fromQDateTime(QDateTime::fromSecsSinceEpoch(qint64(t)));
        });
    };
    state.FirstCheck = false;
    add(akDaily, at(2026, 1, 1, 2, 30), "half past two");
    // 29 March 2026: at 02:00 the clocks go to 03:00, and 02:30 never comes.
    const QDateTime spring(QDate(2026, 3, 29), QTime(0, 0), Qt::UTC);
    ASSERT_EQ(spring.toLocalTime().time(), QTime(1, 0)) << "no zone data for Europe/Berlin";
    EXPECT_EQ(localChecks(spring, 2), "modal half past two");
    // 25 October 2026: at 03:00 the clocks go back to 02:00, and 02:30 comes twice.
    state.LastCheck = std::nan("");
    EXPECT_EQ(localChecks(QDateTime(QDate(2026, 10, 24), QTime(23, 0), Qt::UTC), 4),
              "modeless half past two");
    if (oldZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldZone);
    tzset();
}

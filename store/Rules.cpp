// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rules.h"

namespace Rules {

using DateTime::dateOf;
using DateTime::timeOf;

bool IsGap(TDateTime previousCheck, TDateTime now) {
    return now - previousCheck > GapAfter; // false for NaN
}

bool RingDue(const TAlarmRec& rec, TDateTime now, TCheckMode mode, TDateTime previousCheck) {
    const double at = timeOf(rec.AlarmTime);
    const double clock = timeOf(now);
    switch (mode) {
    case TCheckMode::CatchUp:
        return at < clock;
    case TCheckMode::Gap: {
        // Rung is read before the new-day reset: what counts here is a ring today.
        const bool rungToday =
            rec.Rung && DateTime::isValid(rec.LastRung) && dateOf(rec.LastRung) == dateOf(now);
        // Its ring window was still open at the previous check (none known: it was).
        const bool openAtPreviousCheck =
            !(dateOf(previousCheck) >= dateOf(now)) || at + RingWindow > timeOf(previousCheck);
        return at < clock && openAtPreviousCheck && !rungToday;
    }
    case TCheckMode::Normal:
        break;
    }
    return at < clock && at + RingWindow > clock && !rec.Rung;
}

bool SnoozeDue(const TAlarmRec& rec, TDateTime now, std::int32_t snoozeMin) {
    if (!DateTime::isValid(rec.LastRung))
        return false;
    return timeOf(now) - snoozeMin * OneMinute >= timeOf(rec.LastRung);
}

void NewDayReset(TAlarmRec& rec, TDateTime now) {
    if (!IsRecurring(rec.Kind))
        return;
    if (!DateTime::isValid(rec.LastRung) || dateOf(now) > dateOf(rec.LastRung))
        rec.Rung = false;
}

bool DateMatches(const TAlarmRec& rec, TDateTime now) {
    if (!DateTime::isValid(rec.AlarmTime))
        return false;
    switch (rec.Kind) {
    case akOneOff:
        return dateOf(rec.AlarmTime) == dateOf(now);
    case akDaily:
        return true;
    case akWeekly:
        return DateTime::dayOfWeek(rec.AlarmTime) == DateTime::dayOfWeek(now);
    case akMonthly:
        return DateTime::dayOfMonth(rec.AlarmTime) == DateTime::dayOfMonth(now);
    case akAnnual:
        return DateTime::dayOfMonth(rec.AlarmTime) == DateTime::dayOfMonth(now) &&
               DateTime::month(rec.AlarmTime) == DateTime::month(now);
    }
    return false;
}

bool CheckAlarm(TAlarmRec& rec, TDateTime now, TCheckMode mode, std::int32_t snoozeMin,
                TDateTime previousCheck) {
    const bool ringDue = RingDue(rec, now, mode, previousCheck);
    const bool snoozeDue = SnoozeDue(rec, now, snoozeMin);
    NewDayReset(rec, now);
    if (!DateMatches(rec, now))
        return false;
    return ringDue || (rec.SnoozePending && snoozeDue);
}

} // namespace Rules

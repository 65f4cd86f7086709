// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmRec.h"

#include <cmath>
#include <cstdint>

// When an alarm rings. An alarm is never moved on to a next occurrence: at every check
// its stored AlarmTime is compared afresh with the clock, by kind, and the record's
// Rung, SnoozePending and LastRung remember what has happened already.
//
// Everything is compared as day counts (see DateTime.h); nothing is rounded first.
namespace Rules {

// How long after its time of day an alarm may still ring in normal mode (604.8 s).
inline constexpr double RingWindow = 0.007;
// The unit of the snooze length: 1/1440 day, as the program has always written it.
inline constexpr double OneMinute = 0.0006944444444444;
// Clean-up marks a one-off alarm whose date lies more than this before today.
inline constexpr double OneDay = 1.0;

// A check that comes this much later than the one before it (ten seconds plus a
// minute) follows a gap: the machine slept, the clock was set forward, or summer time
// began.
inline constexpr double GapAfter = 70.0 / 86400.0;

// The first check after start-up catches up on what passed earlier today; a check
// after a gap catches up on what passed unchecked; every other check is normal.
enum class TCheckMode { CatchUp, Normal, Gap };

// Whether a check at now follows a gap since the previous one (NaN: there was none).
// A clock set backwards makes no gap.
bool IsGap(TDateTime previousCheck, TDateTime now);

// Its time of day has passed: in catch-up mode that is all; in normal mode it passed
// less than RingWindow ago and the alarm has not rung for this occurrence. The window
// does not reach past midnight. After a gap, its window was still open at the previous
// check (or that check was on an earlier day) and it has not rung today.
bool RingDue(const TAlarmRec& rec, TDateTime now, TCheckMode mode,
             TDateTime previousCheck = std::nan(""));

// SnoozeMin minutes have passed since the time of day it last rang. Only times of day
// take part, so a snooze that would end at or after midnight never ends.
bool SnoozeDue(const TAlarmRec& rec, TDateTime now, std::int32_t snoozeMin);

// For the recurring kinds: once a later day has begun than the one it last rang on,
// it may ring again. A LastRung with no calendar date (a damaged record) counts as
// long ago. One-off and unknown kinds are left alone.
void NewDayReset(TAlarmRec& rec, TDateTime now);

// Whether today is the alarm's day: its date (one off), every day (daily), its
// weekday (weekly), its day of the month (monthly), its month and day (annual).
// Never for an unknown kind or an AlarmTime without a calendar date.
bool DateMatches(const TAlarmRec& rec, TDateTime now);

// The five tests of one alarm at one check, in their order: ring test (with Rung as
// it stood before the reset), snooze test, new-day reset (which may clear Rung), date
// match, decision. True when the alarm is to ring now. Changes nothing but Rung.
bool CheckAlarm(TAlarmRec& rec, TDateTime now, TCheckMode mode, std::int32_t snoozeMin,
                TDateTime previousCheck = std::nan(""));

} // namespace Rules

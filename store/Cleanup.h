// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmList.h"
#include "Clock.h"

#include <cmath>
#include <memory>

// The check cycle's program-wide state. CheckBusy and CleanupBusy keep a check cycle
// and a clean-up pass from running inside each other while one of them waits in a
// modal window.
struct TCheckState {
    bool CheckBusy = false;
    bool CleanupBusy = false;
    bool FirstCheck = true;
    // When the last check cycle began; NaN before the first.
    TDateTime LastCheck = std::nan("");
    int IconFrame = 1;
    // The alarm the notice shows. Weak: once the alarm has left the list, Done and
    // Snooze write into nothing.
    std::weak_ptr<TAlarmRec> NoticeAlarm;
};

// What the clean-up pass asks of the rest of the program after it has changed the
// list: put it in order and show it, write it to the data file, and update the alarms
// window's buttons.
class TListHooks {
public:
    virtual ~TListHooks() = default;
    virtual void RefreshList() = 0;
    virtual void SaveList() = 0;
    virtual void CheckButtons() = 0;
};

// The clean-up pass. Unless a check cycle is in progress, it marks one-off alarms
// whose date lies two or more days back as rung, and removes every one-off alarm that
// has rung, is past and was answered with Done, refreshing and saving after each
// removal. CleanupBusy is set while it runs and cleared however it ends; a failed
// save stops the pass and its error leaves Cleanup. CheckButtons runs at the end.
void Cleanup(AlarmList& list, TCheckState& state, TDateTime now, TListHooks& hooks);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cleanup.h"

#include "FlagGuard.h"
#include "Rules.h"

void Cleanup(AlarmList& list, TCheckState& state, TDateTime now, TListHooks& hooks) {
    {
        FlagGuard busy(state.CleanupBusy);
        if (!state.CheckBusy) {
            const double today = DateTime::dateOf(now);
            int i = 0;
            while (i < list.Count()) {
                TAlarmRec& rec = list[i];
                if (rec.Kind == akOneOff && DateTime::dateOf(rec.AlarmTime) + Rules::OneDay < today)
                    rec.Rung = true;
                if (now >= rec.AlarmTime && rec.Kind == akOneOff && rec.Rung &&
                    !rec.SnoozePending) {
                    list.Remove(i);
                    hooks.RefreshList();
                    hooks.SaveList();
                    continue; // the next alarm has moved into this position
                }
                ++i;
            }
        }
    }
    hooks.CheckButtons();
}

#include "Cleanup.h"

#include "Rules.h"

namespace {

// Clears a flag when the scope is left, an error included: a flag left set would stop
// every later check cycle.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

} // namespace

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

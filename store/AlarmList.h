// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmRec.h"

#include <memory>
#include <vector>

// The most alarms the alarms window lets the user add. Nothing else limits the list:
// a file with more records keeps them all.
inline constexpr int MaxAlarms = 20;

// All alarms of the program, in list order. Records are shared so that a window
// can hold a weak reference to the alarm it works on: once the alarm leaves the list
// (deleted, cleaned up, or replaced by a restore) that reference expires and nothing
// is written through it.
//
// The list is the master copy; the data file follows it at every save.
class AlarmList {
public:
    using Ptr = std::shared_ptr<TAlarmRec>;

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

    // The record at a 0-based position; EListError outside 0..Count()-1.
    const Ptr& At(int index) const;
    TAlarmRec& operator[](int index) const { return *At(index); }

    // The position of a record in the list, or -1 when it is no longer there.
    int IndexOf(const TAlarmRec* rec) const;

    void Replace(int index, const TAlarmRec& rec);
    void Append(const TAlarmRec& rec);
    // Later records move up by one.
    void Remove(int index);
    void Clear();

    // Earliest AlarmTime first (CompareAlarmTime). Alarms with equal times may stand in
    // any order among themselves.
    void Sort();

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    void check(int index) const;
    std::vector<Ptr> m_items;
};

// The list as the program leaves it: daily, weekly and monthly alarms with Rung
// cleared, so that they ring on their next day even after a restart on the same day;
// an annual alarm keeps it, so that a restart on its day does not ring it again.
AlarmList ListForExit(const AlarmList& list);

// -1, 0 or +1 on AlarmTime. A NaN time (only a damaged file holds one) sorts after
// every number and equal to another NaN, so the order stays total and sorting is safe.
int CompareAlarmTime(const TAlarmRec& a, const TAlarmRec& b);

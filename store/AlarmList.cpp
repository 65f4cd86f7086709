// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmList.h"

#include "Errors.h"

#include <algorithm>
#include <cmath>

void AlarmList::check(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

const AlarmList::Ptr& AlarmList::At(int index) const {
    check(index);
    return m_items[static_cast<size_t>(index)];
}

int AlarmList::IndexOf(const TAlarmRec* rec) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == rec)
            return static_cast<int>(i);
    return -1;
}

void AlarmList::Replace(int index, const TAlarmRec& rec) {
    check(index);
    // A new record object: weak references to the old one expire.
    m_items[static_cast<size_t>(index)] = std::make_shared<TAlarmRec>(rec);
}

void AlarmList::Append(const TAlarmRec& rec) {
    m_items.push_back(std::make_shared<TAlarmRec>(rec));
}

void AlarmList::Remove(int index) {
    check(index);
    m_items.erase(m_items.begin() + index);
}

void AlarmList::Clear() {
    m_items.clear();
}

void AlarmList::Sort() {
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Ptr& a, const Ptr& b) { return CompareAlarmTime(*a, *b) < 0; });
}

int CompareAlarmTime(const TAlarmRec& a, const TAlarmRec& b) {
    const bool nanA = std::isnan(a.AlarmTime);
    const bool nanB = std::isnan(b.AlarmTime);
    if (nanA || nanB)
        return nanA == nanB ? 0 : (nanA ? 1 : -1);
    if (a.AlarmTime < b.AlarmTime)
        return -1;
    if (a.AlarmTime > b.AlarmTime)
        return 1;
    return 0;
}

AlarmList ListForExit(const AlarmList& list) {
    AlarmList copy;
    for (const auto& rec : list) {
        TAlarmRec r = *rec;
        if (IsRecurring(r.Kind) && r.Kind != akAnnual)
            r.Rung = false;
        copy.Append(r);
    }
    return copy;
}

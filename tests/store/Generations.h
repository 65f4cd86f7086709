#pragma once

#include "AlarmList.h"

#include <QByteArray>

// The lists the crash-safety test saves: generation g holds g % 20 + 1 alarms whose
// fields all depend on g, so a file can be checked record by record against the
// generation its first record names.
inline TAlarmRec GenerationRecord(int generation, int index) {
    TAlarmRec r;
    r.AlarmTime = 46000.0 + generation + index / 100.0;
    r.Kind = (generation + index) % 5;
    r.Text = "generation " + QByteArray::number(generation) + " alarm " +
             QByteArray::number(index) + ' ' + QByteArray(generation % 500, 'x');
    r.SnoozePending = (generation + index) % 2 == 0;
    r.Rung = (generation + index) % 3 == 0;
    r.LastRung = 45000.25 + generation;
    return r;
}

inline int GenerationSize(int generation) {
    return generation % 20 + 1;
}

inline AlarmList Generation(int generation) {
    AlarmList list;
    for (int i = 0; i < GenerationSize(generation); ++i)
        list.Append(GenerationRecord(generation, i));
    return list;
}

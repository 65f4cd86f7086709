// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmList.h"

#include <QLocale>
#include <QStringList>
#include <array>

// What the alarms grid and its buttons show, computed from the list alone so that it
// can be checked without any widget. The alarms window copies it into AGrid, AddBtn,
// DeleteBtn and EditTextBtn.

// Four columns: row 0 is the header, row i shows the alarm at list position i - 1.
struct TGridContent {
    using Row = std::array<QString, 4>;
    static inline const Row Header = {QStringLiteral("Date"), QStringLiteral("Time"),
                                      QStringLiteral("Type"), QStringLiteral("Message")};
    QList<Row> rows; // the alarm rows, without the header

    int RowCount() const { return static_cast<int>(rows.size()) + 1; }
    // Row 0 is a fixed header only while there is a row below it.
    bool FixedHeader() const { return RowCount() > 1; }
};

struct TButtonStates {
    bool Add = true;
    bool Delete = false;
    bool EditText = false;

    friend bool operator==(const TButtonStates&, const TButtonStates&) = default;
};

// The grid blanked: the header row alone.
TGridContent Clearlist();

// Puts the list in order (earliest first) and gives the grid rows for it. With snooze
// on, alarms still waiting for Done carry a " *" behind their type.
TGridContent RefreshList(AlarmList& list, bool snoozeOn, const QLocale& locale = QLocale::system());

// Add below MaxAlarms alarms; Delete and Edit text while there is at least one.
TButtonStates CheckButtons(const AlarmList& list, int maxAlarms = MaxAlarms);

// "One off", "Daily *", ...; an unknown kind says so.
QString TypeText(const TAlarmRec& rec, bool snoozeOn);

// The message on one grid line: what the file stores up to its terminator, each line
// break shown as a return mark.
QString MessageCell(const TAlarmRec& rec);

TGridContent::Row GridRow(const TAlarmRec& rec, bool snoozeOn, const QLocale& locale);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DateTime.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The type of an alarm. The codes are stored in the data file and are the positions
// of the alarm-type choice in the add dialog.
enum TAlarmKind : std::int32_t {
    akOneOff = 0,
    akDaily = 1,
    akWeekly = 2,
    akMonthly = 3,
    akAnnual = 4,
};

// True for the five codes above. A file written by another tool may hold any other
// number; such a record never rings and is shown as unknown.
bool IsKnownKind(std::int32_t kind);
// Every known kind but one-off comes back: its Rung holds for the current occurrence only.
bool IsRecurring(std::int32_t kind);

// "One off", "Daily", "Weekly", "Monthly", "Annual"; an unknown code gets a text that
// says so and names the number, so a damaged record can be found and deleted.
QString KindName(std::int32_t kind);

// Largest number of bytes of a message, and the room it has in the record with its
// terminating zero.
inline constexpr int MaxTextChars = 600;
inline constexpr int TextFieldBytes = 601;

// One alarm. The fields are those of a record of the data file; see RecordCodec.h
// for their bytes.
struct TAlarmRec {
    // The moment of a one-off alarm; for the other kinds the day it was made on plus
    // the time of day at which it rings. Never changed after creation.
    TDateTime AlarmTime = 0.0;
    // A TAlarmKind code as stored; kept as a plain integer because a damaged file can
    // hold any value.
    std::int32_t Kind = akOneOff;
    // The message as stored: Windows-1252 bytes with CR LF line breaks, no terminator.
    // At most TextFieldBytes long (a full field without a terminator reads as 601).
    QByteArray Text;
    // The snooze re-ring is armed and Done has not been pressed.
    bool SnoozePending = true;
    // Rang for its current occurrence.
    bool Rung = false;
    // When it last rang. A new alarm holds the largest double below 1.0, whose time
    // of day lies after any the clock shows, so the snooze test cannot fire before
    // the first real ring.
    TDateTime LastRung = NeverRung;

    static constexpr double NeverRung = 0.9999999999999999; // bits 0x3FEFFFFFFFFFFFFF

    friend bool operator==(const TAlarmRec&, const TAlarmRec&) = default;
};

// A new alarm as the add dialog makes it: not rung, snooze armed, never rung before,
// and "ALARM" when the message is empty.
TAlarmRec NewAlarm(std::int32_t kind, TDateTime alarmTime, const QByteArray& text);

// The message as the user sees it: decoded from Windows-1252, CR LF as one line
// break, and never more than the field's bytes.
QString TextToDisplay(const QByteArray& stored);

// The message as the data file stores it, or nothing when it holds a character
// Windows-1252 cannot represent, a zero character, or is longer than MaxTextChars
// bytes once line breaks are written as CR LF.
std::optional<QByteArray> DisplayToText(const QString& text);

// Whether one typed character can be stored in a message.
bool IsStorableChar(QChar c);

// The message as it can be edited and stored again. The same as TextToDisplay for any
// text the program wrote; of a text that another tool wrote (601 bytes, bytes the
// code page leaves undefined) it keeps what an alarm can store, from the start.
QString EditableText(const QByteArray& stored);

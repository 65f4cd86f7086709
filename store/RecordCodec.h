// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmList.h"
#include "AlarmRec.h"

#include <QByteArray>
#include <span>

// One alarm in the data file is 624 bytes, little-endian, with no header or count:
//
//   offset size  field
//        0    8  AlarmTime      IEEE 754 double
//        8    4  Kind           signed 32-bit integer
//       12  601  Text           Windows-1252, zero-terminated (bytes after it: zero)
//      613    1  SnoozePending  0 false, any other byte true; written as 1
//      614    1  Rung           as SnoozePending
//      615    1  padding        written as 0
//      616    8  LastRung       IEEE 754 double
//
// Records are read as they stand: any Kind, any double, a Text without terminator
// (then all 601 bytes are the message). Nothing is validated here.
namespace RecordCodec {

inline constexpr int RecordSize = 624;
inline constexpr int OffAlarmTime = 0;
inline constexpr int OffKind = 8;
inline constexpr int OffText = 12;
inline constexpr int OffSnoozePending = 613;
inline constexpr int OffRung = 614;
inline constexpr int OffPadding = 615;
inline constexpr int OffLastRung = 616;

TAlarmRec Decode(std::span<const char, RecordSize> bytes);
void Encode(const TAlarmRec& rec, std::span<char, RecordSize> out);

// All records of a list, one after another.
QByteArray EncodeAll(const AlarmList& list);

} // namespace RecordCodec

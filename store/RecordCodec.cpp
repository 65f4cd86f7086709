// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordCodec.h"

#include <QtEndian>
#include <bit>
#include <cstring>

namespace RecordCodec {

namespace {

double readDouble(const char* p) {
    return std::bit_cast<double>(qFromLittleEndian<quint64>(p));
}

void writeDouble(char* p, double v) {
    qToLittleEndian<quint64>(std::bit_cast<quint64>(v), p);
}

} // namespace

TAlarmRec Decode(std::span<const char, RecordSize> bytes) {
    const char* p = bytes.data();
    TAlarmRec rec;
    rec.AlarmTime = readDouble(p + OffAlarmTime);
    rec.Kind = qFromLittleEndian<qint32>(p + OffKind);
    const char* text = p + OffText;
    const void* zero = std::memchr(text, 0, TextFieldBytes);
    const qsizetype length = zero ? static_cast<const char*>(zero) - text : TextFieldBytes;
    rec.Text = QByteArray(text, length);
    rec.SnoozePending = p[OffSnoozePending] != 0;
    rec.Rung = p[OffRung] != 0;
    rec.LastRung = readDouble(p + OffLastRung);
    return rec;
}

void Encode(const TAlarmRec& rec, std::span<char, RecordSize> out) {
    char* p = out.data();
    std::memset(p, 0, RecordSize);
    writeDouble(p + OffAlarmTime, rec.AlarmTime);
    qToLittleEndian<qint32>(rec.Kind, p + OffKind);
    // Never more than the field holds; a message stops at its first zero byte.
    const qsizetype length = std::min<qsizetype>(rec.Text.size(), TextFieldBytes);
    const void* zero = std::memchr(rec.Text.constData(), 0, static_cast<size_t>(length));
    const qsizetype copied = zero ? static_cast<const char*>(zero) - rec.Text.constData() : length;
    std::memcpy(p + OffText, rec.Text.constData(), static_cast<size_t>(copied));
    p[OffSnoozePending] = rec.SnoozePending ? 1 : 0;
    p[OffRung] = rec.Rung ? 1 : 0;
    writeDouble(p + OffLastRung, rec.LastRung);
}

QByteArray EncodeAll(const AlarmList& list) {
    QByteArray out(static_cast<qsizetype>(list.Count()) * RecordSize, Qt::Uninitialized);
    char* p = out.data();
    for (const auto& rec : list) {
        Encode(*rec, std::span<char, RecordSize>(p, RecordSize));
        p += RecordSize;
    }
    return out;
}

} // namespace RecordCodec

// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordCodec.h"
#include "RecordBytes.h"

#include <gtest/gtest.h>

namespace {

TAlarmRec decode(const QByteArray& b) {
    return RecordCodec::Decode(std::span<const char, 624>(b.constData(), 624));
}
QByteArray encode(const TAlarmRec& rec) {
    QByteArray b(624, '\x55');
    RecordCodec::Encode(rec, std::span<char, 624>(b.data(), 624));
    return b;
}

} // namespace

TEST(RecordCodec, EveryFieldAtItsPlaceInTheTable) {
    RecordBytes r{.alarmTime = 46082.3333333333,
                  .kind = akWeekly,
                  .text = "Ring the dentist\r\nbefore 9",
                  .snoozePending = 0x80, // any non-zero byte is true
                  .rung = 0xFF,
                  .padding = 0xAB,
                  .lastRung = 46081.75,
                  .filler = 'x'}; // junk after the terminator means nothing
    const TAlarmRec rec = decode(r.build());
    EXPECT_TRUE(rec.AlarmTime == 46082.3333333333 && rec.Kind == akWeekly && rec.SnoozePending &&
                rec.Rung && rec.LastRung == 46081.75);
    EXPECT_EQ(rec.Text, QByteArray("Ring the dentist\r\nbefore 9"));
    // Written back: flags as 1, zero padding and a zero-filled text field.
    r.snoozePending = r.rung = 1;
    r.padding = r.filler = 0;
    EXPECT_EQ(encode(rec), r.build());
}

TEST(RecordCodec, TextWithoutTerminatorStopsAtTheEndOfItsField) {
    QByteArray text; // every byte a message may hold
    for (int i = 0; i < 601; ++i)
        text += char(i % 255 + 1);
    RecordBytes r{.text = text, .terminate = false, .snoozePending = 0};
    const TAlarmRec rec = decode(r.build());
    EXPECT_EQ(rec.Text, text); // the byte after the field is not text
    EXPECT_EQ(encode(rec), r.build());
}

TEST(AlarmText, StoredBytesAndWhatTheUserSees) {
    // Windows-1252: the euro sign is 0x80, line breaks are CR LF.
    const auto stored = DisplayToText(QString::fromUtf8("Pay €5\nto café"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, QByteArray("Pay \x80"
                                  "5\r\nto caf\xe9"));
    EXPECT_EQ(TextToDisplay(*stored), QString::fromUtf8("Pay €5\nto café"));
    // Every byte a file can hold shows as some character and is stored back unchanged.
    QByteArray all;
    for (int c = 1; c < 256; ++c)
        all.append(static_cast<char>(c == '\r' || c == '\n' ? 'x' : c));
    EXPECT_EQ(DisplayToText(TextToDisplay(all)), all);
    // Characters the file cannot hold are refused, not replaced by look-alikes; at most 600
    // stored bytes: 300 line breaks fit, 301 do not.
    for (const QString refused : {QString::fromUtf8("Straße Ā"), QString::fromUtf8("ｆｕｌｌ"),
                                  QString(QChar::Null), QString(601, u'a'), QString(301, u'\n')})
        EXPECT_FALSE(DisplayToText(refused)) << refused.toStdString();
    EXPECT_TRUE(DisplayToText(QString(600, u'a')) && DisplayToText(QString(300, u'\n')));
    // 600 characters are followed by their terminator in the file.
    EXPECT_EQ(encode(NewAlarm(akOneOff, 1.0, QByteArray(600, 'b'))).mid(611, 2),
              QByteArray("b\0", 2));
}

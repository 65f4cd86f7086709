#include "RecordCodec.h"
#include "RecordBytes.h"

#include <bit>
#include <cmath>
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

TEST(RecordCodec, ReadsEveryFieldFromHandBuiltBytes) {
    RecordBytes r;
    r.alarmTime = 46082.3333333333;
    r.kind = akWeekly;
    r.text = "Ring the dentist\r\nbefore 9";
    r.snoozePending = 0;
    r.rung = 1;
    r.padding = 0xAB;
    r.lastRung = 46081.75;
    r.filler = 'x'; // junk after the terminator means nothing
    const TAlarmRec rec = decode(r.build());
    EXPECT_EQ(rec.AlarmTime, 46082.3333333333);
    EXPECT_EQ(rec.Kind, akWeekly);
    EXPECT_EQ(rec.Text, QByteArray("Ring the dentist\r\nbefore 9"));
    EXPECT_FALSE(rec.SnoozePending);
    EXPECT_TRUE(rec.Rung);
    EXPECT_EQ(rec.LastRung, 46081.75);
}

TEST(RecordCodec, AnyNonZeroFlagIsTrueAndIsWrittenAsOne) {
    RecordBytes r;
    r.snoozePending = 0x80;
    r.rung = 0xFF;
    const TAlarmRec rec = decode(r.build());
    EXPECT_TRUE(rec.SnoozePending);
    EXPECT_TRUE(rec.Rung);
    const QByteArray out = encode(rec);
    EXPECT_EQ(out[613], 1);
    EXPECT_EQ(out[614], 1);
    EXPECT_EQ(out[615], 0); // padding
}

TEST(RecordCodec, TextWithoutTerminatorStopsAtTheEndOfItsField) {
    RecordBytes r;
    r.text = QByteArray(601, 'A');
    r.terminate = false;
    r.snoozePending = 0; // the byte right after the field must not join the text
    r.lastRung = 1.5;
    const TAlarmRec rec = decode(r.build());
    EXPECT_EQ(rec.Text.size(), 601);
    EXPECT_EQ(rec.Text, QByteArray(601, 'A'));
    // Written back as it came, still within the field.
    EXPECT_EQ(encode(rec), r.build());
}

TEST(RecordCodec, SaveThenReadGivesEveryFieldBack) {
    TAlarmRec rec = NewAlarm(akAnnual, 36585.999988, QByteArray(600, 'z'));
    EXPECT_EQ(std::bit_cast<quint64>(rec.LastRung), 0x3FEFFFFFFFFFFFFFull);
    const QByteArray bytes = encode(rec);
    // Field by field, against the table.
    RecordBytes expected;
    expected.alarmTime = 36585.999988;
    expected.kind = akAnnual;
    expected.text = QByteArray(600, 'z');
    expected.snoozePending = 1;
    expected.rung = 0;
    expected.lastRung = TAlarmRec::NeverRung;
    EXPECT_EQ(bytes, expected.build());
    EXPECT_EQ(decode(bytes), rec);

    // Values only a damaged file holds come back bit for bit too.
    TAlarmRec odd;
    odd.AlarmTime = std::bit_cast<double>(0x7FF8DEADBEEF0001ull); // a NaN with payload
    odd.Kind = -7;
    odd.LastRung = -1e300;
    odd.SnoozePending = false;
    odd.Rung = true;
    const TAlarmRec back = decode(encode(odd));
    EXPECT_EQ(std::bit_cast<quint64>(back.AlarmTime), 0x7FF8DEADBEEF0001ull);
    EXPECT_EQ(back.Kind, -7);
    EXPECT_EQ(back.LastRung, -1e300);
    EXPECT_TRUE(back.Text.isEmpty());
}

TEST(RecordCodec, WritesNoMoreThanTheFieldHolds) {
    TAlarmRec rec;
    rec.Text = QByteArray(700, 'q');
    rec.Text[10] = '\0'; // a message ends at its first zero
    const QByteArray b = encode(rec);
    EXPECT_EQ(b.mid(12, 10), QByteArray(10, 'q'));
    EXPECT_EQ(b.mid(22, 591), QByteArray(591, '\0'));
    EXPECT_EQ(b[613], 1);
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
        if (c != '\r' && c != '\n')
            all.append(static_cast<char>(c));
    EXPECT_EQ(DisplayToText(TextToDisplay(all)), all);

    // Characters the file cannot hold are refused, not replaced by look-alikes.
    EXPECT_FALSE(DisplayToText(QString::fromUtf8("Straße Ā")));
    EXPECT_FALSE(DisplayToText(QString::fromUtf8("ｆｕｌｌ")));
    EXPECT_FALSE(DisplayToText(QString(QChar::Null)));
    EXPECT_FALSE(IsStorableChar(QChar(0x0100)));
    EXPECT_TRUE(IsStorableChar(QChar(0x20AC)));
    EXPECT_TRUE(IsStorableChar(QChar(u'\n')));
}

TEST(AlarmText, TheLimitIsSixHundredStoredBytes) {
    EXPECT_TRUE(DisplayToText(QString(600, u'a')));
    EXPECT_FALSE(DisplayToText(QString(601, u'a')));
    // 300 line breaks are 600 bytes; one more is too many.
    EXPECT_TRUE(DisplayToText(QString(300, u'\n')));
    EXPECT_FALSE(DisplayToText(QString(301, u'\n')));
    // A message of exactly 600 characters is followed by its terminator in the file.
    TAlarmRec rec = NewAlarm(akOneOff, 1.0, *DisplayToText(QString(600, u'b')));
    QByteArray b(624, '\x55');
    RecordCodec::Encode(rec, std::span<char, 624>(b.data(), 624));
    EXPECT_EQ(b[12 + 599], 'b');
    EXPECT_EQ(b[12 + 600], 0);
}

TEST(AlarmRec, NewAlarmAndKindNames) {
    const TAlarmRec rec = NewAlarm(akDaily, 46000.5, {});
    EXPECT_EQ(rec.Text, QByteArray("ALARM"));
    EXPECT_FALSE(rec.Rung);
    EXPECT_TRUE(rec.SnoozePending);
    EXPECT_EQ(rec.LastRung, TAlarmRec::NeverRung);
    EXPECT_EQ(KindName(akOneOff), "One off");
    EXPECT_EQ(KindName(akAnnual), "Annual");
    EXPECT_FALSE(IsKnownKind(5));
    EXPECT_FALSE(IsKnownKind(-1));
    EXPECT_TRUE(KindName(99).contains(u"99"));
    EXPECT_TRUE(KindName(99).startsWith(u"Unknown"));
}

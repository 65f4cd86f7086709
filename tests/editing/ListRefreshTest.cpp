#include "ListRefresh.h"
#include "AlarmFile.h"
#include "DateFormat.h"
#include "RecordCodec.h"

#include "Fakes.h"
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

AlarmList alarms(int n) {
    AlarmList list;
    for (int i = 0; i < n; ++i)
        list.Append(NewAlarm(akDaily, at(2026, 1, 1, 8) + i, "a"));
    return list;
}

} // namespace

TEST(ListRefresh, EmptyListIsTheHeaderAlone) {
    AlarmList list;
    const TGridContent grid = RefreshList(list, true, US);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_FALSE(grid.FixedHeader());
    EXPECT_TRUE(grid.rows.isEmpty());
    EXPECT_EQ(TGridContent::Header[0], "Date");
    EXPECT_EQ(TGridContent::Header[3], "Message");
    EXPECT_EQ(CheckButtons(list), (TButtonStates{true, false, false}));
}

TEST(ListRefresh, AddStopsAtTwentyAlarms) {
    AlarmList list = alarms(19);
    EXPECT_EQ(CheckButtons(list), (TButtonStates{true, true, true}));
    list.Append(NewAlarm(akDaily, 1.0, {}));
    EXPECT_EQ(CheckButtons(list), (TButtonStates{false, true, true}));
    list.Append(NewAlarm(akDaily, 1.0, {})); // a file may hold more
    EXPECT_FALSE(CheckButtons(list).Add);
    list.Remove(0);
    list.Remove(0);
    EXPECT_TRUE(CheckButtons(list).Add);
    const TGridContent grid = RefreshList(list, false, US);
    EXPECT_EQ(grid.RowCount(), 20);
    EXPECT_TRUE(grid.FixedHeader());
}

TEST(ListRefresh, EarliestFirstInTheGridAndInTheFile) {
    AlarmList list;
    list.Append(NewAlarm(akOneOff, at(2026, 12, 24, 18), "latest"));
    list.Append(NewAlarm(akOneOff, at(2026, 12, 24, 9, 30), "middle"));
    list.Append(NewAlarm(akOneOff, at(2026, 12, 6, 20, 5), "earliest"));
    const TGridContent grid = RefreshList(list, true, US);
    ASSERT_EQ(grid.rows.size(), 3);
    EXPECT_EQ(grid.rows[0],
              (TGridContent::Row{"Sunday, December 6, 2026", "8:05 PM", "One off *", "earliest"}));
    EXPECT_EQ(grid.rows[1][3], "middle");
    EXPECT_EQ(grid.rows[2][3], "latest");

    QTemporaryDir dir;
    TAlarmFile file(dir.path() + u'/');
    file.SaveList(list);
    QFile saved(file.Path());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_EQ(bytes.size(), 3 * RecordCodec::RecordSize);
    QStringList order;
    for (int i = 0; i < 3; ++i)
        order << QString::fromLatin1(bytes.mid(i * 624 + 12).constData());
    EXPECT_EQ(order, QStringList({"earliest", "middle", "latest"}));
}

TEST(ListRefresh, SnoozeMarksOnlyWhileSnoozeIsOn) {
    AlarmList list;
    for (std::int32_t kind : {akOneOff, akDaily, akWeekly, akMonthly, akAnnual})
        list.Append(NewAlarm(kind, at(2026, 1, 1) + kind, "x"));
    list[1].SnoozePending = false; // Daily answered with Done
    const TGridContent on = RefreshList(list, true, US);
    QStringList types;
    for (const auto& row : on.rows)
        types << row[2];
    EXPECT_EQ(types, QStringList({"One off *", "Daily", "Weekly *", "Monthly *", "Annual *"}));
    const TGridContent off = RefreshList(list, false, US);
    for (const auto& row : off.rows)
        EXPECT_FALSE(row[2].contains(u'*')) << row[2].toStdString();
}

TEST(ListRefresh, DamagedRecordsShowWithoutHarm) {
    TAlarmRec rec;
    rec.AlarmTime = std::nan("");
    rec.Kind = 99;
    rec.Text = QByteArray(601, 'y'); // no terminator in the file
    const TGridContent::Row row = GridRow(rec, true, US);
    EXPECT_EQ(row[0], DateFormat::InvalidDate);
    EXPECT_EQ(row[1], "");
    EXPECT_EQ(row[2], "Unknown (99) *");
    EXPECT_EQ(row[3].size(), 601);

    rec.Text = "first\r\nsecond";
    EXPECT_EQ(MessageCell(rec), QString::fromUtf8("first \u21B5 second"));
}

TEST(DateFormat, CodesWithAFixedLocale) {
    const TDateTime t = at(2028, 2, 29, 7, 5);
    EXPECT_EQ(DateFormat::Format("dddddd t", t, US), "Tuesday, February 29, 2028 7:05 AM");
    EXPECT_EQ(DateFormat::Format("dddddd  t", t, US), "Tuesday, February 29, 2028  7:05 AM");
    EXPECT_EQ(DateFormat::Format("dddd, mmmm d", t, US), "Tuesday, February 29");
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(DateFormat::Format("dddddd t", t, de), "Dienstag, 29. Februar 2028 07:05");
    EXPECT_EQ(DateFormat::Format("dddd mmmm", t, de), "Dienstag Februar");
    // Weekday 1 is Sunday.
    EXPECT_EQ(DateFormat::LongDayName(1, US), "Sunday");
    EXPECT_EQ(DateFormat::LongDayName(7, US), "Saturday");
    EXPECT_EQ(DateFormat::LongDayName(0, US), "");
    EXPECT_EQ(DateFormat::LongMonthName(12, US), "December");
    EXPECT_EQ(DateFormat::LongMonthName(13, US), "");
    EXPECT_EQ(DateFormat::Format("d t", HUGE_VAL, US), DateFormat::InvalidDate + " ");
}

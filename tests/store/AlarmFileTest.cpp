// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmFile.h"
#include "Errors.h"
#include "Fakes.h"
#include "FileSizeLimit.h"
#include "RecordBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class AlarmFileTest : public ::testing::Test {
protected:
    // n records, latest first: the file's order must be kept.
    static QByteArray records(int n) {
        QByteArray all;
        for (int i = 0; i < n; ++i)
            all += RecordBytes{.alarmTime = 46000.0 + n - i,
                               .kind = i % 5,
                               .text = "alarm " + QByteArray::number(i),
                               .lastRung = 45999.5}
                       .build();
        return all;
    }
    // Runs LoadList and gives the message it ended with, or an empty text.
    QString load() {
        try {
            file.LoadList(list);
        } catch (const EInOutError& e) {
            return e.message();
        }
        return {};
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir dir;
    const QString dataPath = dir.path() + "/Tockwell.alarms";
    TManualClock clock{46000.5}; // 2025-12-09 12:00
    TAlarmFile file{dir.path() + u'/', &clock};
    AlarmList list;
};

} // namespace

TEST_F(AlarmFileTest, FirstStartThenEveryRecordInFileOrder) {
    list.Append(NewAlarm(akDaily, 1.0, "left over"));
    EXPECT_EQ(load(), TAlarmFile::MsgNewFile);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(ReadBytes(dataPath), QByteArray(""));
    EXPECT_EQ(load(), QString()); // an empty file loads without a message

    WriteBytes(dataPath, records(1500)); // more than one read's worth
    EXPECT_EQ(load(), QString());
    ASSERT_EQ(list.Count(), 1500);
    for (int i = 0; i < 1500; ++i)
        EXPECT_EQ(list[i].Text, "alarm " + QByteArray::number(i));

    // Saved back (every field round-trips: the fuzz run), then emptied: 0 bytes.
    file.SaveList(AlarmList());
    EXPECT_EQ(ReadBytes(dataPath), QByteArray(""));
    EXPECT_EQ(entries(), QStringList({"Tockwell.alarms"})); // no temporary file left
}

TEST_F(AlarmFileTest, ADamagedFileIsKeptAsideWholeBeforeTheNextSave) {
    const QByteArray original = records(3) + QByteArray(100, '\x7f');
    WriteBytes(dataPath, original);
    EXPECT_EQ(load(), TAlarmFile::MsgReadFailed);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(ReadBytes(dataPath), original); // loading changes nothing on disk
    file.SaveList(list);
    const QString aside = file.KeptAsidePath();
    EXPECT_EQ(QFileInfo(aside).fileName(), "Tockwell.alarms.damaged-20251209-120000");
    EXPECT_EQ(ReadBytes(aside), original);
    EXPECT_EQ(ReadBytes(dataPath), records(3));

    // A second damaged load in the same second gets a name of its own.
    WriteBytes(dataPath, original.left(624 + 5));
    EXPECT_EQ(load(), TAlarmFile::MsgReadFailed);
    file.SaveList(list);
    EXPECT_TRUE(file.KeptAsidePath().endsWith("-120000-2"));
    EXPECT_EQ(ReadBytes(aside), original);

    // One that cannot be opened at all (a folder, even for root) is moved aside too.
    QFile::remove(dataPath);
    ASSERT_TRUE(QDir().mkpath(dataPath + "/inside"));
    WriteBytes(dataPath + "/inside/keep.me", "precious");
    EXPECT_EQ(load(), TAlarmFile::MsgNewFile);
    EXPECT_EQ(ReadBytes(dataPath), QByteArray(""));
    EXPECT_EQ(ReadBytes(file.KeptAsidePath() + "/inside/keep.me"), "precious");
    // Nor is a pipe read, which would wait for ever for a writer.
    QFile::remove(dataPath);
    ASSERT_EQ(mkfifo(qPrintable(dataPath), 0600), 0);
    EXPECT_EQ(load(), TAlarmFile::MsgNewFile);
}

TEST_F(AlarmFileTest, FailedSaveLeavesThePreviousFileWholeAndSaysWhere) {
    WriteBytes(dataPath, records(2));
    AlarmList bigger;
    for (int i = 0; i < 10; ++i)
        bigger.Append(NewAlarm(akDaily, 46000 + i, "new"));
    QString error;
    try {
        FileSizeLimit limit(3 * 624); // the write fails part-way, even for root
        file.SaveList(bigger);
    } catch (const EInOutError& e) {
        error = e.message();
    }
    EXPECT_EQ(error.left(33), "The alarms could not be saved to ");
    EXPECT_TRUE(error.contains(dataPath)) << error.toStdString();
    EXPECT_EQ(ReadBytes(dataPath), records(2));
    EXPECT_EQ(entries(), QStringList({"Tockwell.alarms"}));

    // A folder that is not there: reported, never claimed as a new file.
    TAlarmFile missing(dir.path() + "/gone/", &clock);
    EXPECT_THROW(missing.LoadList(list), EInOutError);
    EXPECT_THROW(missing.SaveList(list), EInOutError);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/gone"));
}

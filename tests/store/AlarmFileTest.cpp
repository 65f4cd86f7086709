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
            all +=
                RecordBytes{.alarmTime = 46000.0 + n - i, .text = "alarm " + QByteArray::number(i)}
                    .build();
        return all;
    }
    // The message LoadList ended with, or an empty text.
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

// A first start makes an empty file; then every record loads in file order (more than one
// read's worth); saving writes through a temporary file that does not stay.
TEST_F(AlarmFileTest, FirstStartThenEveryRecordInFileOrder) {
    list.Append(NewAlarm(akDaily, 1.0, "left over"));
    EXPECT_EQ(load(), TAlarmFile::MsgNewFile);
    EXPECT_TRUE(list.IsEmpty() && ReadBytes(dataPath).isEmpty());
    EXPECT_EQ(load(), QString());
    WriteBytes(dataPath, records(1500));
    EXPECT_EQ(load(), QString());
    ASSERT_EQ(list.Count(), 1500);
    EXPECT_EQ(list[1499].Text, "alarm 1499");
    file.SaveList(AlarmList()); // every field round-trips: the fuzz run
    EXPECT_EQ(ReadBytes(dataPath), QByteArray(""));
    EXPECT_EQ(entries(), QStringList({"Tockwell.alarms"}));
}

TEST_F(AlarmFileTest, ADamagedFileIsKeptAsideWholeBeforeTheNextSave) {
    const QByteArray original = records(3) + QByteArray(100, '\x7f');
    WriteBytes(dataPath, original);
    EXPECT_EQ(load(), TAlarmFile::MsgReadFailed);
    EXPECT_TRUE(list.Count() == 3 && ReadBytes(dataPath) == original); // nothing changed yet
    file.SaveList(list);
    const QString aside = file.KeptAsidePath();
    EXPECT_EQ(QFileInfo(aside).fileName(), "Tockwell.alarms.damaged-20251209-120000");
    EXPECT_TRUE(ReadBytes(aside) == original && ReadBytes(dataPath) == records(3));
    // A second damaged load in the same second gets a name of its own.
    WriteBytes(dataPath, original.left(624 + 5));
    load();
    file.SaveList(list);
    EXPECT_TRUE(file.KeptAsidePath().endsWith("-120000-2") && ReadBytes(aside) == original);
    // One that cannot be opened at all (a folder, even for root) is moved aside too; a
    // pipe is not read, which would wait for ever for a writer.
    QFile::remove(dataPath);
    ASSERT_TRUE(QDir().mkpath(dataPath + "/inside"));
    WriteBytes(dataPath + "/inside/keep.me", "precious");
    EXPECT_EQ(load(), TAlarmFile::MsgNewFile);
    EXPECT_EQ(ReadBytes(file.KeptAsidePath() + "/inside/keep.me"), "precious");
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
    EXPECT_EQ(error,
              "The alarms could not be saved to " + dataPath + error.mid(33 + dataPath.size()));
    EXPECT_EQ(ReadBytes(dataPath), records(2));
    EXPECT_EQ(entries(), QStringList({"Tockwell.alarms"}));
    // A folder that is not there: reported, never claimed as a new file.
    TAlarmFile missing(dir.path() + "/gone/", &clock);
    EXPECT_THROW(missing.LoadList(list), EInOutError);
    EXPECT_THROW(missing.SaveList(list), EInOutError);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/gone"));
}

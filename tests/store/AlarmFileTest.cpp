#include "AlarmFile.h"
#include "Errors.h"
#include "Fakes.h"
#include "FileSizeLimit.h"
#include "RecordBytes.h"
#include "RecordCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AlarmFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        programDir = dir.path() + u'/';
        dataPath = programDir + "Tockwell.alarms";
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    static QByteArray records(int n) {
        QByteArray all;
        for (int i = 0; i < n; ++i) {
            RecordBytes r;
            r.alarmTime = 46000.0 + n - i; // latest first: file order must be kept
            r.kind = i % 5;
            r.text = "alarm " + QByteArray::number(i);
            r.lastRung = 45999.5;
            all += r.build();
        }
        return all;
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    // Runs LoadList and gives the message it ended with, or an empty text.
    QString load(TAlarmFile& file, AlarmList& list) {
        try {
            file.LoadList(list);
        } catch (const EInOutError& e) {
            return e.message();
        }
        return {};
    }

    QTemporaryDir dir;
    QString programDir;
    QString dataPath;
    TManualClock clock{46000.5}; // 2025-12-09 12:00
    AlarmList list;
};

} // namespace

TEST_F(AlarmFileTest, FirstStartCreatesAnEmptyFile) {
    TAlarmFile file(programDir, &clock);
    list.Append(NewAlarm(akDaily, 1.0, "left over"));
    EXPECT_EQ(load(file, list), TAlarmFile::MsgNewFile);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(QFileInfo(dataPath).isFile());
    EXPECT_EQ(QFileInfo(dataPath).size(), 0);
    // An empty file then loads without a message.
    EXPECT_EQ(load(file, list), QString());
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(AlarmFileTest, LoadsEveryRecordInFileOrderBeyondTwenty) {
    write(dataPath, records(25));
    TAlarmFile file(programDir, &clock);
    EXPECT_EQ(load(file, list), QString());
    ASSERT_EQ(list.Count(), 25);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(list[i].Text, "alarm " + QByteArray::number(i));
        EXPECT_EQ(list[i].AlarmTime, 46025.0 - i);
        EXPECT_EQ(list[i].Kind, i % 5);
    }
    EXPECT_FALSE(file.DamagedPending());
}

TEST_F(AlarmFileTest, SaveThenLoadGivesEveryFieldBack) {
    TAlarmFile file(programDir, &clock);
    AlarmList out;
    TAlarmRec a = NewAlarm(akMonthly, 46022.75, "first\r\nsecond");
    TAlarmRec b = NewAlarm(akOneOff, 46001.0001, QByteArray(600, 'x'));
    b.Rung = true;
    b.SnoozePending = false;
    b.LastRung = 46001.00015;
    out.Append(a);
    out.Append(b);
    file.SaveList(out);
    EXPECT_EQ(QFileInfo(dataPath).size(), 2 * 624);
    load(file, list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], a);
    EXPECT_EQ(list[1], b);
    EXPECT_EQ(list[0].LastRung, TAlarmRec::NeverRung);

    // Saving an empty list leaves a file of 0 bytes.
    file.SaveList(AlarmList());
    EXPECT_EQ(QFileInfo(dataPath).size(), 0);
    EXPECT_EQ(entries(), QStringList({"Tockwell.alarms"})); // no temporary file left
}

TEST_F(AlarmFileTest, IncompleteLastRecordKeepsTheWholeOnesAndTheFile) {
    const QByteArray original = records(3) + QByteArray(100, '\x7f');
    write(dataPath, original);
    TAlarmFile file(programDir, &clock);
    EXPECT_EQ(load(file, list), TAlarmFile::MsgReadFailed);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[2].Text, "alarm 2");
    // Loading changes nothing on disk.
    EXPECT_EQ(read(dataPath), original);
    EXPECT_TRUE(file.DamagedPending());

    // The next save keeps the damaged file aside, then writes the records it has.
    file.SaveList(list);
    const QString aside = file.KeptAsidePath();
    EXPECT_EQ(QFileInfo(aside).fileName(), "Tockwell.alarms.damaged-20251209-120000");
    EXPECT_EQ(read(aside), original);
    EXPECT_EQ(read(dataPath), records(3));
    EXPECT_FALSE(file.DamagedPending());

    // A second damaged load in the same second gets a name of its own.
    write(dataPath, original.left(624 + 5));
    EXPECT_EQ(load(file, list), TAlarmFile::MsgReadFailed);
    file.SaveList(list);
    EXPECT_EQ(QFileInfo(file.KeptAsidePath()).fileName(),
              "Tockwell.alarms.damaged-20251209-120000-2");
    EXPECT_EQ(read(aside), original);
    EXPECT_EQ(read(file.KeptAsidePath()), original.left(624 + 5));
}

TEST_F(AlarmFileTest, FileThatCannotBeOpenedIsMovedAsideNotDestroyed) {
    // A folder of that name cannot be opened as a file, even by root.
    ASSERT_TRUE(QDir().mkpath(dataPath + "/inside"));
    write(dataPath + "/inside/keep.me", "precious");
    TAlarmFile file(programDir, &clock);
    EXPECT_EQ(load(file, list), TAlarmFile::MsgNewFile);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(QFileInfo(dataPath).isFile());
    EXPECT_EQ(QFileInfo(dataPath).size(), 0);
    EXPECT_EQ(read(file.KeptAsidePath() + "/inside/keep.me"), "precious");
}

TEST_F(AlarmFileTest, FoundInTheProgramFolderFromAnotherCurrentFolder) {
    write(dataPath, records(2));
    QTemporaryDir elsewhere;
    write(elsewhere.path() + "/Tockwell.alarms", records(7));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    TAlarmFile file(programDir, &clock);
    EXPECT_EQ(load(file, list), QString());
    EXPECT_EQ(list.Count(), 2);
    // From the first load on, the program's folder is the current folder.
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());
    // A save goes to the program's folder even if the current folder moves again.
    QDir::setCurrent(elsewhere.path());
    list.Remove(0);
    file.SaveList(list);
    EXPECT_EQ(QFileInfo(dataPath).size(), 624);
    EXPECT_EQ(QFileInfo(elsewhere.path() + "/Tockwell.alarms").size(), 7 * 624);
    QDir::setCurrent(before);
}

TEST_F(AlarmFileTest, FailedSaveLeavesThePreviousFileWhole) {
    write(dataPath, records(2));
    AlarmList bigger;
    for (int i = 0; i < 10; ++i)
        bigger.Append(NewAlarm(akDaily, 46000 + i, "new"));
    TAlarmFile file(programDir, &clock);

    // A file-size limit makes the write fail part-way, even for root.
    QString error;
    try {
        FileSizeLimit limit(3 * 624);
        file.SaveList(bigger);
    } catch (const EInOutError& e) {
        error = e.message();
    }

    EXPECT_TRUE(error.startsWith("The alarms could not be saved to ")) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(dataPath))) << error.toStdString();
    EXPECT_EQ(read(dataPath), records(2));
    EXPECT_EQ(entries(), QStringList({"Tockwell.alarms"}));
    EXPECT_EQ(bigger.Count(), 10);
}

TEST_F(AlarmFileTest, FolderThatIsNotThereReportsInsteadOfClaimingANewFile) {
    const QString missing = programDir + "gone/";
    TAlarmFile file(missing, &clock);
    const QString message = load(file, list);
    EXPECT_TRUE(message.startsWith("There was an error while reading the alarm data file, and no "
                                   "new file could be created"))
        << message.toStdString();
    EXPECT_THROW(file.SaveList(list), EInOutError);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

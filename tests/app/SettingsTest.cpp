#include "Settings.h"
#include "AppInfo.h"
#include "Errors.h"
#include "Fakes.h"
#include "FileSizeLimit.h"
#include "IniStore.h"
#include "ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const TAlarmSettings Defaults{true, "alarm.wav", false, true, 5};
const TAlarmSettings StartValues{};

// The reading rules, on the INI file the program uses.
class SettingsRead : public ::testing::Test {
protected:
    void put(const QString& name, const QString& text) { lines << name + '=' + text; }
    // A list is a value QSettings does not read as text.
    void putNonText(const QString& name) { lines << name + "=1, 2"; }
    TAlarmSettings readAll() {
        const QString path = dir.path() + "/Ostrand/Tockwell.ini";
        if (!lines.isEmpty()) {
            QDir().mkpath(dir.path() + "/Ostrand");
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(("[Tockwell]\n" + lines.join('\n') + '\n').toUtf8());
        }
        TIniStore ini(path);
        TSettingsStore key(ini);
        TAlarmSettings s;
        ReadAlarmSettings(key, s, messages);
        return s;
    }
    QTemporaryDir dir;
    QStringList lines;
    ScriptedMessages messages;
};

} // namespace

TEST_F(SettingsRead, EmptyStoreGivesTheDefaults) {
    EXPECT_EQ(readAll(), Defaults);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SettingsRead, SoundOffSkipsTheFileAndPersistence) {
    put("Sound", "0");
    put("SoundFile", "bell.wav");
    put("Persistent Sound", "1");
    put("Snooze", "0");
    put("SnoozeMin", "7");
    EXPECT_EQ(readAll(), (TAlarmSettings{false, "", false, false, 0}));
}

TEST_F(SettingsRead, StoredValuesAreTakenAsTheyStand) {
    put("Sound", "2");
    put("SoundFile", "");
    put("Persistent Sound", "1");
    put("Snooze", "-1");
    put("SnoozeMin", "200"); // no range check on reading
    EXPECT_EQ(readAll(), (TAlarmSettings{true, "", true, true, 200}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SettingsRead, TextThatIsNoNumberGivesTheDefault) {
    put("Sound", "yes");
    put("Persistent Sound", "on");
    put("Snooze", "abc");
    put("SnoozeMin", "ten");
    EXPECT_EQ(readAll(), Defaults);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SettingsRead, HexadecimalSnoozeLength) {
    put("SnoozeMin", "0x0A");
    EXPECT_EQ(readAll().SnoozeMin, 10);
}

TEST_F(SettingsRead, ValueThatIsNotTextStopsTheReading) {
    put("Sound", "1");
    put("SoundFile", "bell.wav");
    putNonText("Persistent Sound");
    put("Snooze", "1");
    put("SnoozeMin", "9");
    // Read up to the failing value; the rest keep their start values.
    EXPECT_EQ(readAll(), (TAlarmSettings{true, "bell.wav", false, false, 0}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0],
              (TMessage{"There was an error reading the registry. Please reinstall Tockwell.",
                        "Tockwell", TMsgIcon::Stop, TMsgButtons::Ok}));
}

TEST_F(SettingsRead, SoundThatIsNotTextLeavesEverythingOff) {
    putNonText("Sound");
    put("Snooze", "1");
    EXPECT_EQ(readAll(), StartValues);
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST(SettingInteger, Rules) {
    const std::pair<QString, int> numbers[] = {
        {"5", 5},
        {"-3", -3},
        {"+4", 4},
        {"00012", 12},
        {"0x0A", 10},
        {"0X1f", 31},
        {"0xFFFFFFFF", -1},
        {"0x7fffffff", INT32_MAX},
        {"-2147483648", INT32_MIN},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseSettingInteger(text), value) << text.toStdString();
    const QStringList notNumbers = {"",   "0x", "0X",  "0x1FFFFFFFF", "0x-1", "0x 1",      "0x0x1",
                                    " 7", "7 ", "ten", "1.5",         "x0A",  "2147483648"};
    for (const QString& text : notNumbers)
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt) << text.toStdString();
}

TEST(SettingsStore, StoreThatCannotBeOpenedReportsAndReadsDefaults) {
    TMemoryStore mem;
    mem.failOpen = true;
    mem.PutNonText(AppTitle, "Sound"); // not looked at: the store is not open
    TSettingsStore key(mem);
    ScriptedMessages messages;
    TAlarmSettings s;
    ReadAlarmSettings(key, s, messages);
    EXPECT_EQ(s, Defaults);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], (TMessage{"Registry Error. Couldn't create key", "Tockwell",
                                           TMsgIcon::None, TMsgButtons::Ok}));
    try {
        key.WriteBool(AppTitle, "Sound", true);
        ADD_FAILURE() << "a write to a store that is not open went through";
    } catch (const ESettingsError& e) {
        EXPECT_EQ(e.message(), "Failed to create key Tockwell");
    }
}

TEST(SettingsStore, OkStoresWhatIsSwitchedOnAndStopsAtAFailedWrite) {
    TMemoryStore mem;
    TSettingsStore key(mem);
    ASSERT_TRUE(key.Open());
    mem.PutText(AppTitle, "SnoozeMin", "7");
    mem.PutText(AppTitle, "SoundFile", "bell.wav");
    TAlarmSettings s{true, "bell.wav", true, true, 7};
    WriteAlarmSettings(key, s, {false, "gong.wav", false, false, 30});
    EXPECT_EQ(s, (TAlarmSettings{false, "bell.wav", false, false, 7}));
    for (auto [name, text] : {std::pair{"Sound", "0"},
                              {"SoundFile", "bell.wav"},
                              {"Persistent Sound", "0"},
                              {"Snooze", "0"},
                              {"SnoozeMin", "7"}})
        EXPECT_EQ(mem.TextOf(AppTitle, name), text) << name;

    mem.failSetFor.insert("Sound");
    EXPECT_THROW(WriteAlarmSettings(key, s, {true, "gong.wav", true, true, 20}), ESettingsError);
    EXPECT_EQ(s, (TAlarmSettings{true, "bell.wav", false, true, 20}));
    EXPECT_EQ(mem.TextOf(AppTitle, "SnoozeMin"), "20");
    EXPECT_EQ(mem.TextOf(AppTitle, "Persistent Sound"), "0");
}

namespace {

class IniStoreTest : public ::testing::Test {
protected:
    QString path() const { return dir.path() + "/Ostrand/Tockwell.ini"; }
    QByteArray file() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QByteArray& bytes) {
        QDir().mkpath(dir.path() + "/Ostrand");
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(IniStoreTest, LivesInTheUsersConfigurationFolder) {
    // The test main points XDG_CONFIG_HOME at a folder of its own.
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Ostrand/Tockwell.ini";
    EXPECT_EQ(TIniStore::DefaultPath(), expected);
}

TEST_F(IniStoreTest, WritesReadBackUnderTheTitleGroup) {
    {
        TIniStore ini(path());
        TSettingsStore key(ini);
        ASSERT_TRUE(key.Open());
        key.WriteBool(AppTitle, "Persistent Sound", true);
        key.WriteString(AppTitle, "SoundFile", "a, b.wav"); // a comma must stay text
        key.WriteInteger(AppTitle, "SnoozeMin", 15);
    }
    const QByteArray text = file();
    EXPECT_TRUE(text.startsWith("[Tockwell]\n")) << text.constData();
    EXPECT_TRUE(text.contains("Persistent%20Sound=1")) << text.constData();
    TIniStore ini(path());
    TSettingsStore key(ini);
    ScriptedMessages messages;
    TAlarmSettings s;
    ReadAlarmSettings(key, s, messages);
    EXPECT_EQ(s, (TAlarmSettings{true, "a, b.wav", true, true, 15}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(IniStoreTest, MalformedFileIsAReadErrorAndKeptAsideBeforeAWrite) {
    const QByteArray damaged = "[Tockwell]\nSound=1\nthis line is no setting\nSnoozeMin=10\n";
    writeFile(damaged);
    TIniStore ini(path());
    TSettingsStore key(ini);
    ScriptedMessages messages;
    TAlarmSettings s;
    ReadAlarmSettings(key, s, messages);
    EXPECT_EQ(s, StartValues);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].icon, TMsgIcon::Stop);

    key.WriteBool(AppTitle, "Snooze", true);
    ASSERT_FALSE(ini.KeptAsidePath().isEmpty());
    QFile aside(ini.KeptAsidePath());
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), damaged);
    // The store works normally again after the write.
    EXPECT_EQ(key.ReadInteger(AppTitle, "SnoozeMin", 5), 10);
    EXPECT_TRUE(key.ReadBool(AppTitle, "Snooze", false));
}

TEST_F(IniStoreTest, FolderThatCannotBeMadeMeansNoStore) {
    // A regular file where the configuration folder should be: no folder can be made.
    QFile blocker(dir.path() + "/Ostrand");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TIniStore ini(path());
    EXPECT_FALSE(ini.Open());
    TSettingsStore key(ini);
    EXPECT_THROW(key.WriteBool(AppTitle, "Sound", true), ESettingsError);
}

TEST_F(IniStoreTest, WriteFailures) {
    TIniStore ini(path());
    TSettingsStore key(ini);
    ASSERT_TRUE(key.Open());
    key.WriteBool(AppTitle, "Sound", true);

    // The file cannot grow: the value is not stored.
    QString error;
    try {
        FileSizeLimit limit(4);
        key.WriteString(AppTitle, "SoundFile", "bell.wav");
    } catch (const ESettingsError& e) {
        error = e.message();
    }
    EXPECT_EQ(error, "Failed to set data for 'SoundFile'");
    EXPECT_EQ(file(), "[Tockwell]\nSound=1\n");

    // The folder is gone and a file stands in its place: the section cannot be made.
    QDir(dir.path() + "/Ostrand").removeRecursively();
    QFile blocker(dir.path() + "/Ostrand");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        key.WriteBool(AppTitle, "Snooze", true);
        ADD_FAILURE();
    } catch (const ESettingsError& e) {
        EXPECT_EQ(e.message(), "Failed to create key Tockwell");
    }
}

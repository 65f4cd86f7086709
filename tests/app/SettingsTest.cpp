// SPDX-License-Identifier: GPL-3.0-or-later
#include "Settings.h"
#include "AppInfo.h"
#include "Errors.h"
#include "Fakes.h"
#include "FileSizeLimit.h"
#include "IniStore.h"
#include "ScriptedMessages.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const TAlarmSettings Defaults{true, "alarm.wav", false, true, 5};

// The settings on the INI file the program uses, in a folder of the test's own.
class SettingsTest : public ::testing::Test {
protected:
    // Reads the settings from a new store on a file holding these lines of [Tockwell].
    TAlarmSettings read(const QByteArray& lines) {
        QDir().mkpath(dir.path() + "/Ostrand");
        WriteBytes(path, lines.isNull() ? QByteArray() : "[Tockwell]\n" + lines);
        ini = std::make_unique<TIniStore>(path);
        key = std::make_unique<TSettingsStore>(*ini);
        TAlarmSettings s;
        ReadAlarmSettings(*key, s, messages);
        return s;
    }
    QTemporaryDir dir;
    const QString path = dir.path() + "/Ostrand/Tockwell.ini";
    std::unique_ptr<TIniStore> ini;
    std::unique_ptr<TSettingsStore> key;
    ScriptedMessages messages;
};

} // namespace

TEST_F(SettingsTest, ReadingRules) {
    EXPECT_EQ(read({}), Defaults);
    // Sound off skips the file and persistence; snooze off, its length.
    EXPECT_EQ(read("Sound=0\nSoundFile=bell.wav\nPersistent%20Sound=1\nSnooze=0\nSnoozeMin=7\n"),
              (TAlarmSettings{false, "", false, false, 0}));
    // Values are taken as they stand: no range check, an empty file name stays empty.
    EXPECT_EQ(read("Sound=2\nSoundFile=\nPersistent Sound=1\nSnooze=-1\nSnoozeMin=200\n"),
              (TAlarmSettings{true, "", true, true, 200}));
    // Text that is no number gives the default; hexadecimal is a number.
    EXPECT_EQ(read("Sound=yes\nPersistent Sound=on\nSnooze=abc\nSnoozeMin=ten\n"), Defaults);
    EXPECT_EQ(read("SnoozeMin=0x0A\n").SnoozeMin, 10);
    EXPECT_TRUE(messages.shown.isEmpty());
    // A value that is not text (a list) stops the reading; the rest keep their start values.
    EXPECT_EQ(read("Sound=1\nSoundFile=bell.wav\nPersistent Sound=1, 2\nSnooze=1\n"),
              (TAlarmSettings{true, "bell.wav", false, false, 0}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0],
              (TMessage{"There was an error reading the registry. Please reinstall Tockwell.",
                        "Tockwell", TMsgIcon::Stop, TMsgButtons::Ok}));
}

TEST(SettingInteger, Rules) {
    for (const auto& [text, value] : {std::pair{"5", 5},
                                      {"-3", -3},
                                      {"+4", 4},
                                      {"00012", 12},
                                      {"0X9f", 159},
                                      {"0xFFFFFFFF", -1},
                                      {"-2147483648", INT32_MIN}})
        EXPECT_EQ(ParseSettingInteger(text), value) << text;
    for (const char* text : {"", "0x", "0x1FFFFFFFF", "0x-1", "0x 1", " 7", "1.5", "2147483648"})
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt) << text;
}

TEST_F(SettingsTest, OkStoresWhatIsSwitchedOnAndAWriteAfterAFailedOneGoesThrough) {
    TAlarmSettings s = read("SnoozeMin=7\nSoundFile=bell.wav\n");
    WriteAlarmSettings(*key, s, {false, "gong.wav", false, false, 30});
    EXPECT_EQ(s, (TAlarmSettings{false, "bell.wav", false, false, 7}));
    EXPECT_EQ(ReadBytes(path), "[Tockwell]\nPersistent%20Sound=0\nSnooze=0\nSnoozeMin=7\nSound=0\n"
                               "SoundFile=bell.wav\n");
    {
        FileSizeLimit full(4); // the first value fails, and with it the rest of OK
        EXPECT_THROW(WriteAlarmSettings(*key, s, {true, "", true, false, 0}), ESettingsError);
    }
    WriteAlarmSettings(*key, s, {true, "", true, false, 0}); // room again: it goes through
    EXPECT_TRUE(ReadBytes(path).contains("Sound=1\nSoundFile=\n"));
}

TEST_F(SettingsTest, AMalformedFileIsAReadErrorAndKeptAsideBeforeAWrite) {
    const QByteArray damaged = "Sound=1\nthis line is no setting\nSnoozeMin=10\n";
    EXPECT_EQ(read(damaged), TAlarmSettings{});
    ASSERT_EQ(messages.shown.size(), 1);
    {
        FileSizeLimit full(20); // no room for the copy: the damaged file is not written over
        EXPECT_THROW(key->WriteBool(AppTitle, "Snooze", true), ESettingsError);
        EXPECT_EQ(ReadBytes(path), "[Tockwell]\n" + damaged);
    }
    key->WriteBool(AppTitle, "Snooze", true);
    EXPECT_EQ(ReadBytes(ini->KeptAsidePath()), "[Tockwell]\n" + damaged);
    EXPECT_EQ(key->ReadInteger(AppTitle, "SnoozeMin", 5), 10); // read normally again
}

TEST_F(SettingsTest, NoFolderForTheFileMeansNoStore) {
    QDir().rmdir(dir.path() + "/Ostrand");
    WriteBytes(dir.path() + "/Ostrand", "a file where the folder should be");
    ini = std::make_unique<TIniStore>(path);
    key = std::make_unique<TSettingsStore>(*ini);
    TAlarmSettings s;
    ReadAlarmSettings(*key, s, messages);
    EXPECT_EQ(s, Defaults);
    EXPECT_EQ(messages.shown.value(0), (TMessage{"Registry Error. Couldn't create key", "Tockwell",
                                                 TMsgIcon::None, TMsgButtons::Ok}));
    EXPECT_THROW(key->WriteBool(AppTitle, "Sound", true), ESettingsError);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyValueStore.h"
#include "MessageService.h"

#include <QString>
#include <cstdint>
#include <optional>

// The user's five preferences. The member values are the start values, before the
// settings are read; a failed read leaves the rest of them so.
struct TAlarmSettings {
    bool Sound = false;
    QString SoundFile;
    bool PersistentSound = false;
    bool Snooze = false;
    std::int32_t SnoozeMin = 0;

    friend bool operator==(const TAlarmSettings&, const TAlarmSettings&) = default;
};

// Every stored value with its name and the default used when it is not stored.
namespace SettingDefaults {
inline const QString SoundName = QStringLiteral("Sound");
inline constexpr bool Sound = true;
inline const QString SoundFileName = QStringLiteral("SoundFile");
inline const QString SoundFile = QStringLiteral("alarm.wav");
inline const QString PersistentSoundName = QStringLiteral("Persistent Sound");
inline constexpr bool PersistentSound = false;
inline const QString SnoozeName = QStringLiteral("Snooze");
inline constexpr bool Snooze = true;
inline const QString SnoozeMinName = QStringLiteral("SnoozeMin");
inline constexpr std::int32_t SnoozeMin = 5;
// The snooze lengths the options dialog offers and accepts.
inline constexpr std::int32_t SnoozeMinLow = 5;
inline constexpr std::int32_t SnoozeMinHigh = 60;
} // namespace SettingDefaults

namespace SettingMessages {
inline const QString CouldNotCreateKey = QStringLiteral("Registry Error. Couldn't create key");
inline const QString ReadError =
    QStringLiteral("There was an error reading the registry. Please reinstall Tockwell");
// %1: the section name.
inline const QString FailedToCreateKey = QStringLiteral("Failed to create key %1");
// %1: the value name.
inline const QString FailedToSetData = QStringLiteral("Failed to set data for '%1'");
inline const QString SnoozeMinRange =
    QStringLiteral("Please enter a value from 5 to 60 in Snooze Minutes");
} // namespace SettingMessages

// The stored text of an integer: decimal with an optional sign; a text of more than
// two characters starting "0x" or "0X" is hexadecimal (up to eight digits, taken as
// the 32-bit pattern). Anything else, the empty text included, is no number.
std::optional<std::int32_t> ParseSettingInteger(const QString& text);

// A value stored but not readable as text; reading stops there.
class ESettingsReadError : public std::exception {
public:
    const char* what() const noexcept override { return "settings value cannot be read"; }
};

// The open settings store, kept for the whole run. Reads and writes go to one named
// section and follow the stored-text rules: booleans as "1"/"0" (any non-zero number
// reads as true), integers as decimal text, texts unchanged.
class TSettingsStore {
public:
    explicit TSettingsStore(TKeyValueStore& backend)
        : m_backend(backend) {}

    // Opens the store key, creating it when missing. While it is not open every read
    // gives its default and every write fails.
    bool Open();
    bool IsOpen() const { return m_open; }

    // A missing value, or one whose text is no number, gives the default. A value that
    // is not text throws ESettingsReadError.
    bool ReadBool(const QString& section, const QString& name, bool def);
    std::int32_t ReadInteger(const QString& section, const QString& name, std::int32_t def);
    // An existing empty value reads as empty, not as the default.
    QString ReadString(const QString& section, const QString& name, const QString& def);

    // Create the section when missing, then store the value as text. Throw
    // ESettingsError with "Failed to create key %s" or "Failed to set data for '%s'".
    void WriteBool(const QString& section, const QString& name, bool value);
    void WriteInteger(const QString& section, const QString& name, std::int32_t value);
    void WriteString(const QString& section, const QString& name, const QString& value);

private:
    TKeyValueStore::Value read(const QString& section, const QString& name);
    TKeyValueStore& m_backend;
    bool m_open = false;
};

// The read at start: opens the store and fills settings in the order Sound, SoundFile
// and Persistent Sound (only while Sound is on), Snooze, SnoozeMin (only while Snooze
// is on). A store that cannot be opened shows "Registry Error. Couldn't create key"
// as a plain notice and reads every default; a value that cannot be read stops the
// reading there and shows the reading error in the standard error box. The section
// is the application title.
void ReadAlarmSettings(TSettingsStore& key, TAlarmSettings& settings, TMessageService& messages);

// The write at OK in the options dialog: takes the chosen values into settings and
// stores them, in the order Snooze, SnoozeMin (only while Snooze is on), Sound,
// SoundFile (only while Sound is on), Persistent Sound, each taken just before it is
// stored (Snooze and SnoozeMin together). What is switched off keeps its last value. A
// write that fails throws ESettingsError, and nothing after it is taken or stored.
void WriteAlarmSettings(TSettingsStore& key, TAlarmSettings& settings,
                        const TAlarmSettings& chosen);

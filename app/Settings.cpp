// SPDX-License-Identifier: GPL-3.0-or-later
#include "Settings.h"

#include "AppInfo.h"
#include "Errors.h"

namespace {
bool isAsciiHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
} // namespace

std::optional<std::int32_t> ParseSettingInteger(const QString& text) {
    bool ok = false;
    if (text.size() > 2 &&
        (text.startsWith(QStringLiteral("0x")) || text.startsWith(QStringLiteral("0X")))) {
        const QStringView digits = QStringView(text).mid(2);
        if (digits.size() > 8)
            return std::nullopt;
        // Digits only: QString::toUInt would also take blanks, a sign or a second "0x".
        for (QChar c : digits)
            if (!isAsciiHexDigit(c))
                return std::nullopt;
        const std::uint32_t bits = digits.toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return static_cast<std::int32_t>(bits);
    }
    // QString::toInt also accepts blanks around the digits; a stored number has none.
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return std::nullopt;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool TSettingsStore::Open() {
    m_open = m_backend.Open();
    return m_open;
}

TKeyValueStore::Value TSettingsStore::read(const QString& section, const QString& name) {
    if (!m_open)
        return {};
    TKeyValueStore::Value v = m_backend.Read(section, name);
    if (v.state == TKeyValueStore::Value::Unreadable)
        throw ESettingsReadError();
    return v;
}

bool TSettingsStore::ReadBool(const QString& section, const QString& name, bool def) {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

std::int32_t TSettingsStore::ReadInteger(const QString& section, const QString& name,
                                         std::int32_t def) {
    const TKeyValueStore::Value v = read(section, name);
    if (v.state != TKeyValueStore::Value::Text)
        return def;
    return ParseSettingInteger(v.text).value_or(def);
}

QString TSettingsStore::ReadString(const QString& section, const QString& name,
                                   const QString& def) {
    const TKeyValueStore::Value v = read(section, name);
    return v.state == TKeyValueStore::Value::Text ? v.text : def;
}

void TSettingsStore::WriteString(const QString& section, const QString& name,
                                 const QString& value) {
    if (!m_open || !m_backend.CreateSection(section))
        throw ESettingsError(SettingMessages::FailedToCreateKey.arg(section));
    if (!m_backend.SetText(section, name, value))
        throw ESettingsError(SettingMessages::FailedToSetData.arg(name));
}

void TSettingsStore::WriteBool(const QString& section, const QString& name, bool value) {
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsStore::WriteInteger(const QString& section, const QString& name, std::int32_t value) {
    WriteString(section, name, QString::number(value));
}

void ReadAlarmSettings(TSettingsStore& key, TAlarmSettings& settings, TMessageService& messages) {
    namespace D = SettingDefaults;
    if (!key.Open())
        messages.Show(PlainNotice(SettingMessages::CouldNotCreateKey));
    const QString& section = AppTitle;
    try {
        settings.Sound = key.ReadBool(section, D::SoundName, D::Sound);
        if (settings.Sound) {
            settings.SoundFile = key.ReadString(section, D::SoundFileName, D::SoundFile);
            settings.PersistentSound =
                key.ReadBool(section, D::PersistentSoundName, D::PersistentSound);
        } else {
            settings.PersistentSound = false;
        }
        settings.Snooze = key.ReadBool(section, D::SnoozeName, D::Snooze);
        if (settings.Snooze)
            settings.SnoozeMin = key.ReadInteger(section, D::SnoozeMinName, D::SnoozeMin);
    } catch (const ESettingsReadError&) {
        ShowErrorBox(messages, SettingMessages::ReadError);
    }
}

void WriteAlarmSettings(TSettingsStore& key, TAlarmSettings& settings,
                        const TAlarmSettings& chosen) {
    namespace D = SettingDefaults;
    const QString& section = AppTitle;
    settings.Snooze = chosen.Snooze;
    if (chosen.Snooze)
        settings.SnoozeMin = chosen.SnoozeMin;
    key.WriteBool(section, D::SnoozeName, chosen.Snooze);
    if (chosen.Snooze)
        key.WriteInteger(section, D::SnoozeMinName, chosen.SnoozeMin);
    settings.Sound = chosen.Sound;
    key.WriteBool(section, D::SoundName, chosen.Sound);
    if (chosen.Sound) {
        settings.SoundFile = chosen.SoundFile;
        key.WriteString(section, D::SoundFileName, chosen.SoundFile);
    }
    settings.PersistentSound = chosen.PersistentSound;
    key.WriteBool(section, D::PersistentSoundName, chosen.PersistentSound);
}

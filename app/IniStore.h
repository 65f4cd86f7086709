// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KeyValueStore.h"

#include <QSettings>
#include <memory>

// The settings on disk: an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config), "Ostrand/Tockwell.ini", one INI group per
// section. Values are stored as text ("1", "5", "alarm.wav"); QSettings writes the
// blank of "Persistent Sound" as "%20" and reads either spelling.
//
// How failures map onto the settings store's messages:
// - Open() fails ("couldn't create key") when the configuration folder cannot be
//   created, or the file exists but is not a readable regular file.
// - Read() gives Unreadable ("error reading") for a value that QSettings does not
//   read as plain text (a list "a, b", "@ByteArray(...)", "@Variant(...)"), and for
//   every value of a file that does not parse as INI.
// - CreateSection() fails ("Failed to create key") when the folder cannot be made.
// - SetText() fails ("Failed to set data") when the file cannot be written.
// A file that did not parse is copied aside ("Tockwell.ini.damaged-YYYYMMDD-HHMMSS")
// before the first write, because writing drops the lines QSettings could not read.
class TIniStore : public TKeyValueStore {
public:
    explicit TIniStore(QString filePath = DefaultPath());
    ~TIniStore() override;

    static QString DefaultPath();

    bool Open() override;
    Value Read(const QString& section, const QString& name) override;
    bool CreateSection(const QString& section) override;
    bool SetText(const QString& section, const QString& name, const QString& value) override;

    QString FilePath() const { return m_path; }
    QString KeptAsidePath() const { return m_keptAside; }

private:
    bool keepMalformedAside();
    // A new QSettings on the file as it is now, parsed at once.
    void reopen();

    QString m_path;
    std::unique_ptr<QSettings> m_settings;
    bool m_malformed = false;
    bool m_writeFailed = false;
    QString m_keptAside;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SoundPlayer.h"

#include <QLibrary>
#include <QStringList>
#include <memory>

// The alarm sound, with Qt Multimedia kept out of the program until the first alarm
// rings: the player (Sound.h) lives in the module "libtockwell_sound.so" beside the
// program, which is loaded then. Start-up and the idle program then carry none of the
// audio libraries.
//
// Should the module be missing or fail to load, an alarm still shows its notice and
// rings the desktop's bell, and the reason is written to the standard error output once.
class TSoundModulePlayer : public TSoundPlayer {
public:
    static inline const QString ModuleName = QStringLiteral("tockwell_sound");
    // The module's one entry point: makes a player that looks for a sound file given
    // by name alone in these folders, in order.
    using Factory = TSoundPlayer* (*)(const QStringList& folders);
    static constexpr const char* FactoryName = "tockwell_make_sound_player";

    // moduleDir: where the module lies (the program's own folder); folders: where
    // relative sound file names are looked up, in order.
    TSoundModulePlayer(QString moduleDir, QStringList folders);
    ~TSoundModulePlayer() override;

    void Play(const QString& file, bool loop) override;
    void Stop() override;

    bool Loaded() const { return m_player != nullptr; }
    // Why the module could not be loaded; empty while it could, or was not tried.
    QString Error() const { return m_error; }

private:
    bool load();

    QString m_moduleDir;
    QStringList m_folders;
    QLibrary m_library;
    std::unique_ptr<TSoundPlayer> m_player;
    bool m_tried = false;
    QString m_error;
};

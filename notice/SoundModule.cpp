// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundModule.h"

#include <QApplication>
#include <QDir>
#include <QtDebug>

TSoundModulePlayer::TSoundModulePlayer(QString moduleDir, QStringList folders)
    : m_moduleDir(std::move(moduleDir))
    , m_folders(std::move(folders)) {}

// The player goes before its code does; the module itself stays loaded to the end of
// the process, as Qt's audio threads may still run code of it.
TSoundModulePlayer::~TSoundModulePlayer() {
    m_player.reset();
}

bool TSoundModulePlayer::load() {
    if (m_tried)
        return m_player != nullptr;
    m_tried = true;
    m_library.setFileName(QDir(m_moduleDir).filePath(ModuleName));
    m_library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto make = reinterpret_cast<Factory>(m_library.resolve(FactoryName));
    if (make)
        m_player.reset(make(m_folders));
    if (!m_player) {
        m_error = m_library.errorString();
        qWarning().noquote() << QStringLiteral("Tockwell: the sound module could not be loaded "
                                               "(%1); alarms ring with the desktop's bell")
                                    .arg(m_error);
    }
    return m_player != nullptr;
}

void TSoundModulePlayer::Play(const QString& file, bool loop) {
    if (load())
        m_player->Play(file, loop);
    else
        QApplication::beep();
}

void TSoundModulePlayer::Stop() {
    if (m_player)
        m_player->Stop();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SoundPlayer.h"

#include <QObject>
#include <QSoundEffect>
#include <memory>

// The alarm sound through QSoundEffect. A relative file name is looked for in the
// given folders in order (the user's data folder, then the program's own). When the file is missing
// or cannot be played, the program's own default sound plays in its place, so an alarm is never
// silent by accident.
class TQtSoundPlayer : public QObject, public TSoundPlayer {
    Q_OBJECT
public:
    static inline const QString DefaultSound = QStringLiteral("qrc:/sounds/default.wav");

    explicit TQtSoundPlayer(QStringList folders, QObject* parent = nullptr);
    void Play(const QString& file, bool loop) override;
    void Stop() override;

    // What is playing or was last asked to play.
    QUrl Source() const { return m_effect ? m_effect->source() : QUrl(); }
    bool Playing() const { return m_effect && m_effect->isPlaying(); }
    bool Looping() const { return m_effect && m_effect->loopCount() == QSoundEffect::Infinite; }
    // A sound is being read, in a thread of Qt's.
    bool Loading() const { return m_effect && m_effect->status() == QSoundEffect::Loading; }
    // The file a name refers to: in the first folder that has it (the first folder
    // when none has).
    QString Resolve(const QString& file) const;
    // The file asked for could not be read or played: the default sound instead, as
    // often as the file was to play.
    void LoadFailed();

private:
    void playDefault();
    QSoundEffect& effect();

    QStringList m_folders;
    // Made at the first alarm: the audio system is not touched at start-up.
    std::unique_ptr<QSoundEffect> m_effect;
    bool m_loop = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of the sound module (SoundModule.h).
#include "Sound.h"

extern "C" Q_DECL_EXPORT TSoundPlayer* tockwell_make_sound_player(const QStringList& folders) {
    return new TQtSoundPlayer(folders);
}

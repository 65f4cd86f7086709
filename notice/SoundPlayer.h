// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Plays a wave file without waiting for it: once, or over and over until stopped.
class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    virtual void Play(const QString& file, bool loop) = 0;
    virtual void Stop() = 0;
};

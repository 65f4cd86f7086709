// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The notification-area icon and the timer that animates it (Timer2).
class TIconView {
public:
    virtual ~TIconView() = default;
    // False when there is no picture of that name.
    virtual bool ShowIcon(const QString& name) = 0;
    virtual void StartAnimation() = 0;
    virtual void StopAnimation() = 0;
};

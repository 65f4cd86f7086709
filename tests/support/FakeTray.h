// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayIcon.h"

// A notification area that takes every icon and keeps the last image.
class FakeTray : public TTrayBackend {
public:
    bool Add(const QIcon& i, const QString&) override { return Modify(i, {}); }
    bool Modify(const QIcon& i, const QString&) override {
        image = i.pixmap(32, 32).toImage();
        return true;
    }
    bool Delete() override { return true; }
    // A tray host shows the icon; false: none at all, or it went away.
    bool Shown() const override { return shown; }
    QImage image;
    bool shown = true;
};

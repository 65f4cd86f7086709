// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayIcon.h"

#include <QStringList>
#include <memory>

// A notification area that takes every icon and keeps the last image.
class FakeTray : public TTrayBackend {
public:
    bool Add(const QIcon& i, const QString& tip) override {
        *calls << "add " + tip;
        image = i.pixmap(32, 32).toImage();
        return true;
    }
    bool Modify(const QIcon& i, const QString& tip) override {
        *calls << "modify " + tip;
        image = i.pixmap(32, 32).toImage();
        return true;
    }
    bool Delete() override {
        *calls << "delete";
        return true;
    }
    void LookForHost() override { *calls << "look for a host"; }
    bool HostShowsMenu() const override { return showsMenu; }
    // A tray host shows the icon; false: none at all, or it went away.
    bool Shown() const override { return shown; }
    QImage image;
    // What reached the notification area; it outlives the fake, as the icon owns it.
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    bool shown = true, showsMenu = false;
};

#pragma once

#include "TrayIcon.h"

// A notification area that takes every icon and shows nothing.
class FakeTray : public TTrayBackend {
public:
    bool Add(const QIcon&, const QString&) override { return true; }
    bool Modify(const QIcon&, const QString&) override { return true; }
    bool Delete() override { return true; }
};

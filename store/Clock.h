// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DateTime.h"

// Where the present moment comes from. The program reads the system clock; tests
// pass a clock they set by hand, so that no test waits for time to pass.
class TClock {
public:
    virtual ~TClock() = default;
    virtual TDateTime now() const = 0;
};

class TSystemClock : public TClock {
public:
    TDateTime now() const override { return DateTime::fromQDateTime(QDateTime::currentDateTime()); }
};

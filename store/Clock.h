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

// A clock that stands still until it is set or advanced.
class TManualClock : public TClock {
public:
    explicit TManualClock(TDateTime start = 0.0)
        : m_now(start) {}
    TDateTime now() const override { return m_now; }
    void set(TDateTime moment) { m_now = moment; }
    void advanceSeconds(double seconds) { m_now += seconds / 86400.0; }

private:
    TDateTime m_now;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sets a flag for the length of a scope and clears it when the scope is left, an
// error included: a busy flag left set would stop every later check cycle.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& m_flag;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The persistent key-value store under the settings: a store key holding sections,
// each holding named text values. Values are always written as text; a value of any
// other type cannot be read.
class TKeyValueStore {
public:
    struct Value {
        enum State { Missing, Text, Unreadable };
        State state = Missing;
        QString text;
    };

    virtual ~TKeyValueStore() = default;
    // Opens the store key for reading and writing, creating it when missing.
    virtual bool Open() = 0;
    // Never creates anything.
    virtual Value Read(const QString& section, const QString& name) = 0;
    // Creates the section when it is missing; true when it exists afterwards.
    virtual bool CreateSection(const QString& section) = 0;
    // Stores the value durably; true on success.
    virtual bool SetText(const QString& section, const QString& name, const QString& value) = 0;
};

#pragma once

#include <QMap>
#include <QSet>
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

// A store in memory, for tests: it holds text and non-text values and can be told to
// refuse opening, creating a section, or storing one named value.
class TMemoryStore : public TKeyValueStore {
public:
    bool Open() override { return !failOpen; }
    Value Read(const QString& section, const QString& name) override;
    bool CreateSection(const QString& section) override;
    bool SetText(const QString& section, const QString& name, const QString& value) override;

    // Test set-up and inspection.
    void PutText(const QString& section, const QString& name, const QString& value);
    void PutNonText(const QString& section, const QString& name);
    bool Has(const QString& section, const QString& name) const;
    QString TextOf(const QString& section, const QString& name) const;
    bool HasSection(const QString& section) const { return m_sections.contains(section); }

    bool failOpen = false;
    bool failCreateSection = false;
    QSet<QString> failSetFor;

private:
    QMap<QString, QMap<QString, Value>> m_sections;
};

#pragma once

#include "Clock.h"
#include "KeyValueStore.h"
#include "SoundPlayer.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QSet>
#include <QStringList>

// A moment given as local date and time.
inline TDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return DateTime::fromQDate(QDate(y, mo, d), QTime(h, mi, s, ms));
}

// A file's bytes, or "<unreadable>"; and a file written whole.
inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Fixed locales, so that no test depends on the machine's.
inline const QLocale UK(QLocale::English, QLocale::UnitedKingdom);
inline const QLocale US(QLocale::English, QLocale::UnitedStates);

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

// A settings store in memory: it holds text and non-text values and can be told to
// refuse opening, creating a section, or storing one named value.
class TMemoryStore : public TKeyValueStore {
public:
    bool Open() override { return !failOpen; }
    Value Read(const QString& section, const QString& name) override {
        return m_sections.value(section).value(name);
    }
    bool CreateSection(const QString& section) override {
        if (!m_sections.contains(section) && failCreateSection)
            return false;
        m_sections[section];
        return true;
    }
    bool SetText(const QString& section, const QString& name, const QString& value) override {
        if (failSetFor.contains(name) || !m_sections.contains(section))
            return false;
        m_sections[section][name] = {Value::Text, value};
        return true;
    }

    void PutText(const QString& section, const QString& name, const QString& value) {
        m_sections[section][name] = {Value::Text, value};
    }
    void PutNonText(const QString& section, const QString& name) {
        m_sections[section][name] = {Value::Unreadable, {}};
    }
    bool Has(const QString& section, const QString& name) const {
        return m_sections.value(section).contains(name);
    }
    QString TextOf(const QString& section, const QString& name) const {
        return m_sections.value(section).value(name).text;
    }
    bool HasSection(const QString& section) const { return m_sections.contains(section); }

    bool failOpen = false;
    bool failCreateSection = false;
    QSet<QString> failSetFor;

private:
    QMap<QString, QMap<QString, Value>> m_sections;
};

// A sound player that only writes down what it is asked.
class TFakeSound : public TSoundPlayer {
public:
    void Play(const QString& file, bool loop) override {
        log << QStringLiteral("play %1%2").arg(file, loop ? " looping" : "");
    }
    void Stop() override { log << "stop sound"; }
    QStringList log;
};

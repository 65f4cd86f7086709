// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"
#include "SoundPlayer.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTime>

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

// A fixed locale, so that no test depends on the machine's.
inline const QLocale US(QLocale::English, QLocale::UnitedStates);
// The locale's own short time: Qt 6.8 puts a narrow no-break space before AM and PM.
inline QString UsTime(int hour, int minute) {
    return US.toString(QTime(hour, minute), QLocale::ShortFormat);
}

// A clock that stands still until it is set or advanced.
class TManualClock : public TClock {
public:
    explicit TManualClock(TDateTime start = 0.0)
        : m_now(start) {}
    TDateTime now() const override { return m_now; }
    void set(TDateTime moment) { m_now = moment; }

private:
    TDateTime m_now;
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddWind.h"
#include "Application.h"
#include "Errors.h"
#include "FakeTray.h"
#include "Fakes.h"
#include "Help.h"
#include "IniStore.h"
#include "Program.h"
#include "ScriptedMessages.h"
#include "StatFrm.h"

#include <QTemporaryDir>
#include <QtTest>
#include <functional>

// The whole program over a fake tray, its data file and settings file in a folder of
// its own (given their first contents), the clock set by hand, error boxes scripted.
struct Harness {
    QTemporaryDir dir;
    ScriptedMessages messages;
    TManualClock clock{at(2026, 12, 2, 10, 0, 30)}; // a Wednesday
    TFakeSound ownSound; // the program's sound unless a test gives its own
    THelp help;
    TIniStore settings{dir.path() + "/Tockwell.ini"};
    std::unique_ptr<TProgram> program;
    FakeTray* tray = new FakeTray; // the program's

    explicit Harness(const QByteArray& file = "", const QByteArray& ini = {},
                     TSoundPlayer* sound = nullptr,
                     const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom)) {
        if (!file.isNull())
            WriteBytes(path("Tockwell.alarms"), file);
        if (!ini.isNull())
            WriteBytes(path("Tockwell.ini"), "[Tockwell]\n" + ini);
        static_cast<TApplication*>(qApp)->SetErrorMessages(&messages);
        program = std::make_unique<TProgram>(
            TProgram::Parts{.messages = messages,
                            .settingsBackend = settings,
                            .help = &help,
                            .trayBackend = std::unique_ptr<FakeTray>(tray),
                            .executablePath = path("tockwell"),
                            .userDataFolder = dir.path(),
                            .clock = &clock,
                            .sound = sound ? sound : &ownSound,
                            .locale = locale});
    }
    ~Harness() { static_cast<TApplication*>(qApp)->SetErrorMessages(nullptr); }
    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    TAddWnd& add() { return program->AddWnd(); }
    TFakeSound& sound() { return ownSound; }
    TStatWnd& stat() { return program->StatWnd(); }
    AlarmList& list() { return *program->Form().AlarmList; }
    QByteArray file() const { return ReadBytes(path("Tockwell.alarms")); }
    QByteArray ini() const { return ReadBytes(path("Tockwell.ini")); }
    // An alarm at 09:00 on 1 March 2026, rung by a normal check four seconds later.
    void ring(const QByteArray& text, std::int32_t kind = akOneOff) {
        list().Append(NewAlarm(kind, at(2026, 3, 1, 9), text));
        program->Form().CheckState.FirstCheck = false;
        clock.set(at(2026, 3, 1, 9, 0, 4));
        program->Cycle().Timer1Timer();
    }
    // What AddClick throws, or an empty text.
    QString addError() {
        try {
            add().AddClick();
        } catch (const EError& e) {
            return e.message();
        }
        return {};
    }
};

// A row of a window's table: what the user does and the effect that must follow
// (checked inside with Qt Test's macros), over the data file (made as the row runs) and
// the settings it starts with.
struct HarnessRow {
    const char* name;
    std::function<void(Harness&)> run;
    QByteArray (*file)() = nullptr;
    QByteArray ini = {};
};
template <std::size_t N> void RunRow(const HarnessRow (&table)[N]) {
    QFETCH(int, row);
    Harness h(table[row].file ? table[row].file() : "", table[row].ini);
    table[row].run(h);
}

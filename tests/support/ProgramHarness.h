#pragma once

#include "AddWind.h"
#include "Application.h"
#include "Errors.h"
#include "FakeTray.h"
#include "Fakes.h"
#include "Program.h"
#include "ScriptedMessages.h"
#include "StatFrm.h"

#include "Help.h"
#include <QFile>
#include <QTemporaryDir>

// The whole program over a fake tray and the given doubles, its files in folder.
inline std::unique_ptr<TProgram> TestProgram(TMessageService& messages, TKeyValueStore& settings,
                                             QStringList& trayLog, const QString& folder,
                                             const TClock& clock, const QLocale& locale,
                                             TSoundPlayer* sound = nullptr) {
    return std::make_unique<TProgram>(
        TProgram::Parts{.messages = messages,
                        .settingsBackend = settings,
                        .trayBackend = std::make_unique<FakeTray>(&trayLog),
                        .executablePath = folder + "/tockwell",
                        .userDataFolder = folder,
                        .clock = &clock,
                        .sound = sound,
                        .locale = locale});
}

// The whole program with a fake tray, settings in memory and a clock set by hand.
struct Harness {
    QTemporaryDir dir;
    TMemoryStore settings;
    ScriptedMessages messages;
    QStringList trayLog;
    TManualClock clock{at(2026, 12, 2, 10, 0, 30)}; // a Wednesday
    std::unique_ptr<TProgram> program;

    explicit Harness(const QByteArray& file = {}) {
        if (!file.isNull()) {
            QFile f(dir.path() + "/Tockwell.alarms");
            f.open(QIODevice::WriteOnly);
            f.write(file);
        }
        static_cast<TApplication*>(qApp)->SetErrorMessages(&messages);
        program = TestProgram(messages, settings, trayLog, dir.path(), clock, UK);
    }
    ~Harness() { static_cast<TApplication*>(qApp)->SetErrorMessages(nullptr); }
    TAddWnd& add() { return program->AddWnd(); }
    TStatWnd& stat() { return program->StatWnd(); }
    AlarmList& list() { return *program->Form().AlarmList; }
    QByteArray file() {
        QFile f(dir.path() + "/Tockwell.alarms");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

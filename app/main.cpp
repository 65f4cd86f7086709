// SPDX-License-Identifier: GPL-3.0-or-later
// Tockwell: a reminder in the notification area.
#include "AppInfo.h"
#include "Application.h"
#include "Autostart.h"
#include "Errors.h"
#include "Help.h"
#include "Icons.h"
#include "IniStore.h"
#include "OnlyOne.h"
#include "Program.h"
#include "QtMessageService.h"

#include <QFile>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

// A reminder that is not running misses every alarm: at a user's first start (and once
// for a user of an earlier version) the program adds itself to the session's autostart.
// A portable copy, whose alarms live beside it, leaves the user's session alone.
static void OfferAutostart(const TTrayIconForm& form) {
    if (form.ProgramDir == form.InstallDir)
        return;
    try {
        QFile launcher(QStringLiteral(":/" TOCKWELL_APP_ID ".desktop.in"));
        if (!launcher.open(QIODevice::ReadOnly))
            throw EInOutError(QStringLiteral("Tockwell's launcher is missing from the program"));
        const QString entry =
            Autostart::EntryText(QString::fromUtf8(launcher.readAll()),
                                 Autostart::ExecFor(QCoreApplication::applicationFilePath()),
                                 QStringLiteral(TOCKWELL_APP_ID));
        const Autostart::Place place = Autostart::UserPlace(form.ProgramDir);
        if (Autostart::OfferOnce(place, QStringLiteral(TOCKWELL_APP_ID), entry) ==
            Autostart::Result::Added)
            std::fprintf(stderr, "Tockwell starts with the desktop session from now on: %s\n",
                         qPrintable(place.folder));
    } catch (const EError& e) {
        std::fprintf(stderr, "%s.\n", qPrintable(e.message()));
    }
}

int main(int argc, char** argv) {
    // On Wayland a window can neither keep itself above the others nor take the focus,
    // and the notice must do both: where the session offers XWayland and the user has
    // chosen no platform, the program runs through it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         qgetenv("XDG_SESSION_TYPE") == "wayland"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    TApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    QApplication::setOrganizationName(AppOrganisation);
    QApplication::setQuitOnLastWindowClosed(false);
    // The launcher's name, by which the desktop matches windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TOCKWELL_APP_ID));
    QApplication::setWindowIcon(LoadIcon(QStringLiteral("MAINICON")));

    // Before any file, icon or box: a second copy only asks the first to come forward.
    TOnlyOne guard(AppTitle);
    if (guard.SecondCopy())
        return 0;

    QtMessageService messages;
    app.SetErrorMessages(&messages);
    QuitOnTerminationSignals();
    THelp help;
    help.InstallF1();
    TIniStore settingsBackend;

    TProgram program({.messages = messages, .settingsBackend = settingsBackend, .help = &help});
    QObject::connect(
        &guard, &TOnlyOne::RaiseRequested, &program.Form(),
        Guarded([&program](const QString& title) { program.Form().SecondCopyStarted(title); }));

    // The desktop session is ending: the alarms are saved now, in case the program is
    // not given the time to end normally.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&](QSessionManager&) {
        try {
            program.Form().SaveForExit();
        } catch (const EError& e) {
            std::fprintf(stderr, "%s.\n", qPrintable(e.message()));
        }
    });

    // After the icon: nothing here needs to come before it.
    QTimer::singleShot(0, &program.Form(), [&program] { OfferAutostart(program.Form()); });

    const int result = RunEventLoop();
    program.Shutdown(); // the main form goes last: it writes the alarms, takes its icon away
    return result;
}

// Tockwell: a reminder in the notification area.
#include "AppInfo.h"
#include "Application.h"
#include "Errors.h"
#include "Help.h"
#include "Icons.h"
#include "IniStore.h"
#include "OnlyOne.h"
#include "Program.h"
#include "QtMessageService.h"

#include <QSessionManager>
#include <cstdio>

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

    const int result = RunEventLoop();
    program.Shutdown(); // the main form goes last: it writes the alarms, takes its icon away
    return result;
}

// Tockwell: a reminder in the notification area.
#include "AppInfo.h"
#include "Application.h"
#include "Cleanup.h"
#include "Errors.h"
#include "Help.h"
#include "Icons.h"
#include "IniStore.h"
#include "OnlyOne.h"
#include "QtMessageService.h"
#include "TrayIconForm.h"

#include <QSessionManager>
#include <QWidget>
#include <cstdio>

namespace {

// What the clean-up pass at exit needs: the list kept in order and saved. The alarms
// window adds its grid and buttons to this once it exists.
class ExitHooks : public TListHooks {
public:
    explicit ExitHooks(TTrayIconForm& form)
        : m_form(form) {}
    void RefreshList() override { m_form.AlarmList->Sort(); }
    void SaveList() override { m_form.DataFile->SaveList(*m_form.AlarmList); }
    void CheckButtons() override {}

private:
    TTrayIconForm& m_form;
};

} // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    QApplication::setApplicationDisplayName(AppTitle);
    QApplication::setOrganizationName(AppOrganisation);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(LoadIcon(QStringLiteral("MAINICON")));

    // Before any file, icon or box: a second copy only asks the first to come forward.
    TOnlyOne guard(AppTitle);
    if (guard.SecondCopy())
        return 0;
    QObject::connect(&guard, &TOnlyOne::RaiseRequested, &app, RaiseVisibleWindow);

    QtMessageService messages;
    app.SetErrorMessages(&messages);
    QuitOnTerminationSignals();
    THelp help;
    help.InstallF1();
    TIniStore settingsBackend;

    int result = 0;
    {
        TTrayIconForm form({messages, settingsBackend, &help, {}, {}});

        // The alarms as the file holds them, earliest first.
        try {
            form.DataFile->LoadList(*form.AlarmList);
        } catch (const EError& e) {
            ShowErrorBox(messages, e.message());
        }
        form.AlarmList->Sort();

        // The desktop session is ending: the alarms are saved now, in case the program
        // is not given the time to end normally.
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&](QSessionManager&) {
            try {
                form.SaveForExit();
            } catch (const EError& e) {
                std::fprintf(stderr, "%s.\n", qPrintable(e.message()));
            }
        });

        result = app.exec();

        ExitHooks hooks(form);
        try {
            Cleanup(*form.AlarmList, form.CheckState, TSystemClock().now(), hooks);
        } catch (const EError& e) {
            ShowErrorBox(messages, e.message());
        }
    } // the main form goes last: it writes the alarms and takes its icon away
    return result;
}

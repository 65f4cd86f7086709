// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmFile.h"
#include "AlarmList.h"
#include "Cleanup.h"
#include "Settings.h"
#include "TrayIcon.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTimer;
class THelp;

// The hidden main form. It owns the notification-area icon with its menu, the two
// timers, the alarm list, the program's folder and the settings; it asks before the
// program ends and writes the alarms back when it does. The user never sees the form
// itself: it is never shown and has no task-bar entry.
class TTrayIconForm : public QWidget {
    Q_OBJECT
public:
    struct Services {
        TMessageService& messages;
        TKeyValueStore& settingsBackend;
        THelp* help = nullptr;
        // Empty: the desktop's notification area.
        std::unique_ptr<TTrayBackend> trayBackend = {};
        // The program file's full path; empty: this process's executable.
        QString executablePath = {};
        // Where the user's alarms live; empty: the user's data folder
        // (~/.local/share/Ostrand/Tockwell/).
        QString userDataFolder = {};
    };

    static inline const QString ToolTipText =
        QStringLiteral("Right click on the Alarm icon for the menu");
    static inline const QString ExitQuestion =
        QStringLiteral("Close Tockwell? No more alarms will be shown until you restart");

    explicit TTrayIconForm(Services services);
    ~TTrayIconForm() override;

    // Components, in the order the form creates them.
    TTrayIcon* TrayIcon1 = nullptr;
    QMenu* PMenu = nullptr;
    QAction* About = nullptr;
    QAction* AlarmsWindow1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* Configure1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Close1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // State of this unit, for the whole run.
    std::unique_ptr<::AlarmList> AlarmList;
    // The folder of the alarm file, the current folder and the back-up window's first
    // folder: the user's data folder, or a portable program folder (DataFolderFor).
    QString ProgramDir;
    // The program's own folder (its sound "alarm.wav"), with a trailing separator.
    QString InstallDir;
    TAlarmSettings AlarmSettings;
    std::unique_ptr<TSettingsStore> SettingsKey;
    TCheckState CheckState;
    std::unique_ptr<TAlarmFile> DataFile;

    // The windows of the menu. An entry whose window is not set is greyed out.
    void SetAboutDg(std::function<void()> show);
    void SetStatWnd(std::function<void()> show);
    void SetOptionsDg(std::function<void()> show);
    // One check cycle, run by Timer1.
    std::function<void()> CheckCycle;
    // Ends the event loop; tests put their own in its place.
    std::function<void()> Quit;

    void FormCreate();
    // Clears Rung of daily, weekly and monthly alarms, saves and releases the list.
    // Runs once, from the destructor at the latest.
    void FormDestroy();

    void TrayIcon1Click();
    void AboutClick();
    void AlarmsWindow1Click();
    void Help1Click();
    void Configure1Click();
    void Close1Click();
    // Also looks for a tray host; at the first tick, with no icon in sight, shows the
    // alarms window so that the program can be reached without a tray.
    void Timer1Timer();
    // A second copy was started: with no icon in sight the alarms window comes,
    // otherwise the visible window titled so comes forward (if there is one).
    void SecondCopyStarted(const QString& title);

    // The list as it is written at exit: Rung cleared for daily, weekly and monthly
    // alarms. Written without changing the list, for a session that may go on.
    void SaveForExit();

    // The folder of a program file, with its trailing separator; empty for a path
    // without one.
    static QString ProgramDirOf(const QString& executablePath);
    // Where the alarms live: the program's folder when it is writable and already holds
    // "Tockwell.alarms" (a portable or older installation keeps its alarms there),
    // otherwise the user's data folder, made when missing. Nothing is moved.
    static QString DataFolderFor(const QString& installDir, const QString& userDataFolder);

private:
    Services m_services;
    std::function<void()> m_showAbout, m_showStat, m_showOptions;
    bool m_destroyed = false;
    bool m_trayLooked = false;
};

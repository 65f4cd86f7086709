// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayIconForm.h"

#include "AppInfo.h"
#include "Application.h"
#include "Errors.h"
#include "Help.h"
#include "Icons.h"
#include "TrayIcon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>

TTrayIconForm::TTrayIconForm(Services services)
    : QWidget(nullptr, Qt::Tool)
    , m_services(std::move(services)) {
    setWindowTitle(AppTitle);
    setProperty(THelp::ContextProperty, 1);

    // The icon goes in while its tooltip is still empty, which schedules its refresh.
    TrayIcon1 = new TTrayIcon(this, std::move(m_services.trayBackend));
    TrayIcon1->SetActive(true);
    TrayIcon1->IconObject() = LoadIcon(QStringLiteral("MAINICON"));
    TrayIcon1->SetToolTip(ToolTipText);
    TrayIcon1->OnClick = [this] {
        TrayIcon1Click();
    };

    PMenu = new QMenu(this);
    About = PMenu->addAction(QStringLiteral("&About Tockwell..."), this,
                             Guarded([this] { AboutClick(); }));
    AlarmsWindow1 = PMenu->addAction(QStringLiteral("&Alarms Window"), this,
                                     Guarded([this] { AlarmsWindow1Click(); }));
    Help1 = PMenu->addAction(QStringLiteral("&Help"), this, Guarded([this] { Help1Click(); }));
    Help1->setShortcut(Qt::Key_F1);
    Help1->setShortcutContext(Qt::WidgetShortcut); // F1 itself is handled by the help
    Configure1 =
        PMenu->addAction(QStringLiteral("&Options"), this, Guarded([this] { Configure1Click(); }));
    N1 = PMenu->addSeparator();
    Close1 =
        PMenu->addAction(QStringLiteral("E&xit program"), this, Guarded([this] { Close1Click(); }));
    TrayIcon1->PopupMenu = PMenu;
    for (QAction* a : {About, AlarmsWindow1, Configure1})
        a->setEnabled(false);

    Timer1 = new QTimer(this);
    // A precise timer, so that an alarm rings within ten seconds of its time.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(10000);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
    Timer1->start();

    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);

    Quit = RequestQuit;
    FormCreate();
}

TTrayIconForm::~TTrayIconForm() {
    FormDestroy();
}

QString TTrayIconForm::ProgramDirOf(const QString& executablePath) {
    const qsizetype slash = executablePath.lastIndexOf(u'/');
    return slash < 0 ? QString() : executablePath.left(slash + 1);
}

QString TTrayIconForm::DataFolderFor(const QString& installDir, const QString& userDataFolder) {
    if (!installDir.isEmpty() && QFileInfo(installDir).isWritable() &&
        QFileInfo::exists(installDir + TAlarmFile::FileName))
        return installDir;
    // A folder that cannot be made is reported by the first load or save in it.
    QDir().mkpath(userDataFolder);
    return QDir(userDataFolder).absolutePath() + u'/';
}

void TTrayIconForm::FormCreate() {
    CheckState.FirstCheck = true;
    CheckState.CheckBusy = false;
    CheckState.CleanupBusy = false;
    CheckState.IconFrame = 1;

    move(-500, -500);
    hide();

    AlarmList = std::make_unique<::AlarmList>();

    const QString exe = m_services.executablePath.isEmpty()
                            ? QCoreApplication::applicationFilePath()
                            : m_services.executablePath;
    InstallDir = ProgramDirOf(exe);
    ProgramDir = DataFolderFor(
        InstallDir, m_services.userDataFolder.isEmpty()
                        ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                        : m_services.userDataFolder);
    DataFile = std::make_unique<TAlarmFile>(ProgramDir);

    // Shown from the icon's scheduled refresh on, not at once.
    TrayIcon1->IconObject() = LoadIcon(QStringLiteral("MAINICON"));

    SettingsKey = std::make_unique<TSettingsStore>(m_services.settingsBackend);
    ReadAlarmSettings(*SettingsKey, AlarmSettings, m_services.messages);
}

void TTrayIconForm::SaveForExit() {
    if (!AlarmList || !DataFile)
        return;
    DataFile->SaveList(ListForExit(*AlarmList));
}

void TTrayIconForm::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (AlarmList) {
        try {
            DataFile->SaveList(ListForExit(*AlarmList));
        } catch (const EError& e) {
            ShowErrorBox(m_services.messages, e.message());
        }
    }
    AlarmList.reset();
}

void TTrayIconForm::SetAboutDg(std::function<void()> show) {
    m_showAbout = std::move(show);
    About->setEnabled(bool(m_showAbout));
}

void TTrayIconForm::SetStatWnd(std::function<void()> show) {
    m_showStat = std::move(show);
    AlarmsWindow1->setEnabled(bool(m_showStat));
}

void TTrayIconForm::SetOptionsDg(std::function<void()> show) {
    m_showOptions = std::move(show);
    Configure1->setEnabled(bool(m_showOptions));
}

void TTrayIconForm::TrayIcon1Click() {
    if (m_showStat)
        m_showStat();
}

void TTrayIconForm::AboutClick() {
    if (m_showAbout)
        m_showAbout();
}

void TTrayIconForm::AlarmsWindow1Click() {
    if (m_showStat)
        m_showStat();
}

void TTrayIconForm::Configure1Click() {
    if (m_showOptions)
        m_showOptions();
}

void TTrayIconForm::Help1Click() {
    if (m_services.help)
        m_services.help->ShowFinder();
}

void TTrayIconForm::Close1Click() {
    if (m_services.messages.Show(Question(ExitQuestion)) == TMsgAnswer::Yes)
        Quit();
}

void TTrayIconForm::Timer1Timer() {
    if (QuitRequested())
        return; // Exit was chosen while a box at start-up waits; nothing rings any more
    TrayIcon1->LookForHost();
    if (!m_trayLooked) {
        m_trayLooked = true;
        // No tray host ten seconds after start (GNOME without its extension, a bare
        // window manager): the alarms window is the way in; its right click opens the menu.
        if (!TrayIcon1->Shown())
            AlarmsWindow1Click();
    }
    if (CheckCycle)
        CheckCycle();
}

void TTrayIconForm::SecondCopyStarted(const QString& title) {
    if (!TrayIcon1->Shown())
        AlarmsWindow1Click();
    else
        RaiseVisibleWindow(title);
}

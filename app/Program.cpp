// SPDX-License-Identifier: GPL-3.0-or-later
#include "Program.h"

#include "AboutD.h"
#include "AddWind.h"
#include "Errors.h"
#include "Icons.h"
#include "MsgDg.h"
#include "Options.h"
#include "SoundModule.h"
#include "StatFrm.h"
#include "backupd.h"

#include <QCoreApplication>
#include <QTimer>

TProgram::TProgram(Parts parts)
    : m_messages(parts.messages)
    , m_locale(parts.locale)
    , m_clock(parts.clock ? parts.clock : &m_systemClock) {
    m_form = std::make_unique<TTrayIconForm>(
        TTrayIconForm::Services{.messages = parts.messages,
                                .settingsBackend = parts.settingsBackend,
                                .help = parts.help,
                                .trayBackend = std::move(parts.trayBackend),
                                .executablePath = parts.executablePath,
                                .userDataFolder = parts.userDataFolder});
    if (parts.sound) {
        m_sound = parts.sound;
    } else {
        m_ownSound = std::make_unique<TSoundModulePlayer>(
            QCoreApplication::applicationDirPath(),
            QStringList{m_form->ProgramDir, m_form->InstallDir});
        m_sound = m_ownSound.get();
    }
    // The alarms are loaded now, in order; a failure is reported once they are.
    QString error;
    try {
        m_form->DataFile->LoadList(*m_form->AlarmList);
    } catch (const EError& e) {
        error = e.message();
    }
    RefreshList();
    if (!error.isEmpty())
        ShowErrorBox(parts.messages, error);
    m_form->SetStatWnd([this] { StatWnd().Display(); });
    m_form->SetAboutDg([this] { AboutDg().Display(); });
    m_form->SetOptionsDg([this] { OptionsDg().Display(); });
    m_cycle = std::make_unique<TCheckCycle>(TCheckCycle::Parts{.list = *m_form->AlarmList,
                                                               .state = m_form->CheckState,
                                                               .settings = m_form->AlarmSettings,
                                                               .clock = *m_clock,
                                                               .notice = *this,
                                                               .sound = *m_sound,
                                                               .icon = *this,
                                                               .hooks = *this,
                                                               .messages = parts.messages,
                                                               .locale = parts.locale});
    m_form->CheckCycle = [this] {
        m_cycle->Timer1Timer();
    };
    QObject::connect(m_form->Timer2, &QTimer::timeout, m_form.get(),
                     Guarded([this] { m_cycle->Timer2Timer(); }));
}

TAddWnd& TProgram::AddWnd() {
    if (!m_addWnd)
        m_addWnd = std::make_unique<TAddWnd>(*m_form->AlarmList, *m_form->DataFile, *this, *m_clock,
                                             m_locale);
    return *m_addWnd;
}

TStatWnd& TProgram::StatWnd() {
    if (!m_statWnd) {
        TAddWnd& add = AddWnd();
        m_statWnd = std::make_unique<TStatWnd>(*m_form->AlarmList, m_form->AlarmSettings, add,
                                               m_form->PMenu, m_locale);
        m_statWnd->FormCreate();
    }
    return *m_statWnd;
}

TMessageDg& TProgram::Notice() {
    if (!m_notice) {
        m_notice = std::make_unique<TMessageDg>(m_form->AlarmSettings, m_form->CheckState);
        m_notice->SetCycle(m_cycle.get());
    }
    return *m_notice;
}

TAboutDg& TProgram::AboutDg() {
    if (!m_aboutDg)
        m_aboutDg = std::make_unique<TAboutDg>();
    return *m_aboutDg;
}

TOptionsDg& TProgram::OptionsDg() {
    if (!m_optionsDg) {
        m_optionsDg = std::make_unique<TOptionsDg>(m_form->AlarmSettings, *m_form->SettingsKey,
                                                   *m_sound, *this, m_messages, m_form->ProgramDir);
        m_optionsDg->OpenBackup = [this](bool mode) {
            OpenBackup(mode);
        };
    }
    return *m_optionsDg;
}

bool TProgram::Visible() const {
    return m_notice && m_notice->Visible();
}

void TProgram::SetText(const QString& text) {
    Notice().SetText(text);
}

void TProgram::SetCaption(const QString& caption) {
    Notice().SetCaption(caption);
}

void TProgram::ShowModal() {
    Notice().ShowModal();
}

void TProgram::ShowModeless() {
    Notice().ShowModeless();
}

void TProgram::Hide() {
    if (m_notice)
        m_notice->Hide();
}

bool TProgram::Hidden() const {
    return m_notice && m_notice->Hidden();
}

void TProgram::BringBack() {
    if (m_notice)
        m_notice->BringBack();
}

TProgram::~TProgram() {
    Shutdown();
}

void TProgram::Shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // Nothing rings from here on. A box about a failed save below keeps the event loop
    // going, and a timer that ticked in it would reach into parts already taken down.
    m_form->Timer1->stop();
    m_form->CheckCycle = {};
    m_cycle->StopSound();
    if (m_notice)
        m_notice->hide();
    try {
        Cleanup(*m_form->AlarmList, m_form->CheckState, m_clock->now(), *this);
    } catch (const EError& e) {
        ShowErrorBox(m_messages, e.message());
    }
    delete m_buFrm;
    m_form->SetOptionsDg({});
    m_optionsDg.reset();
    m_form->SetAboutDg({});
    m_aboutDg.reset();
    m_cycle.reset();
    m_notice.reset();
    m_statWnd.reset();
    m_addWnd.reset();
    m_form->SetStatWnd({});
    m_form->FormDestroy();
    m_form.reset();
}

TBUFrm* TProgram::BUFrm() const {
    return m_buFrm;
}

void TProgram::OpenBackup(bool backupMode) {
    BackupMode = backupMode;
    // One window at a time: a second request replaces the first, so no two windows
    // act on the one mode.
    if (m_buFrm)
        m_buFrm->close();
    m_buFrm = new TBUFrm(TBUFrm::Parts{
        .list = *m_form->AlarmList,
        .file = *m_form->DataFile,
        .hooks = *this,
        .messages = m_messages,
        .cleanup =
            [this] { Cleanup(*m_form->AlarmList, m_form->CheckState, m_clock->now(), *this); },
        .clearList =
            [this] {
                if (m_statWnd)
                    m_statWnd->Clearlist();
            },
        .programDir = m_form->ProgramDir,
        .backupMode = &BackupMode});
    m_buFrm->show();
    m_buFrm->raise();
    m_buFrm->activateWindow();
}

void TProgram::RefreshList() {
    if (m_statWnd)
        m_statWnd->RefreshList();
    else if (m_form->AlarmList->Count() > 1)
        m_form->AlarmList->Sort();
}

void TProgram::SaveList() {
    m_form->DataFile->SaveList(*m_form->AlarmList);
}

void TProgram::CheckButtons() {
    if (m_statWnd)
        m_statWnd->CheckButtons();
}

bool TProgram::ShowIcon(const QString& name) {
    const QIcon icon = LoadIcon(name);
    if (icon.isNull())
        return false;
    m_form->TrayIcon1->SetIcon(icon);
    return true;
}

void TProgram::StartAnimation() {
    // Asked for again at each check while a notice waits: start() would begin the
    // second over each time, and the icon would miss a frame every ten seconds.
    if (!m_form->Timer2->isActive())
        m_form->Timer2->start();
}

void TProgram::StopAnimation() {
    m_form->Timer2->stop();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CheckCycle.h"
#include "TrayIconForm.h"

#include <QLocale>
#include <QPointer>
#include <memory>

class TAboutDg;
class TAddWnd;
class TBUFrm;
class TOptionsDg;
class TMessageDg;
class TStatWnd;

// The program's windows and parts, put together in the order they are created, and
// taken apart in the reverse order. The list hooks and the icon operations that the
// check cycle and the clean-up pass use are answered here.
//
// Only the main form exists from the start. Every other window is made the first time
// it is needed, so that a program that waits in the notification area, which is what
// it mostly does, costs no more than its icon.
class TProgram : public TListHooks, public TIconView, public TNoticeView {
public:
    struct Parts {
        TMessageService& messages;
        TKeyValueStore& settingsBackend;
        THelp* help = nullptr;
        std::unique_ptr<TTrayBackend> trayBackend = {}; // empty: the desktop's
        QString executablePath = {};                    // empty: this process's
        QString userDataFolder = {};                    // empty: the user's (XDG)
        const TClock* clock = nullptr;                  // empty: the system clock
        TSoundPlayer* sound = nullptr;                  // empty: the sound module's
        QLocale locale = QLocale::system();
    };

    explicit TProgram(Parts parts);
    ~TProgram() override;

    // The end: the clean-up pass, then the main form writes the list. Runs once.
    void Shutdown();

    TTrayIconForm& Form() { return *m_form; }
    // Each made on first use.
    TAddWnd& AddWnd();
    TStatWnd& StatWnd();
    TMessageDg& Notice();
    TAboutDg& AboutDg();
    TOptionsDg& OptionsDg();
    // Whether that window has been made yet.
    bool HasStatWnd() const { return m_statWnd != nullptr; }
    bool HasNotice() const { return m_notice != nullptr; }
    // The newest back-up and restore window while it is open.
    TBUFrm* BUFrm() const;
    // Opens a back-up (true) or restore (false) window; one that is open goes first.
    void OpenBackup(bool backupMode);
    bool BackupMode = true;
    TCheckCycle& Cycle() { return *m_cycle; }
    const TClock& Clock() const { return *m_clock; }

    // TListHooks
    void RefreshList() override;
    void SaveList() override;
    void CheckButtons() override;

    // TIconView
    bool ShowIcon(const QString& name) override;
    void StartAnimation() override;
    void StopAnimation() override;

    // TNoticeView: the check cycle's notice, made when the first alarm rings.
    bool Visible() const override;
    void SetText(const QString& text) override;
    void SetCaption(const QString& caption) override;
    void ShowModal() override;
    void ShowModeless() override;
    void Hide() override;
    bool Hidden() const override;
    void BringBack() override;

private:
    TMessageService& m_messages;
    QLocale m_locale;
    TSystemClock m_systemClock;
    const TClock* m_clock;
    std::unique_ptr<TTrayIconForm> m_form;
    std::unique_ptr<TSoundPlayer> m_ownSound;
    TSoundPlayer* m_sound;
    std::unique_ptr<TAddWnd> m_addWnd;
    std::unique_ptr<TStatWnd> m_statWnd;
    std::unique_ptr<TMessageDg> m_notice;
    std::unique_ptr<TAboutDg> m_aboutDg;
    std::unique_ptr<TOptionsDg> m_optionsDg;
    QPointer<TBUFrm> m_buFrm;
    std::unique_ptr<TCheckCycle> m_cycle;
    bool m_shutDown = false;
};

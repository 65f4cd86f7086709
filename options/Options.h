// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cleanup.h"
#include "MessageService.h"
#include "Settings.h"
#include "SoundPlayer.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TUpDown;

// The options dialog: snooze and its length, sound on or off, the sound file, and
// persistent sound; nothing takes effect before OK, which writes the settings at once.
// It also opens back up and restore.
class TOptionsDg : public QDialog {
    Q_OBJECT
public:
    TOptionsDg(TAlarmSettings& settings, TSettingsStore& settingsKey, TSoundPlayer& sound,
               TListHooks& hooks, TMessageService& messages, QString programDir,
               QWidget* parent = nullptr);

    QCheckBox* EnableSnooze;
    QPushButton* OKButt;
    QLineEdit* SnoozeminBox;
    TUpDown* SMUpDown;
    QGroupBox* SnoozeGp;
    QGroupBox* SoundSel;
    QButtonGroup* SoundSelButtons;
    QPushButton* CancelButt;
    QLabel* Label1;
    QPushButton* Change;
    QPushButton* Play;
    QGroupBox* GroupBox1;
    QLabel* SFNBox;
    QGroupBox* GroupBox2;
    QCheckBox* PersistBox;
    QPushButton* BuB;
    QPushButton* RestoreButton;

    QString ChosenSound;
    bool SavedSnooze = false;

    // Picks a wave file; empty when the user cancels. Tests put their own in.
    std::function<QString()> SoundSelector;
    // Opens a back-up (true) or restore (false) window.
    std::function<void(bool backupMode)> OpenBackup;

    // Shows the dialog, or brings it to the front without refilling it.
    void Display();

    void EnableSz();
    void DisableSz();
    void FormShow();
    void EnableSnoozeClick();
    void SoundSelClick();
    void ChangeClick();
    void PlayClick();
    void OKButtClick();
    void CancelButtClick();
    void BuBClick();
    void RestoreButtonClick();

protected:
    void reject() override;

private:
    TAlarmSettings& m_settings;
    TSettingsStore& m_key;
    TSoundPlayer& m_sound;
    TListHooks& m_hooks;
    TMessageService& m_messages;
    QString m_programDir;
};

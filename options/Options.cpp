// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include "AddAlarm.h"
#include "AppInfo.h"
#include "Design.h"
#include "Errors.h"
#include "UpDown.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TOptionsDg::TOptionsDg(TAlarmSettings& settings, TSettingsStore& settingsKey, TSoundPlayer& sound,
                       TListHooks& hooks, TMessageService& messages, QString programDir,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_settings(settings)
    , m_key(settingsKey)
    , m_sound(sound)
    , m_hooks(hooks)
    , m_messages(messages)
    , m_programDir(std::move(programDir)) {
    setWindowTitle(QStringLiteral("Tockwell Options"));
    setProperty("helpContext", 40);
    const TDesign design(this);
    design.FixSize(this, 340, 420);

    BuB = new QPushButton(QStringLiteral("&Back up Alarms"), this);
    design.Place(BuB, 10, 10, 155, 28);
    RestoreButton = new QPushButton(QStringLiteral("&Restore Alarms"), this);
    design.Place(RestoreButton, 175, 10, 155, 28);

    SnoozeGp = new QGroupBox(QStringLiteral(" Snooze "), this);
    design.Place(SnoozeGp, 10, 46, 320, 84);
    EnableSnooze = new QCheckBox(QStringLiteral("&Enable snooze"), SnoozeGp);
    design.Place(EnableSnooze, 12, 22, 200, 22);
    EnableSnooze->setChecked(true);
    Label1 = new QLabel(QStringLiteral("Snooze minutes"), SnoozeGp);
    design.Place(Label1, 12, 50, 120, 24);
    SnoozeminBox = new QLineEdit(QStringLiteral("5"), SnoozeGp);
    design.Place(SnoozeminBox, 140, 50, 44, 24);
    SnoozeminBox->setReadOnly(true);
    SMUpDown = new TUpDown(SettingDefaults::SnoozeMinLow, SettingDefaults::SnoozeMinHigh, SnoozeGp);
    design.Place(SMUpDown, 184, 50, 16, 24);
    SMUpDown->SetAssociate(SnoozeminBox);
    SMUpDown->SetName(QStringLiteral("Snooze minutes"));
    Label1->setBuddy(SnoozeminBox);
    SMUpDown->SetPosition(5);

    SoundSel = new QGroupBox(QStringLiteral(" Sound "), this);
    design.Place(SoundSel, 10, 138, 320, 76);
    SoundSelButtons = new QButtonGroup(this);
    auto* soundLayout = new QVBoxLayout(SoundSel);
    auto* off = new QRadioButton(QStringLiteral("O&ff (Not recommended)"), SoundSel);
    auto* on = new QRadioButton(QStringLiteral("O&n"), SoundSel);
    soundLayout->addWidget(off);
    soundLayout->addWidget(on);
    SoundSelButtons->addButton(off, 0);
    SoundSelButtons->addButton(on, 1);
    on->setChecked(true);

    GroupBox1 = new QGroupBox(this);
    design.Place(GroupBox1, 10, 220, 320, 36);
    SFNBox = new QLabel(QStringLiteral("_"), GroupBox1);
    design.Place(SFNBox, 6, 6, 308, 24);
    SFNBox->setAlignment(Qt::AlignCenter);
    SFNBox->setWordWrap(false);
    Change = new QPushButton(QStringLiteral("&Change sound"), this);
    design.Place(Change, 10, 262, 155, 28);
    Play = new QPushButton(QStringLiteral("&Play sound"), this);
    design.Place(Play, 175, 262, 155, 28);

    GroupBox2 = new QGroupBox(QStringLiteral(" Persistent Sound "), this);
    design.Place(GroupBox2, 10, 298, 320, 62);
    PersistBox =
        new QCheckBox(QStringLiteral("Play sound until I close the alarm dialog"), GroupBox2);
    design.Place(PersistBox, 12, 26, 300, 22);

    OKButt = new QPushButton(QStringLiteral("OK"), this);
    design.Place(OKButt, 80, 376, 85, 30);
    OKButt->setDefault(true);
    CancelButt = new QPushButton(QStringLiteral("&Cancel"), this);
    design.Place(CancelButt, 175, 376, 85, 30);

    setTabOrder(EnableSnooze, SnoozeminBox);
    setTabOrder(SnoozeminBox, on);
    setTabOrder(on, OKButt);
    setTabOrder(OKButt, CancelButt);
    setTabOrder(CancelButt, Change);
    setTabOrder(Change, Play);
    setTabOrder(Play, PersistBox);
    setTabOrder(PersistBox, BuB);
    setTabOrder(BuB, RestoreButton);

    SoundSelector = [this] {
        return QFileDialog::getOpenFileName(this, AppTitle, m_programDir,
                                            QStringLiteral("Wave Files (*.wav)"));
    };
    // Ticking the box from the program counts as a click, as the user's does.
    connect(EnableSnooze, &QCheckBox::toggled, this, Guarded([this] { EnableSnoozeClick(); }));
    connect(SoundSelButtons, &QButtonGroup::idClicked, this, Guarded([this] { SoundSelClick(); }));
    connect(Change, &QPushButton::clicked, this, Guarded([this] { ChangeClick(); }));
    connect(Play, &QPushButton::clicked, this, Guarded([this] { PlayClick(); }));
    connect(OKButt, &QPushButton::clicked, this, Guarded([this] { OKButtClick(); }));
    connect(CancelButt, &QPushButton::clicked, this, Guarded([this] { CancelButtClick(); }));
    connect(BuB, &QPushButton::clicked, this, Guarded([this] { BuBClick(); }));
    connect(RestoreButton, &QPushButton::clicked, this, Guarded([this] { RestoreButtonClick(); }));
}

// The dialog shows the settings when the program opens it, not at every show event: a
// restore after minimising (which Qt 6.8 reports as a show from the program) keeps what
// the user chose.
void TOptionsDg::Display() {
    if (!isVisible()) {
        FormShow();
        show();
    }
    raise();
    activateWindow();
}

void TOptionsDg::EnableSz() {
    EnableSnooze->setChecked(true);
    m_settings.SnoozeMin = std::clamp(m_settings.SnoozeMin, SettingDefaults::SnoozeMinLow,
                                      SettingDefaults::SnoozeMinHigh);
    SMUpDown->SetPosition(m_settings.SnoozeMin);
    SnoozeminBox->setText(QString::number(m_settings.SnoozeMin));
    for (QWidget* w : std::initializer_list<QWidget*>{SMUpDown, SnoozeminBox, Label1})
        w->setEnabled(true);
}

void TOptionsDg::DisableSz() {
    EnableSnooze->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{SMUpDown, SnoozeminBox, Label1})
        w->setEnabled(false);
}

void TOptionsDg::FormShow() {
    SavedSnooze = m_settings.Snooze;
    if (m_settings.Snooze)
        EnableSz();
    else
        DisableSz();
    if (m_settings.Sound) {
        for (QWidget* w : std::initializer_list<QWidget*>{SFNBox, Change, Play})
            w->setEnabled(true);
        SoundSelButtons->button(1)->setChecked(true);
        SFNBox->setText(QStringLiteral("Sound File: ") + m_settings.SoundFile);
        ChosenSound = m_settings.SoundFile;
        PersistBox->setChecked(m_settings.PersistentSound);
    } else {
        Change->setEnabled(false);
        Play->setEnabled(false);
        SoundSelButtons->button(0)->setChecked(true);
        SFNBox->setEnabled(false);
    }
}

void TOptionsDg::EnableSnoozeClick() {
    SMUpDown->SetPosition(5);
    SnoozeminBox->setText(QStringLiteral("5"));
    if (EnableSnooze->isChecked())
        EnableSz();
    else
        DisableSz();
}

void TOptionsDg::SoundSelClick() {
    const int item = SoundSelButtons->checkedId();
    if (item < 0)
        return;
    for (QWidget* w : std::initializer_list<QWidget*>{Change, Play, SFNBox})
        w->setEnabled(item == 1);
}

void TOptionsDg::ChangeClick() {
    const QString file = SoundSelector ? SoundSelector() : QString();
    if (file.isEmpty())
        return;
    ChosenSound = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    SFNBox->setText(ChosenSound);
    // The file dialog may have moved the current folder; the alarms live in this one.
    if (!m_programDir.isEmpty() && !QDir::setCurrent(m_programDir))
        throw EInOutError(QStringLiteral("The folder %1 cannot be entered")
                              .arg(QDir::toNativeSeparators(m_programDir)));
}

void TOptionsDg::PlayClick() {
    m_sound.Play(ChosenSound, false);
}

void TOptionsDg::OKButtClick() {
    TAlarmSettings chosen = m_settings;
    chosen.Snooze = EnableSnooze->isChecked();
    if (chosen.Snooze) {
        const auto minutes = AddAlarm::WholeNumber(SnoozeminBox->text());
        if (!minutes) {
            m_messages.Show({SettingMessages::SnoozeMinRange, AppTitle, TMsgIcon::Exclamation,
                             TMsgButtons::Ok});
            return;
        }
        chosen.SnoozeMin = *minutes;
    }
    chosen.Sound = SoundSelButtons->checkedId() == 1;
    chosen.SoundFile = ChosenSound;
    chosen.PersistentSound = PersistBox->isChecked();
    WriteAlarmSettings(m_key, m_settings, chosen);
    m_hooks.RefreshList();
    hide();
}

void TOptionsDg::CancelButtClick() {
    ChosenSound = m_settings.SoundFile;
    SFNBox->setText(m_settings.SoundFile);
    m_settings.Snooze = SavedSnooze;
    hide();
}

void TOptionsDg::reject() {
    CancelButtClick();
}

void TOptionsDg::BuBClick() {
    if (OpenBackup)
        OpenBackup(true);
}

void TOptionsDg::RestoreButtonClick() {
    if (OpenBackup)
        OpenBackup(false);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmList.h"
#include "Cleanup.h"
#include "Clock.h"
#include "IconView.h"
#include "MessageService.h"
#include "NoticeView.h"
#include "Settings.h"
#include "SoundPlayer.h"

#include <QLocale>

// The ten-second check cycle and what ringing does: every alarm is tested in list
// order; a due one plays the sound, is marked rung and shows the notice. In the first
// cycle after start-up, and in a cycle after a gap in the checks (a suspend, a clock
// set forward, the start of summer time), the cycle catches up: each notice is modal,
// so it waits for each answer. Done and Snooze of the notice come back here.
class TCheckCycle {
public:
    struct Parts {
        AlarmList& list;
        TCheckState& state;
        const TAlarmSettings& settings;
        const TClock& clock;
        TNoticeView& notice;
        TSoundPlayer& sound;
        TIconView& icon;
        TListHooks& hooks;
        TMessageService& messages;
        QLocale locale = QLocale::system();
    };

    static inline const QString IconError = QStringLiteral("Error: couldn't load icon");

    explicit TCheckCycle(Parts parts)
        : m(parts) {}

    // One check cycle (Timer1). Nothing while a cycle or a clean-up pass runs.
    void Timer1Timer();
    // The next frame of the ringing icon (Timer2).
    void Timer2Timer();

    // The notice's Done: the alarm is answered; the normal icon comes back.
    void StopButtClick();
    // The notice's Snooze: the alarm rings again SnoozeMin minutes after its ring.
    void SnoozeButtClick();
    // Stops the sound and the animation, which keeps the frame it shows.
    void StopSound();

    // The notice's text and caption for an alarm ringing at a moment.
    QString NoticeText(const TAlarmRec& rec, TDateTime now) const;
    QString NoticeCaption(const TAlarmRec& rec) const;

private:
    // A modal notice holds the cycle until it is answered: in a catch-up.
    void showAlarm(const AlarmList::Ptr& rec, bool modal);
    void answer(bool snoozePending);

    Parts m;
    bool m_iconErrorShown = false;
};

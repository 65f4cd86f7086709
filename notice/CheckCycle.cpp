// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCycle.h"

#include "DateFormat.h"
#include "FlagGuard.h"
#include "Rules.h"

void TCheckCycle::Timer1Timer() {
    // A notice that the window manager minimised or rolled up still holds back every
    // alarm after it, out of the user's sight: it comes back at the next check, the
    // modal one of a catch-up too.
    if (m.notice.Visible() && m.notice.Hidden())
        m.notice.BringBack();
    if (m.state.CleanupBusy || m.state.CheckBusy)
        return;
    {
        FlagGuard busy(m.state.CheckBusy);
        // Whatever happens, the next cycle is a normal one.
        struct EndOfCatchUp {
            bool& first;
            ~EndOfCatchUp() { first = false; }
        } endOfCatchUp{m.state.FirstCheck};
        const TDateTime start = m.clock.now();
        const TDateTime previousCheck = m.state.LastCheck;
        m.state.LastCheck = start;
        using Rules::TCheckMode;
        const TCheckMode mode = m.state.FirstCheck                   ? TCheckMode::CatchUp
                                : Rules::IsGap(previousCheck, start) ? TCheckMode::Gap
                                                                     : TCheckMode::Normal;
        // The count is read again at every step: a modal notice lets the user change the
        // list while the cycle waits.
        for (int i = 0; i < m.list.Count(); ++i) {
            const AlarmList::Ptr rec = m.list.At(i);
            if (Rules::CheckAlarm(*rec, m.clock.now(), mode, m.settings.SnoozeMin, previousCheck))
                showAlarm(rec, mode != TCheckMode::Normal);
        }
    }
    Cleanup(m.list, m.state, m.clock.now(), m.hooks);
}

QString TCheckCycle::NoticeText(const TAlarmRec& rec, TDateTime now) const {
    const QString message = TextToDisplay(rec.Text);
    return DateFormat::Format(DateFormat::DateTimeOneBlank, now, m.locale) + QStringLiteral(": ") +
           (message.isEmpty() ? QStringLiteral("ALARM") : message);
}

QString TCheckCycle::NoticeCaption(const TAlarmRec& rec) const {
    return KindName(rec.Kind) + QStringLiteral(" alarm for ") +
           DateFormat::Format(DateFormat::DateTimeTwoBlanks, rec.AlarmTime, m.locale);
}

void TCheckCycle::showAlarm(const AlarmList::Ptr& rec, bool modal) {
    m.icon.StartAnimation();
    if (m.notice.Visible())
        return; // tested again at the next check
    const TDateTime now = m.clock.now();
    m.notice.SetText(NoticeText(*rec, now));
    m.notice.SetCaption(NoticeCaption(*rec));
    if (m.settings.Sound)
        m.sound.Play(m.settings.SoundFile, m.settings.PersistentSound);
    rec->Rung = true;
    rec->LastRung = now;
    m.state.NoticeAlarm = rec;
    if (modal)
        m.notice.ShowModal();
    else
        m.notice.ShowModeless();
}

void TCheckCycle::Timer2Timer() {
    const QString name = QStringLiteral("ICON_%1").arg(m.state.IconFrame);
    const bool shown = m.icon.ShowIcon(name);
    if (++m.state.IconFrame > 6)
        m.state.IconFrame = 1;
    // One box at a time: the timer goes on while a box waits for its OK, and every
    // second would otherwise stack another one on top.
    if (!shown && !m_iconErrorShown) {
        FlagGuard showing(m_iconErrorShown);
        m.messages.Show(PlainNotice(IconError));
    }
}

void TCheckCycle::StopSound() {
    m.sound.Stop();
    m.icon.StopAnimation();
}

void TCheckCycle::answer(bool snoozePending) {
    m.notice.Hide();
    // An alarm deleted while its notice was up is changed no more.
    const AlarmList::Ptr rec = m.state.NoticeAlarm.lock();
    if (rec && m.list.IndexOf(rec.get()) >= 0)
        rec->SnoozePending = snoozePending;
    StopSound();
    m.hooks.SaveList();
    m.hooks.RefreshList();
}

void TCheckCycle::StopButtClick() {
    answer(false);
    if (!m.icon.ShowIcon(QStringLiteral("MAINICON")))
        m.messages.Show(PlainNotice(IconError));
}

void TCheckCycle::SnoozeButtClick() {
    answer(true);
}

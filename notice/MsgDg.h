// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CheckCycle.h"
#include "Design.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

// The alarm notice: the message, Done and (while snooze is on) Snooze. It stays on top
// of all other windows and has only a close box; closing it with that box answers
// nothing, so a persistent sound goes on. Enter presses Done; Escape does nothing.
class TMessageDg : public QDialog, public TNoticeView {
    Q_OBJECT
public:
    TMessageDg(const TAlarmSettings& settings, const TCheckState& state, QWidget* parent = nullptr);

    // Where Done and Snooze go.
    void SetCycle(TCheckCycle* cycle) { m_cycle = cycle; }

    QPushButton* StopButt;
    QTextEdit* Txt;
    QPushButton* SnoozeButt;
    QLabel* Image1;

    // Sizes the window by the message's length and lays out the buttons.
    void FormActivate();
    void StopButtClick();
    void SnoozeButtClick();

    // TNoticeView
    bool Visible() const override { return isVisible(); }
    void SetText(const QString& text) override;
    void SetCaption(const QString& caption) override { setWindowTitle(caption); }
    void ShowModal() override;
    void ShowModeless() override;
    void Hide() override { hide(); }
    bool Hidden() const override;
    void BringBack() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // FormActivate without the focus: the sizes for the message.
    void fitToMessage();

    const TAlarmSettings& m_settings;
    TCheckCycle* m_cycle = nullptr;
    const TCheckState& m_state; // NoticeAlarm: whose message length sizes the window
    const TDesign m_design;
};

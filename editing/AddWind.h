// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddAlarm.h"
#include "AlarmFile.h"
#include "AlarmList.h"
#include "Cleanup.h"
#include "Clock.h"

#include <QDialog>
#include <QLocale>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMessageEdit;
class TUpDown;

// The add-alarm dialog: in add mode it makes a new alarm of any type, in edit mode it
// changes the message of an existing one and nothing else. Modeless; shown by the
// alarms window.
class TAddWnd : public QDialog {
    Q_OBJECT
public:
    TAddWnd(AlarmList& list, TAlarmFile& file, TListHooks& hooks, const TClock& clock,
            const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);

    // Opened by the alarms window.
    void OpenAdd();
    void OpenEdit(const AlarmList::Ptr& alarm);
    bool EditMode() const;
    // The alarm being edited, while it is still in the list.
    AlarmList::Ptr Editing() const;

    // Writes the list to the data file.
    void SaveList();

    QGroupBox* TG;
    QButtonGroup* TGButtons;
    QFrame* Bevel1;
    QLabel *TimeLabel, *HourLabel, *MinuteLabel, *Label5, *Label1, *DayLabel, *Label2, *Label6,
        *MonthLabel, *Label3;
    QLineEdit *HourBox, *MinuteBox, *DayBox, *YearBox;
    TUpDown *UpDown1, *UpDown2, *WDUpDown, *DayUpDown, *MonthUpDown, *YearUpDown;
    TMessageEdit* TextBox;
    QPushButton* Add;
    QPushButton* Button2;

    int Kind() const;
    void SetKind(int kind);

    // Handlers, by control and event.
    bool GetDateTime();
    void AddClick();
    void Button2Click();
    void FormCreate();
    void FormShow();
    void TGClick();
    void UpDown2Click();
    void DayUpDownClick();
    void MonthUpDownClick();
    void WDUpDownClick();
    void YearUpDownClick();
    bool HourBoxExit();
    bool MinuteBoxExit();
    void DayBoxExit();

    AddAlarm::TEntered Entered;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void setDateControlsEnabled(const AddAlarm::TControlStates& states);
    // Beeps and keeps the focus in an hour or minute box whose text cannot be one.
    bool checkTimeBox(QLineEdit* box, int bound);
    void showWeekdayOfEntered();

    AlarmList& m_list;
    TAlarmFile& m_file;
    TListHooks& m_hooks;
    const TClock& m_clock;
    QLocale m_locale;
    std::weak_ptr<TAlarmRec> m_editing;
};

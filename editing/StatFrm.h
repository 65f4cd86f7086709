// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmFile.h"
#include "AlarmList.h"
#include "ListRefresh.h"
#include "Settings.h"

#include <QLocale>
#include <QWidget>

class QMenu;
class QTableWidget;
class QToolButton;
class TAddWnd;

// The alarms window: every alarm as a row of a grid, earliest first, and the buttons
// to add, delete and re-word alarms. It has no close box; "Close window" hides it.
class TStatWnd : public QWidget {
    Q_OBJECT
public:
    TStatWnd(AlarmList& list, const TAlarmSettings& settings, TAddWnd& addWnd, QMenu* trayMenu,
             const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);

    QToolButton* AddBtn;
    QToolButton* DeleteBtn;
    QToolButton* EditTextBtn;
    QToolButton* BitBtn3;
    QTableWidget* AGrid;

    // Builds the grid from the list, which the program has loaded at start.
    void FormCreate();
    // Shows the window, or brings it to the front when it is already shown.
    void Display();

    void RefreshList();
    void Clearlist();
    void CheckButtons();

    void AddBtnClick();
    void DeleteBtnClick();
    void EditTextBtnClick();
    void BitBtn3Click();

    // The list position of the selected row; -1 on the header or an empty row.
    int SelectedPosition() const;

protected:
    bool event(QEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void showGrid(const TGridContent& grid);

    AlarmList& m_list;
    const TAlarmSettings& m_settings;
    TAddWnd& m_addWnd;
    QMenu* m_trayMenu;
    QLocale m_locale;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListRefresh.h"

#include "DateFormat.h"

TGridContent Clearlist() {
    return {};
}

QString TypeText(const TAlarmRec& rec, bool snoozeOn) {
    QString text = KindName(rec.Kind);
    if (snoozeOn && rec.SnoozePending)
        text += QStringLiteral(" *");
    return text;
}

QString MessageCell(const TAlarmRec& rec) {
    QString text = TextToDisplay(rec.Text);
    text.replace(u'\n', QStringLiteral(" \u21B5 "));
    return text;
}

TGridContent::Row GridRow(const TAlarmRec& rec, bool snoozeOn, const QLocale& locale) {
    return {DateFormat::Format(DateFormat::LongDate, rec.AlarmTime, locale),
            DateFormat::Format(DateFormat::ShortTime, rec.AlarmTime, locale),
            TypeText(rec, snoozeOn), MessageCell(rec)};
}

TGridContent RefreshList(AlarmList& list, bool snoozeOn, const QLocale& locale) {
    TGridContent grid = Clearlist();
    if (list.Count() > 1)
        list.Sort();
    grid.rows.reserve(list.Count());
    for (const auto& rec : list)
        grid.rows.append(GridRow(*rec, snoozeOn, locale));
    return grid;
}

TButtonStates CheckButtons(const AlarmList& list, int maxAlarms) {
    const bool any = !list.IsEmpty();
    return {list.Count() < maxAlarms, any, any};
}

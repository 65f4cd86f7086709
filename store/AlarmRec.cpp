// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmRec.h"

#include <QStringDecoder>
#include <QStringEncoder>

bool IsKnownKind(std::int32_t kind) {
    return kind >= akOneOff && kind <= akAnnual;
}

bool IsRecurring(std::int32_t kind) {
    return IsKnownKind(kind) && kind != akOneOff;
}

QString KindName(std::int32_t kind) {
    switch (kind) {
    case akOneOff:
        return QStringLiteral("One off");
    case akDaily:
        return QStringLiteral("Daily");
    case akWeekly:
        return QStringLiteral("Weekly");
    case akMonthly:
        return QStringLiteral("Monthly");
    case akAnnual:
        return QStringLiteral("Annual");
    }
    return QStringLiteral("Unknown (%1)").arg(kind);
}

TAlarmRec NewAlarm(std::int32_t kind, TDateTime alarmTime, const QByteArray& text) {
    TAlarmRec rec;
    rec.Kind = kind;
    rec.AlarmTime = alarmTime;
    rec.Text = text.isEmpty() ? QByteArrayLiteral("ALARM") : text.left(MaxTextChars);
    rec.Rung = false;
    rec.SnoozePending = true;
    rec.LastRung = TAlarmRec::NeverRung;
    return rec;
}

QString TextToDisplay(const QByteArray& stored) {
    QByteArray bytes = stored.left(TextFieldBytes);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    QStringDecoder decode("windows-1252");
    QString text = decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool IsStorableChar(QChar c) {
    if (c == QChar::Null)
        return false;
    if (c == u'\n')
        return true;
    return DisplayToText(QString(c)).has_value();
}

std::optional<QByteArray> DisplayToText(const QString& text) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\n', QStringLiteral("\r\n"));
    if (normal.contains(QChar::Null))
        return std::nullopt;
    QStringEncoder encode("windows-1252");
    const QByteArray bytes = encode(normal);
    if (encode.hasError() || bytes.size() > MaxTextChars)
        return std::nullopt;
    // A character the code page has no place for must not slip through as a look-alike
    // ("best fit"): only text that reads back the same is storable.
    QStringDecoder decode("windows-1252");
    if (QString(decode(bytes)) != normal)
        return std::nullopt;
    return bytes;
}

QString EditableText(const QByteArray& stored) {
    const QString shown = TextToDisplay(stored);
    if (DisplayToText(shown))
        return shown;
    QString text;
    for (const QChar c : shown) {
        if (!IsStorableChar(c))
            continue;
        text += c;
        if (!DisplayToText(text)) {
            text.chop(1);
            break;
        }
    }
    return text;
}

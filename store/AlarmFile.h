// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmList.h"
#include "Clock.h"

#include <QString>

// The alarms on disk: "Tockwell.alarms" in the program's folder, the records of the
// list one after another (RecordCodec.h). The file is read whole by LoadList and
// rewritten whole by SaveList; it is open only while one of them runs.
//
// Nothing here ever destroys a file it could not read. An existing file that cannot
// be opened, or that fails part-way, is kept aside beside it under a new name
// ("Tockwell.alarms.damaged-YYYYMMDD-HHMMSS") before anything replaces it.
class TAlarmFile {
public:
    static inline const QString FileName = QStringLiteral("Tockwell.alarms");

    static inline const QString MsgNewFile = QStringLiteral(
        "There was an error while reading the alarm data file. A new, empty file has been created");
    static inline const QString MsgReadFailed =
        QStringLiteral("Sorry, there was an error while reading the alarm data file. Please check "
                       "that your hard disc is not full");

    // programDir is the folder of the program with its trailing separator; an empty
    // text means the current folder. The clock stamps the names of kept-aside files.
    explicit TAlarmFile(QString programDir, const TClock* clock = nullptr);

    // Makes the program's folder the current folder, then replaces the content of
    // list with the records of the file.
    // - No file: an empty one is created and EInOutError(MsgNewFile) is thrown.
    // - A file that cannot be opened: it is kept aside, an empty one takes its place,
    //   and EInOutError(MsgNewFile) is thrown.
    // - A read error or an incomplete last record: the whole records read so far stay
    //   in the list and EInOutError(MsgReadFailed) is thrown; the file stays as it is
    //   and is kept aside by the next save.
    // - Where even that cannot be done, EInOutError says what could not be done.
    void LoadList(AlarmList& list);

    // Replaces the file with the records of the list, in list order. The file is
    // replaced whole or not at all: after a failure it holds the previous list and
    // EInOutError says what went wrong. The list is never changed.
    void SaveList(const AlarmList& list);

    // Keeps a file that the last load could not read whole aside, if that has not been
    // done yet; true when nothing is left to keep. Whatever replaces the data file by
    // other means than SaveList (a restore) calls this first.
    bool KeepDamagedAside();

    QString Path() const;
    // The name under which the damaged file was kept, once it was.
    QString KeptAsidePath() const { return m_keptAside; }
    bool DamagedPending() const { return m_damagedPending; }

private:
    QString asideName() const;
    bool moveAside(bool allowCopy);

    QString m_dir;
    const TClock* m_clock;
    TSystemClock m_systemClock;
    bool m_damagedPending = false;
    QString m_keptAside;
};

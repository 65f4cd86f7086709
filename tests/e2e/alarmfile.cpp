// SPDX-License-Identifier: GPL-3.0-or-later
// Data files for the end-to-end scripts, written and read back:
//   alarmfile write FILE KIND,yyyy-MM-ddTHH:mm:ss,RUNG,PENDING,TEXT ...
//   alarmfile dump FILE      one line per record: KIND RUNG PENDING TEXT
#include "AlarmFile.h"
#include "Errors.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QFileInfo file(args.value(2));
    if (args.size() < 3 || file.fileName() != TAlarmFile::FileName)
        return 2;
    TAlarmFile data(file.absolutePath() + u'/');
    AlarmList list;
    try {
        if (args[1] == "write") {
            for (const QString& entry : args.mid(3)) {
                const QStringList f = entry.split(u',');
                if (f.size() < 5)
                    return 2;
                TAlarmRec rec = NewAlarm(
                    f[0].toInt(), DateTime::fromQDateTime(QDateTime::fromString(f[1], Qt::ISODate)),
                    f.mid(4).join(u',').toLatin1());
                rec.Rung = f[2] == "1";
                rec.SnoozePending = f[3] == "1";
                list.Append(rec);
            }
            data.SaveList(list);
            return 0;
        }
        if (args[1] == "dump") {
            data.LoadList(list);
            QTextStream out(stdout);
            for (const auto& r : list)
                out << r->Kind << ' ' << int(r->Rung) << ' ' << int(r->SnoozePending) << ' '
                    << QString::fromLatin1(r->Text) << '\n';
            return 0;
        }
    } catch (const EError& e) {
        qCritical("%s", qPrintable(e.message()));
        return 1;
    }
    return 2;
}

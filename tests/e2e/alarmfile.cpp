// Writes and reads data files for the end-to-end test, so that the shell script can
// prepare alarms and check what the program saved.
//   alarmfile write FILE KIND,yyyy-MM-ddTHH:mm:ss,RUNG,PENDING,TEXT ...
//       TIME may also be nan or inf; TEXT "@full" fills all 601 bytes of the message
//       field, leaving no room for a terminator
//   alarmfile many FILE N    N one-off alarms far in the future
//   alarmfile dump FILE      one line per record: KIND RUNG PENDING TEXT
#include "AlarmFile.h"
#include "Errors.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <limits>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QFileInfo file(args[2]);
    TAlarmFile data(file.absolutePath() + u'/');
    if (file.fileName() != TAlarmFile::FileName)
        return 2;
    AlarmList list;
    try {
        if (args[1] == "write") {
            for (const QString& entry : args.mid(3)) {
                const QStringList f = entry.split(u',');
                if (f.size() < 5)
                    return 2;
                const double time =
                    f[1] == "nan" ? std::numeric_limits<double>::quiet_NaN()
                    : f[1] == "inf"
                        ? std::numeric_limits<double>::infinity()
                        : DateTime::fromQDateTime(QDateTime::fromString(f[1], Qt::ISODate));
                const QString text = f.mid(4).join(u',');
                TAlarmRec rec = NewAlarm(f[0].toInt(), time,
                                         text == "@full" ? QByteArray(TextFieldBytes, '\xe9')
                                                         : text.toLatin1());
                rec.Rung = f[2] == "1";
                rec.SnoozePending = f[3] == "1";
                list.Append(rec);
            }
            data.SaveList(list);
            return 0;
        }
        if (args[1] == "many" && args.size() == 4) {
            const TDateTime far =
                DateTime::fromQDateTime(QDateTime(QDate(2099, 1, 1), QTime(12, 0)));
            for (int i = 0; i < args[3].toInt(); ++i)
                list.Append(NewAlarm(akOneOff, far + i / 1440.0, "alarm " + QByteArray::number(i)));
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
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 2;
}

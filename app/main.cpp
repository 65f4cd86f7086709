// Tockwell's start-up core: reads the preferences and the alarm list the way the
// tray program will, reports what it found, and writes the list back on the way out.
#include "AlarmFile.h"
#include "AppInfo.h"
#include "Errors.h"
#include "IniStore.h"
#include "QtMessageService.h"
#include "Settings.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    QApplication::setOrganizationName(AppOrganisation);
    QApplication::setQuitOnLastWindowClosed(false);

    QtMessageService messages;
    TIniStore backend;
    TSettingsStore settingsKey(backend);
    TAlarmSettings settings;
    ReadAlarmSettings(settingsKey, settings, messages);

    const QString programDir = QDir(QCoreApplication::applicationDirPath()).path() + u'/';
    TAlarmFile file(programDir);
    AlarmList alarms;
    try {
        file.LoadList(alarms);
    } catch (const EError& e) {
        ShowErrorBox(messages, e.message());
    }
    alarms.Sort();

    QTextStream out(stdout);
    out << AppTitle << ": " << alarms.Count() << " alarm(s) in "
        << QDir::toNativeSeparators(QDir(programDir).absoluteFilePath(TAlarmFile::FileName))
        << "\n  sound "
        << (settings.Sound ? "on (" + settings.SoundFile + ")" : QStringLiteral("off"))
        << (settings.PersistentSound ? ", persistent" : "") << "; snooze "
        << (settings.Snooze ? QString::number(settings.SnoozeMin) + " minutes"
                            : QStringLiteral("off"))
        << "\n  settings: " << QDir::toNativeSeparators(backend.FilePath()) << "\n";
    for (const auto& rec : alarms)
        out << "  " << DateTime::toQDateTime(rec->AlarmTime).toString(Qt::ISODate) << "  "
            << KindName(rec->Kind) << "  " << TextToDisplay(rec->Text).replace(u'\n', u' ') << "\n";
    out.flush();

    try {
        file.SaveList(alarms);
    } catch (const EError& e) {
        ShowErrorBox(messages, e.message());
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"
#include "FileSizeLimit.h"
#include "ProgramHarness.h"
#include "RecordBytes.h"
#include "UpDown.h"
#include "WindowTestMain.h"
#include "backupd.h"

#include <QStorageInfo>
#include <QtTest>
#include <QtWidgets>

namespace {

QByteArray records(std::initializer_list<const char*> texts) {
    QByteArray all;
    double day = at(2027, 1, 1, 8);
    for (const char* text : texts)
        all += RecordBytes{.alarmTime = day++, .kind = akDaily, .text = text}.build();
    return all;
}

bool enabled(std::initializer_list<QWidget*> widgets, bool on) {
    return std::all_of(widgets.begin(), widgets.end(),
                       [on](QWidget* w) { return w->isEnabled() == on; });
}
TOptionsDg& opened(Harness& h) {
    h.program->OptionsDg().Display();
    return h.program->OptionsDg();
}
const TAlarmSettings& inUse(Harness& h) {
    return h.program->Form().AlarmSettings;
}

// What the dialog shows as it opens on stored settings: WindowsTest's sheet.
const HarnessRow OptionsTable[] = {
    {"a stored 90 minutes shows as 60; changes cancelled by Escape, it opens again as stored",
     [](Harness& h) {
         TOptionsDg& dg = opened(h);
         dg.EnableSnooze->click(); // off: its minutes grey
         dg.SoundSelButtons->button(0)->click();
         QVERIFY(!dg.SnoozeminBox->isEnabled() && !dg.Play->isEnabled());
         QTest::keyClick(&dg, Qt::Key_Escape); // as Cancel
         QVERIFY(inUse(h).SnoozeMin == 60 && !dg.isVisible());
         dg.Display();
         QVERIFY(dg.SnoozeminBox->text() == "60" && dg.SMUpDown->Position() == 60 &&
                 dg.EnableSnooze->isChecked() && dg.SnoozeminBox->isEnabled());
         QVERIFY(dg.SoundSelButtons->checkedId() == 1 && dg.Play->isEnabled());
     },
     nullptr, "SnoozeMin=90\n"},
    {"snooze and sound off: greyed; Enable snooze starts at 5, the lowest; Up, OK stores it",
     [](Harness& h) {
         TOptionsDg& dg = opened(h);
         QVERIFY(dg.SoundSelButtons->checkedId() == 0 &&
                 enabled({dg.SnoozeminBox, dg.SMUpDown, dg.Label1, dg.Change, dg.Play, dg.SFNBox},
                         false));
         dg.EnableSnooze->click();
         dg.SMUpDown->Step(false);
         QCOMPARE(dg.SnoozeminBox->text(), QString("5"));
         QTest::keyClick(dg.SnoozeminBox, Qt::Key_Up);
         QTest::mouseClick(dg.OKButt, Qt::LeftButton);
         QVERIFY(h.ini().contains("Snooze=1\nSnoozeMin=6\n") && inUse(h).SnoozeMin == 6);
     },
     nullptr, "Snooze=0\nSound=0\n"},
    {"Play sound plays the file shown; Change sound, Cancel keeps it; OK stores the one chosen",
     [](Harness& h) {
         TOptionsDg& dg = opened(h);
         dg.Play->click();
         QCOMPARE(h.sound().log, QStringList{"play bell.wav"});
         dg.SoundSelector = [&h] {
             return h.path("ring.wav");
         };
         dg.Change->click();
         QTest::mouseClick(dg.CancelButt, Qt::LeftButton);
         dg.Display();
         QVERIFY(inUse(h).SoundFile == "bell.wav" && dg.SFNBox->text() == "Sound File: bell.wav");
         dg.Change->click();
         dg.PersistBox->click();
         QTest::mouseClick(dg.OKButt, Qt::LeftButton);
         QVERIFY(dg.SFNBox->text() == h.path("ring.wav") &&
                 inUse(h).SoundFile == h.path("ring.wav") &&
                 h.ini().contains("SoundFile=" + h.path("ring.wav").toUtf8()));
         QVERIFY(inUse(h).PersistentSound && h.ini().contains("Persistent%20Sound=1"));
     },
     nullptr, "SoundFile=bell.wav\n"},
    {"Sound Off greys its buttons and OK stores it",
     [](Harness& h) {
         TOptionsDg& dg = opened(h);
         dg.SoundSelButtons->button(0)->click();
         QTest::mouseClick(dg.OKButt, Qt::LeftButton);
         QVERIFY(enabled({dg.Change, dg.Play, dg.SFNBox}, false));
         QVERIFY(h.ini().contains("Sound=0\n") && !inUse(h).Sound);
     }},
    {"Back up Alarms and Restore Alarms open the folder window in their mode, one at a time",
     [](Harness& h) {
         TOptionsDg& dg = opened(h);
         dg.BuB->click();
         QPointer<TBUFrm> first = h.program->BUFrm();
         QVERIFY(first->ActionBtn->text().contains("Back up"));
         dg.RestoreButton->click();
         QVERIFY(h.program->BUFrm()->ActionBtn->text().contains("Restore"));
         QVERIFY(!first || !first->isVisible());
     }},
};

// The back-up and restore window's rows: the mode it opens in, whether the folder the
// user picks holds a back-up file (of the alarms "early" and "late"; the program's own
// list is "mine"), then what the user does there and the effect.
enum class Mode { BackUp, Restore };
struct BackupRow {
    const char* name;
    Mode mode;
    bool backup;
    std::function<void(Harness&, TBUFrm&, const QString& folder)> run;
};

const BackupRow BackupTable[] = {
    {"opens at the program's folder, the path down to it; Enter or a double click opens a "
     "subfolder",
     Mode::BackUp, false,
     [](Harness& h, TBUFrm& w, const QString& folder) {
         QCOMPARE(w.Folder(), QDir(h.dir.path()).absolutePath()); // its controls: the sheet
         QCOMPARE(w.DLB->item(0)->data(Qt::UserRole).toString(),
                  QStorageInfo(w.Folder()).rootPath()); // from the volume's root down
         QStringList listed;
         for (int i = 0; i < w.DCombo->count(); ++i)
             listed << w.DCombo->itemData(i).toString();
         const QList<QStorageInfo> drives = QStorageInfo::mountedVolumes()
                                            << QStorageInfo(w.Folder());
         for (const QStorageInfo& v : drives) // every drive, once
             QVERIFY(!v.isValid() || listed.count(v.rootPath()) == 1);
         for (bool enter : {true, false}) {
             w.SetFolder(folder);
             QListWidgetItem* sub = w.DLB->findItems("sub", Qt::MatchEndsWith).value(0);
             w.DLB->setCurrentItem(sub);
             enter ? QTest::keyClick(w.DLB, Qt::Key_Return) : emit w.DLB->itemActivated(sub);
             QCOMPARE(w.Folder(), folder + "/sub");
         }
         QVERIFY(h.messages.shown.isEmpty() && !QFile::exists(folder + "/sub/Tockwell.backup"));
     }},
    {"Back up on a full disc says so; then it copies the alarms, closes and says where",
     Mode::BackUp, false,
     [](Harness& h, TBUFrm& w, const QString& folder) {
         w.SetFolder(folder);
         {
             FileSizeLimit full(0);
             w.ActionBtnClick();
         }
         QVERIFY(h.messages.shown.last().text.startsWith("Error: couldn't copy file."));
         QTest::mouseClick(w.ActionBtn, Qt::LeftButton);
         QCOMPARE(ReadBytes(folder + "/Tockwell.backup"), h.file());
         QCOMPARE(h.messages.shown.last().text,
                  "File backed up as \r" + folder + "/Tockwell.backup");
         QVERIFY(!w.isVisible());
     }},
    {"restore mode: Restore only where a back-up file is, not a folder", Mode::Restore, false,
     [](Harness&, TBUFrm& w, const QString& folder) {
         QDir(folder).mkdir("Tockwell.backup");
         w.SetFolder(folder);
         QVERIFY(w.ActionBtn->text() == "&Restore" && !w.ActionBtn->isEnabled());
         QDir(folder).rmdir("Tockwell.backup");
         WriteBytes(folder + "/Tockwell.backup", "");
         w.SetFolder(folder);
         QVERIFY(w.ActionBtn->isEnabled());
     }},
    {"Restore asks first; No leaves the alarms and says so, Cancel closes and says nothing",
     Mode::Restore, true,
     [](Harness& h, TBUFrm& w, const QString& folder) {
         const QByteArray before = h.file();
         w.SetFolder(folder);
         QTest::keyClick(w.DLB, Qt::Key_Return); // on the chosen folder: the button; No
         QCOMPARE(h.messages.shown.first().buttons, TMsgButtons::YesNo);
         QCOMPARE(h.messages.shown.last().text, QString("Restore cancelled"));
         QTest::mouseClick(w.CancelButt, Qt::LeftButton);
         QVERIFY(!w.isVisible() && h.messages.shown.size() == 2 && h.file() == before);
         QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("mine"));
     }},
    {"Restore answered Yes takes the back-up into the list, grid and file", Mode::Restore, true,
     [](Harness& h, TBUFrm& w, const QString& folder) {
         w.SetFolder(folder);
         h.messages.answers = {TMsgAnswer::Yes};
         QTest::mouseClick(w.ActionBtn, Qt::LeftButton);
         QCOMPARE(h.messages.shown.last().text,
                  "Alarms restored from backup file\r" + folder + "/Tockwell.backup");
         QCOMPARE(h.file(), records({"early", "late"}));
         QCOMPARE(h.stat().AGrid->item(1, 3)->text(), QString("late"));
         h.list().Clear(); // into an empty list: no question
         w.ActionBtnClick();
         QVERIFY(h.messages.shown.size() == 3 && h.list().Count() == 2);
     }},
    // The grid, emptied for the restore, shows the list that stayed.
    {"Restore that cannot copy leaves both files and the grid", Mode::Restore, true,
     [](Harness& h, TBUFrm& w, const QString& folder) {
         const QByteArray big = records({"a", "b", "c", "d", "e"}), before = h.file();
         WriteBytes(folder + "/Tockwell.backup", big);
         w.SetFolder(folder);
         h.messages.answers = {TMsgAnswer::Yes};
         {
             FileSizeLimit limit(1000);
             w.ActionBtnClick();
         }
         QVERIFY(h.messages.shown.last().text.startsWith("Error: file copy operation failed."));
         QVERIFY(h.file() == before && ReadBytes(folder + "/Tockwell.backup") == big);
         QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("mine"));
     }},
};

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void controls_data() { AddTableRows(OptionsTable); }
    void controls() { RunRow(OptionsTable); }

    // Minimised and restored, the dialog keeps the choices; a failed write keeps it open.
    void okTakesTheChoicesAsShownAndStopsAtAFailedWrite() {
        Harness h(records({"one"}));
        QCOMPARE(h.stat().AGrid->item(0, 2)->text(), QString("Daily *")); // snooze pending
        TOptionsDg& dg = opened(h);
        dg.EnableSnooze->click();               // off
        dg.SoundSelButtons->button(0)->click(); // sound off
        dg.showMinimized();
        dg.showNormal();
        QShowEvent restored; // what Qt 6.8 sends after a restore from code, and 6.4 does not
        QApplication::sendEvent(&dg, &restored);
        QVERIFY(!dg.EnableSnooze->isChecked() && !dg.Play->isEnabled());
        {
            FileSizeLimit full(0);
            QTest::mouseClick(dg.OKButt, Qt::LeftButton);
        }
        QVERIFY(dg.isVisible());
        QCOMPARE(h.messages.shown.last().text, QString("Failed to set data for 'Snooze'."));
        QTest::mouseClick(dg.OKButt, Qt::LeftButton); // room on the disc again
        QVERIFY(h.ini().contains("Snooze=0\nSound=0\n") && !dg.isVisible());
        QCOMPARE(h.stat().AGrid->item(0, 2)->text(), QString("Daily")); // without snooze, no mark
    }

    void backUpAndRestore_data() { AddTableRows(BackupTable); }
    void backUpAndRestore() {
        QFETCH(int, row);
        const BackupRow& r = BackupTable[row];
        Harness h(records({"mine"}));
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("sub");
        if (r.backup)
            WriteBytes(folder.path() + "/Tockwell.backup", records({"early", "late"}));
        h.stat().Display();
        h.program->OpenBackup(r.mode == Mode::BackUp);
        TBUFrm& w = *h.program->BUFrm();
        r.run(h, w, folder.path());
    }
};

TOCKWELL_WINDOW_TEST_MAIN(OptionsTest)
#include "OptionsTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"
#include "FileSizeLimit.h"
#include "ProgramHarness.h"
#include "RecordBytes.h"
#include "UpDown.h"
#include "WindowTestMain.h"
#include "backupd.h"

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

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void snoozeLengthComesIntoRange() {
        Harness h("", "Snooze=0\n");
        TOptionsDg& dg = h.program->OptionsDg();
        dg.Display();
        dg.EnableSnooze->click();
        QCOMPARE(dg.SnoozeminBox->text(), QString("5"));
        dg.SMUpDown->Step(false); // not below 5
        QCOMPARE(dg.SnoozeminBox->text(), QString("5"));
        QTest::mouseClick(dg.OKButt, Qt::LeftButton);
        QVERIFY(h.ini().contains("Snooze=1\nSnoozeMin=5\n"));
        // A stored 90 shows as 60, and stays 60 in memory after Cancel.
        h.program->Form().AlarmSettings.SnoozeMin = 90;
        dg.Display();
        QCOMPARE(dg.SnoozeminBox->text(), QString("60"));
        QTest::mouseClick(dg.CancelButt, Qt::LeftButton);
        QCOMPARE(h.program->Form().AlarmSettings.SnoozeMin, 60);
    }

    void okTakesTheChoicesAsShownAndStopsAtAFailedWrite() {
        Harness h(records({"one"}));
        QCOMPARE(h.stat().AGrid->item(0, 2)->text(), QString("Daily *")); // snooze pending
        TOptionsDg& dg = h.program->OptionsDg();
        dg.Display();
        dg.EnableSnooze->click();               // off
        dg.SoundSelButtons->button(0)->click(); // sound off
        dg.showMinimized();                     // minimised and restored: the choices stay
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

    void backUpToAFolderEnteredWithTheKeyboard() {
        Harness h(records({"one"}));
        QTemporaryDir target;
        QDir(target.path()).mkdir("sub");
        h.program->OpenBackup(true);
        TBUFrm* w = h.program->BUFrm();
        QCOMPARE(w->Folder(), QDir(h.dir.path()).absolutePath());
        // Enter in the folder list opens the folder, and only that.
        w->SetFolder(target.path());
        w->DLB->setCurrentItem(w->DLB->findItems("sub", Qt::MatchEndsWith).value(0));
        QTest::keyClick(w->DLB, Qt::Key_Return);
        QCOMPARE(w->Folder(), target.path() + "/sub");
        QVERIFY(h.messages.shown.isEmpty());
        w->ActionBtnClick();
        const QString backup = target.path() + "/sub/Tockwell.backup";
        QCOMPARE(ReadBytes(backup), h.file());
        QCOMPARE(h.messages.shown.last().text, "File backed up as \r" + backup);
    }

    void restoreAsksFirstAndFindsOnlyABackupFile() {
        Harness h(records({"mine"}));
        QTemporaryDir source;
        const QByteArray before = h.file();
        h.program->OpenBackup(false);
        TBUFrm* w = h.program->BUFrm();
        QDir().mkdir(source.path() + "/Tockwell.backup"); // a folder of that name
        w->SetFolder(source.path());
        QVERIFY(!w->ActionBtn->isEnabled());
        QDir(source.path()).rmdir("Tockwell.backup");
        WriteBytes(source.path() + "/Tockwell.backup", records({"early", "late"}));
        w->SetFolder(source.path());
        h.messages.answers = {TMsgAnswer::No};
        QTest::keyClick(w->DLB, Qt::Key_Return); // on the chosen folder: the button
        QCOMPARE(h.messages.shown.last().text, QString("Restore cancelled"));
        QCOMPARE(h.file(), before);

        h.list().Clear(); // an empty list restores without a question
        h.messages.shown.clear();
        w->ActionBtnClick();
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.stat().AGrid->rowCount(), 2);
        QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("early"));
    }

    void restoreThatCannotCopyLeavesBothFilesAndTheGrid() {
        Harness h(records({"mine"}));
        QTemporaryDir source;
        const QByteArray big = records({"a", "b", "c", "d", "e"});
        WriteBytes(source.path() + "/Tockwell.backup", big);
        const QByteArray before = h.file();
        h.stat().Display();
        h.program->OpenBackup(false);
        h.program->BUFrm()->SetFolder(source.path());
        h.messages.answers = {TMsgAnswer::Yes};
        {
            FileSizeLimit limit(1000);
            h.program->BUFrm()->ActionBtnClick();
        }
        QVERIFY(h.messages.shown.last().text.startsWith("Error: file copy operation failed."));
        QCOMPARE(h.file(), before);
        QCOMPARE(ReadBytes(source.path() + "/Tockwell.backup"), big);
        // The grid, emptied for the restore, shows the list that stayed.
        QCOMPARE(h.stat().AGrid->rowCount(), 1);
        QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("mine"));
    }
};

TOCKWELL_WINDOW_TEST_MAIN(OptionsTest)
#include "OptionsTest.moc"

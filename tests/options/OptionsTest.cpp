#include "Options.h"
#include "FileSizeLimit.h"
#include "ProgramHarness.h"
#include "QtTestMain.h"
#include "RecordBytes.h"
#include "UpDown.h"
#include "backupd.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace {

QByteArray records(std::initializer_list<std::pair<double, const char*>> alarms) {
    QByteArray all;
    for (const auto& [when, text] : alarms) {
        RecordBytes r;
        r.alarmTime = when;
        r.kind = akDaily;
        r.text = text;
        all += r.build();
    }
    return all;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void snoozeLengthComesIntoRange() {
        Harness off(QByteArray(""));
        TOptionsDg& dg = off.program->OptionsDg();
        off.program->Form().AlarmSettings.Snooze = false;
        off.program->Form().AlarmSettings.SnoozeMin = 0;
        dg.Display();
        QVERIFY(!dg.EnableSnooze->isChecked());
        QVERIFY(!dg.SnoozeminBox->isEnabled());
        dg.EnableSnooze->click();
        QCOMPARE(dg.SnoozeminBox->text(), QString("5"));
        dg.SMUpDown->Step(true);
        dg.SMUpDown->Step(false);
        dg.SMUpDown->Step(false); // not below 5
        QCOMPARE(dg.SnoozeminBox->text(), QString("5"));
        QTest::mouseClick(dg.OKButt, Qt::LeftButton);
        QVERIFY(!dg.isVisible());
        QCOMPARE(off.settings.TextOf("Tockwell", "SnoozeMin"), QString("5"));
        QCOMPARE(off.settings.TextOf("Tockwell", "Snooze"), QString("1"));

        // A stored 90 shows as 60, and stays 60 in memory after Cancel.
        off.program->Form().AlarmSettings.Snooze = true;
        off.program->Form().AlarmSettings.SnoozeMin = 90;
        dg.Display();
        QCOMPARE(dg.SnoozeminBox->text(), QString("60"));
        QTest::mouseClick(dg.CancelButt, Qt::LeftButton);
        QCOMPARE(off.program->Form().AlarmSettings.SnoozeMin, 60);
    }

    void okTakesTheChoicesAsShown() {
        Harness h(QByteArray(""));
        TOptionsDg& dg = h.program->OptionsDg();
        dg.Display();
        dg.EnableSnooze->click();               // off
        dg.SoundSelButtons->button(0)->click(); // sound off
        // Minimised and restored: the choices stay.
        dg.showMinimized();
        dg.showNormal();
        QVERIFY(!dg.EnableSnooze->isChecked());
        QVERIFY(!dg.Change->isEnabled());
        QVERIFY(!dg.Play->isEnabled());
        QTest::mouseClick(dg.OKButt, Qt::LeftButton);
        QCOMPARE(h.settings.TextOf("Tockwell", "Snooze"), QString("0"));
        QCOMPARE(h.settings.TextOf("Tockwell", "Sound"), QString("0"));
        QVERIFY(!h.program->Form().AlarmSettings.Snooze);
    }

    void soundFileLabelAfterChangeOkAndCancel() {
        Harness h(QByteArray(""));
        TOptionsDg& dg = h.program->OptionsDg();
        dg.SoundSelector = [] {
            return QString("/sounds/gong.wav");
        };
        dg.Display();
        QCOMPARE(dg.SFNBox->text(), QString("Sound File: alarm.wav"));
        dg.Change->click();
        QCOMPARE(dg.SFNBox->text(), QString("/sounds/gong.wav"));
        QTest::mouseClick(dg.CancelButt, Qt::LeftButton);
        dg.Display();
        QCOMPARE(dg.SFNBox->text(), QString("Sound File: alarm.wav"));
        dg.Change->click();
        QTest::mouseClick(dg.OKButt, Qt::LeftButton);
        QCOMPARE(h.settings.TextOf("Tockwell", "SoundFile"), QString("/sounds/gong.wav"));
        dg.Display();
        QCOMPARE(dg.SFNBox->text(), QString("Sound File: /sounds/gong.wav"));
        QCOMPARE(QDir::current().absolutePath(), QDir(h.dir.path()).absolutePath());
        dg.hide();
    }

    void writeFailureStopsOkThere() {
        Harness h(QByteArray(""));
        h.settings.failSetFor.insert("Sound");
        TOptionsDg& dg = h.program->OptionsDg();
        dg.Display();
        h.messages.shown.clear();
        QTest::mouseClick(dg.OKButt, Qt::LeftButton);
        QVERIFY(dg.isVisible());
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].text, QString("Failed to set data for 'Sound'."));
        QCOMPARE(THelp::ContextOf(dg.OKButt), 40);
        QCOMPARE(dg.windowTitle(), QString("Tockwell Options"));
    }
};

class BackupTest : public QObject {
    Q_OBJECT

private slots:
    void backupPathsAndTheCopy() {
        QCOMPARE(Backup::FileIn("/"), QString("/Tockwell.backup"));
        QCOMPARE(Backup::FileIn("/media/usb"), QString("/media/usb/Tockwell.backup"));
        Harness h(records({{at(2027, 1, 1, 8), "one"}}));
        QTemporaryDir target;
        h.program->OpenBackup(true);
        TBUFrm* w = h.program->BUFrm();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("Tockwell - Back Up To"));
        QCOMPARE(w->ActionBtn->text(), QString("&Back up"));
        QCOMPARE(w->Folder(), QDir(h.dir.path()).absolutePath());
        // Enter in the folder list opens the folder, and only that.
        QDir(target.path()).mkdir("sub");
        w->SetFolder(target.path());
        w->DLB->setCurrentItem(w->DLB->findItems("sub", Qt::MatchEndsWith).value(0));
        h.messages.shown.clear();
        QTest::keyClick(w->DLB, Qt::Key_Return);
        QCOMPARE(w->Folder(), target.path() + "/sub");
        QVERIFY(h.messages.shown.isEmpty());
        QVERIFY(w->isVisible());
        w->ActionBtnClick();
        const QString backup = target.path() + "/sub/Tockwell.backup";
        QFile copy(backup); // its time stamp: FileCopyTest
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), h.file());
        QCOMPARE(h.messages.shown.last().text, "File backed up as \r" + backup);
        QCOMPARE(h.messages.shown.last().icon, TMsgIcon::Information);
    }

    void restoreFindsOnlyABackupFile() {
        Harness h(QByteArray(""));
        QTemporaryDir source;
        h.program->OpenBackup(false);
        TBUFrm* w = h.program->BUFrm();
        QCOMPARE(w->windowTitle(), QString("Tockwell - Restore From"));
        QDir().mkdir(source.path() + "/Tockwell.backup"); // a folder of that name
        w->SetFolder(source.path());
        QVERIFY(!w->ActionBtn->isEnabled());
        QDir(source.path()).rmdir("Tockwell.backup");
        write(source.path() + "/Tockwell.backup",
              records({{at(2027, 3, 1, 9), "late"}, {at(2027, 1, 1, 9), "early"}}));
        w->SetFolder(source.path());
        QVERIFY(w->ActionBtn->isEnabled());
        // An empty list restores without a question.
        h.messages.shown.clear();
        w->ActionBtnClick();
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].text,
                 "Alarms restored from backup file\r" + source.path() + "/Tockwell.backup");
        QCOMPARE(h.list().Count(), 2);
        QCOMPARE(h.list()[0].Text, QByteArray("early"));
        QCOMPARE(h.stat().AGrid->rowCount(), 2);
        QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("early"));
    }

    void noKeepsEverythingAndASecondWindowReplacesTheFirst() {
        Harness h(records({{at(2027, 1, 1, 8), "mine"}}));
        QTemporaryDir source;
        write(source.path() + "/Tockwell.backup", records({{at(2027, 1, 1, 9), "theirs"}}));
        const QByteArray before = h.file();
        h.program->OpenBackup(true);
        QPointer<TBUFrm> first = h.program->BUFrm();
        h.program->OpenBackup(false);
        QTRY_VERIFY(!first);
        TBUFrm* w = h.program->BUFrm();
        w->SetFolder(source.path());
        h.messages.answers = {TMsgAnswer::No};
        h.messages.shown.clear();
        w->ActionBtnClick();
        QCOMPARE(h.messages.shown.size(), 2);
        QCOMPARE(h.messages.shown[0].text,
                 QString("Restore from backup and overwrite existing alarm list - are you sure?"));
        QCOMPARE(h.messages.shown[1].text, QString("Restore cancelled"));
        QCOMPARE(h.file(), before);
        QCOMPARE(h.list()[0].Text, QByteArray("mine"));
    }

    void restoreThatCannotCopyLeavesBothFiles() {
        Harness h(records({{at(2027, 1, 1, 8), "mine"}}));
        QTemporaryDir source;
        const QByteArray big = records({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}});
        write(source.path() + "/Tockwell.backup", big);
        const QByteArray before = h.file();
        h.stat().Display();
        h.program->OpenBackup(false);
        TBUFrm* w = h.program->BUFrm();
        w->SetFolder(source.path());
        h.messages.answers = {TMsgAnswer::Yes};
        {
            FileSizeLimit limit(1000);
            w->ActionBtnClick();
        }
        QCOMPARE(h.messages.shown.last().text,
                 QString("Error: file copy operation failed.\rPlease check that the source file is "
                         "not corrupted."));
        QCOMPARE(h.file(), before);
        QFile backup(source.path() + "/Tockwell.backup");
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), big);
        QVERIFY(w->isVisible());
        // The grid, emptied for the restore, shows the list that stayed.
        QCOMPARE(h.stat().AGrid->rowCount(), 1);
        QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("mine"));
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    OptionsTest options;
    BackupTest backup;
    return RunTestObjects({&options, &backup}, argc, argv);
}
#include "OptionsTest.moc"

#include "AlarmFile.h"
#include "FileSizeLimit.h"
#include "Icons.h"
#include "MsgDg.h"
#include "ProgramHarness.h"
#include "Sound.h"
#include "SoundModule.h"
#include "TrayIcon.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage();
}

} // namespace

class NoticeTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    TMemoryStore settings;
    ScriptedMessages messages;
    QStringList trayLog;
    TFakeSound sound;
    TManualClock clock{DateTime::fromQDate(QDate(2026, 3, 1), QTime(9, 0, 4))};

    std::unique_ptr<TProgram> makeProgram() {
        // Each case starts from an empty alarm file.
        QFile::remove(dir.path() + "/Tockwell.alarms");
        return TestProgram(messages, settings, trayLog, dir.path(), clock, US, &sound);
    }
    QByteArray AlarmFileBytes() {
        QFile f(dir.path() + "/Tockwell.alarms");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Puts one alarm in the list and lets a normal cycle ring it.
    AlarmList::Ptr ring(TProgram& program, const QByteArray& text, std::int32_t kind = akOneOff) {
        program.Form().AlarmList->Append(
            NewAlarm(kind, DateTime::fromQDate(QDate(2026, 3, 1), QTime(9, 0)), text));
        program.Form().CheckState.FirstCheck = false;
        program.Cycle().Timer1Timer();
        return program.Form().AlarmList->At(0);
    }

private slots:
    void sizeFollowsTheMessageLength() {
        struct Case {
            int length, height, textHeight, buttonTop;
        } cases[] = {{14, 98, 21, 36}, {15, 158, 81, 96}, {59, 158, 81, 96}, {60, 198, 121, 136}};
        for (const Case& c : cases) {
            auto program = makeProgram();
            ring(*program, QByteArray(c.length, 'm'));
            TMessageDg& dg = program->Notice();
            QVERIFY(dg.isVisible());
            QCOMPARE(dg.frameGeometry().height(), c.height);
            QCOMPARE(dg.Txt->height(), c.textHeight);
            QCOMPARE(dg.StopButt->y(), c.buttonTop);
            QCOMPARE(dg.SnoozeButt->y(), c.buttonTop);
            QCOMPARE(dg.Image1->y(), c.height - 61);
            QCOMPARE(dg.SnoozeButt->x(), 120);
            QCOMPARE(dg.StopButt->x(), 211);
            QVERIFY(dg.windowFlags() & Qt::WindowStaysOnTopHint);
            QVERIFY(dg.Txt->isReadOnly());
        }
    }

    void withoutSnoozeOnlyDoneCentred() {
        settings.PutText("Tockwell", "Snooze", "0");
        auto program = makeProgram();
        ring(*program, "short");
        TMessageDg& dg = program->Notice();
        QVERIFY(dg.SnoozeButt->isHidden());
        QVERIFY(!dg.SnoozeButt->isEnabled());
        QCOMPARE(dg.StopButt->x(), dg.frameGeometry().width() / 2 - 75 / 2);
        settings.PutText("Tockwell", "Snooze", "1");
    }

    void enterIsDoneEscapeAndTheCloseBoxAnswerNothing() {
        auto program = makeProgram();
        const auto rec = ring(*program, "a message of some length");
        TMessageDg& dg = program->Notice();
        QVERIFY(QTest::qWaitForWindowExposed(&dg));
        QTest::keyClick(&dg, Qt::Key_Escape);
        QVERIFY(dg.isVisible());
        sound.log.clear();
        dg.close(); // the title bar's close box
        QVERIFY(!dg.isVisible());
        QVERIFY(rec->SnoozePending);
        QVERIFY(sound.log.isEmpty()); // a persistent sound would go on
        QVERIFY(program->Form().Timer2->isActive());

        program->Notice().ShowModeless();
        QVERIFY(QTest::qWaitForWindowExposed(&dg));
        QCOMPARE(QApplication::focusWidget(), dg.StopButt);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dg.isVisible());
        QVERIFY(!rec->SnoozePending);
        QCOMPARE(sound.log, QStringList{"stop sound"});
    }

    void doneRestoresTheIconSnoozeKeepsTheFrame() {
        auto program = makeProgram();
        const auto rec = ring(*program, "tea");
        TTrayIcon& tray = *program->Form().TrayIcon1;
        program->Cycle().Timer2Timer();
        program->Cycle().Timer2Timer(); // ICON_2 shown
        QTest::mouseClick(program->Notice().SnoozeButt, Qt::LeftButton);
        QVERIFY(!program->Form().Timer2->isActive());
        QCOMPARE(imageOf(tray.Icon()), imageOf(LoadIcon("ICON_2")));
        QVERIFY(rec->SnoozePending);

        for (int check = 0; check < 31; ++check) { // the snooze rings it again
            clock.advanceSeconds(10);
            program->Cycle().Timer1Timer();
        }
        QVERIFY(program->Notice().isVisible());
        QTest::mouseClick(program->Notice().StopButt, Qt::LeftButton);
        QCOMPARE(imageOf(tray.Icon()), imageOf(LoadIcon("MAINICON")));
        clock.set(DateTime::fromQDate(QDate(2026, 3, 1), QTime(9, 0, 4)));
    }

    // Each check that finds an alarm due while the notice waits asks for the animation
    // again: it goes on at its pace rather than starting its second over.
    void theAnimationKeepsItsPaceWhileANoticeWaits() {
        auto program = makeProgram();
        ring(*program, "first");
        QTimer* timer2 = program->Form().Timer2;
        QVERIFY(timer2->isActive());
        program->Form().AlarmList->Append(
            NewAlarm(akDaily, DateTime::fromQDate(QDate(2026, 3, 1), QTime(9, 0)), "second"));
        QTest::qWait(400);
        program->Cycle().Timer1Timer();
        QVERIFY(timer2->isActive());
        QVERIFY2(timer2->remainingTime() <= 800,
                 qPrintable(QString::number(timer2->remainingTime())));
    }

    void soundFilesComeFromTheProgramFolderOrTheBuiltInSound() {
        // A name alone: the user's data folder first, then the program's own folder.
        QTemporaryDir data, program;
        for (const QString& file : {data.path() + "/bell.wav", program.path() + "/bell.wav",
                                    program.path() + "/alarm.wav"})
            QFile(file).open(QIODevice::WriteOnly);
        TQtSoundPlayer player({data.path(), program.path()});
        QCOMPARE(player.Resolve("bell.wav"), data.path() + "/bell.wav");
        QCOMPARE(player.Resolve("alarm.wav"), program.path() + "/alarm.wav");
        QCOMPARE(player.Resolve("/home/a user/bell.wav"), QString("/home/a user/bell.wav"));
        QCOMPARE(player.Source(), QUrl()); // nothing loaded before the first alarm
        player.Play("no-such-sound.wav", false);
        QCOMPARE(player.Source(), QUrl(TQtSoundPlayer::DefaultSound));
        player.Stop();
        // WORKAROUND: a QSoundEffect destroyed while Qt 6.4 still reads its sound in the
        // sample cache's thread can leave that thread's objects behind, or hang the
        // process at exit; let the reading end first.
        QTRY_VERIFY_WITH_TIMEOUT(!player.Loading(), 10000);
        QVERIFY(QFile::exists(":/sounds/default.wav"));
    }

    // The real module is heard in the end-to-end run; here it is missing.
    void withoutTheSoundModuleAnAlarmRingsTheBell() {
        TSoundModulePlayer player("/nonexistent/tockwell", {"/opt/tockwell/"});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("sound module could not be loaded"));
        player.Play("alarm.wav", true);
        QVERIFY(!player.Loaded());
        QVERIFY(player.Error().contains("tockwell_sound"));
        QTest::failOnWarning(QRegularExpression("sound module"));
        player.Play("alarm.wav", true); // tried once, reported once
        player.Stop();
    }

    // A full disc at exit: the box about the failed save keeps the event loop going, and
    // the timers must find nothing left to run by then.
    void aFailedSaveAtExitShowsItsBoxAndEndsWithTheLastGoodFile() {
        auto program = makeProgram();
        ring(*program, "kept", akDaily);
        program->SaveList();
        const QByteArray good = AlarmFileBytes();
        QVERIFY(!good.isEmpty());
        program->Form().Timer1->setInterval(1);
        program->Form().Timer2->setInterval(1);
        messages.shown.clear();
        messages.whileShown = [](const TMessage&) {
            QTest::qWait(30);
        };
        {
            FileSizeLimit full(0);
            program->Shutdown();
        }
        messages.whileShown = {};
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains("could not be saved"));
        QCOMPARE(AlarmFileBytes(), good);
    }
};

QTEST_MAIN(NoticeTest)
#include "NoticeTest.moc"

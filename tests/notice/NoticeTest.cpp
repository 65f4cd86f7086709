// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"
#include "Icons.h"
#include "MsgDg.h"
#include "ProgramHarness.h"
#include "RecordBytes.h"
#include "Sound.h"
#include "SoundModule.h"
#include "WindowTestMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

TMessageDg& rung(Harness& h, const QByteArray& text, std::int32_t kind = akOneOff) {
    h.ring(text, kind);
    return h.program->Notice();
}

const HarnessRow Notice[] = {
    {"opens above the rest with the date and the message, Done focused, plays, rings the bell",
     [](Harness& h) {
         TMessageDg& dg = rung(h, "Call back"); // its caption and controls: the sheet
         QVERIFY(dg.isVisible() && (dg.windowFlags() & Qt::WindowStaysOnTopHint));
         QCOMPARE(dg.Txt->toPlainText(), QString("Sunday, 1 March 2026 09:00: Call back"));
         QCOMPARE(h.sound().log, QStringList{"play alarm.wav"});
         QCOMPARE(dg.focusWidget(), dg.StopButt); // Enter answers Done, the default
         QVERIFY(!dg.Image1->pixmap().isNull());
         QCOMPARE(h.program->Form().Timer2->interval(), 1000); // a picture a second
         h.program->Cycle().Timer2Timer(); // the icon's first picture of a ringing bell
         QCOMPARE(h.tray->image, LoadIcon("ICON_1").pixmap(32, 32).toImage());
     }},
    {"its height follows the message's length, the date and time at the top",
     [](Harness& h) {
         // Outer heights for a frame of 28 pixels; this desktop's frame comes on top.
         for (auto [length, height, text] : {std::tuple{14, 98, 21},
                                             {15, 158, 81},
                                             {59, 158, 81},
                                             {60, 198, 121},
                                             {600, 198, 121}}) {
             TMessageDg& dg = rung(h, QByteArray(length, 'm'));
             QVERIFY(QTest::qWaitForWindowExposed(&dg));
             QCOMPARE(dg.height(), height - 28);
             QCOMPARE(dg.Txt->height(), text);
             QCOMPARE(dg.StopButt->geometry().topLeft(), QPoint(211, height - 62));
             QVERIFY(dg.Txt->verticalScrollBar()->value() == 0 &&
                     dg.Txt->textCursor().position() == 0);
             dg.StopButt->click();
         }
     }},
    {"without snooze, Done alone in the middle; with snooze on again, Snooze is back",
     [](Harness& h) {
         TMessageDg& dg = rung(h, "short");
         QVERIFY(dg.SnoozeButt->isHidden());
         QCOMPARE(dg.StopButt->x(), dg.frameGeometry().width() / 2 - 75 / 2);
         dg.StopButt->click();
         h.program->Form().AlarmSettings.Snooze = true;
         QVERIFY(rung(h, "again").SnoozeButt->isVisible() && dg.SnoozeButt->isEnabled());
     },
     nullptr, "Snooze=0\n"},
    {"Snooze, then Done when it rings again: each closes it and is saved",
     [](Harness& h) {
         TMessageDg& dg = rung(h, "tea");
         QTest::mouseClick(dg.SnoozeButt, Qt::LeftButton);
         QVERIFY(!dg.isVisible());
         QCOMPARE(h.file()[613], '\1');                                     // still pending
         h.program->Form().CheckState.LastCheck = at(2026, 3, 1, 9, 4, 56); // no gap
         h.clock.set(at(2026, 3, 1, 9, 5, 6));
         h.program->Cycle().Timer1Timer();
         QTest::mouseClick(dg.StopButt, Qt::LeftButton);
         QVERIFY(!dg.isVisible() && !h.program->Form().Timer2->isActive());
         QCOMPARE(h.file().mid(613, 2), QByteArray("\0\1", 2)); // answered, rung
         QCOMPARE(h.tray->image, LoadIcon("MAINICON").pixmap(32, 32).toImage());
         QVERIFY(h.messages.shown.isEmpty());
     }},
    {"at the first check a passed alarm waits in a modal notice, until Done",
     [](Harness& h) {
         h.list().Append(NewAlarm(akDaily, at(2026, 12, 2, 9), "missed"));
         TMessageDg& dg = h.program->Notice();
         bool modal = false;
         QTimer::singleShot(0, &dg, [&] {
             modal = dg.isVisible() && dg.isModal();
             dg.StopButt->click();
         });
         h.program->Form().Timer1Timer();
         QVERIFY(modal && !dg.isVisible());
         QCOMPARE(h.file().mid(613, 2), QByteArray("\0\1", 2)); // answered, rung
     }},
    {"Escape and the title bar's close box answer nothing; minimised, it is brought back",
     [](Harness& h) {
         TMessageDg& dg = rung(h, "a message of some length");
         QVERIFY(QTest::qWaitForWindowExposed(&dg));
         QWidget other; // a notice the user left alone stays where it is at the next check
         other.show();
         QVERIFY(QTest::qWaitForWindowActive(&other));
         h.program->Cycle().Timer1Timer();
         QCoreApplication::processEvents();
         QCOMPARE(QApplication::activeWindow(), &other);
         h.sound().log.clear();
         QTest::keyClick(&dg, Qt::Key_Escape);
         QVERIFY(dg.isVisible());
         dg.showMinimized();
         QVERIFY(dg.Hidden());
         h.program->Cycle().Timer1Timer(); // the next check
         QVERIFY(dg.isVisible() && !dg.Hidden());
         dg.close(); // a persistent sound would go on
         QVERIFY(!dg.isVisible() && h.list()[0].SnoozePending && h.sound().log.isEmpty());
         QVERIFY(h.program->Form().Timer2->isActive());
     }},
};

} // namespace

class NoticeTest : public QObject {
    Q_OBJECT

private slots:
    void notice_data() { AddTableRows(Notice); }
    void notice() { RunRow(Notice); }

    // The user's file in the data folder, else the one beside the program, else the
    // built-in sound; each looping for a persistent sound, also where the file the user
    // chose cannot be played and the built-in sound stands in.
    void soundFilesComeFromTheDataOrProgramFolderOrTheBuiltInSound() {
        QTemporaryDir data, program;
        for (const QString& file : {data.path() + "/bell.wav", program.path() + "/alarm.wav"})
            QFile::copy(TQtSoundPlayer::DefaultSound.mid(3), file);
        TQtSoundPlayer player({data.path(), program.path()});
        for (auto [file, played, loop] : {std::tuple{"bell.wav", data.path() + "/bell.wav", true},
                                          {"alarm.wav", program.path() + "/alarm.wav", false},
                                          {"no-such-sound.wav", TQtSoundPlayer::DefaultSound, true},
                                          {"bell.wav", data.path() + "/bell.wav", true}}) {
            player.Play(file, loop);
            QVERIFY(player.Source().toString(QUrl::PreferLocalFile) == played &&
                    player.Looping() == loop);
            QTRY_VERIFY_WITH_TIMEOUT(!player.Loading(), 10000); // see below
        }
        player.LoadFailed(); // as Qt reports a file it cannot decode
        QVERIFY(player.Source() == QUrl(TQtSoundPlayer::DefaultSound) && player.Looping());
        player.Stop();
        // WORKAROUND: a QSoundEffect destroyed while Qt 6.4 still reads its sound in the
        // sample cache's thread can leave that thread's objects behind, or hang the
        // process at exit; let the reading end first.
        QTRY_VERIFY_WITH_TIMEOUT(!player.Loading(), 10000);

        // Without the sound module (the real one is heard in tray_e2e.sh): reported once.
        TSoundModulePlayer missing("/nonexistent/tockwell", {"/opt/tockwell/"});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("sound module could not be loaded"));
        missing.Play("alarm.wav", true);
        QVERIFY(!missing.Loaded() && missing.Error().contains("tockwell_sound"));
        QTest::failOnWarning(QRegularExpression("sound module"));
        missing.Play("alarm.wav", true);
    }

    // A full disc at exit: the box about the failed save keeps the event loop going, and
    // the timers must find nothing left to run by then.
    void aFailedSaveAtExitShowsItsBoxAndEndsWithTheLastGoodFile() {
        Harness h;
        rung(h, "kept", akDaily);
        h.program->SaveList();
        const QByteArray good = h.file();
        h.program->Form().Timer1->setInterval(1);
        h.program->Form().Timer2->setInterval(1);
        h.messages.whileShown = [](const TMessage&) {
            QTest::qWait(30);
        };
        {
            FileSizeLimit full(0);
            h.program->Shutdown();
        }
        QCOMPARE(h.messages.shown.size(), 1);
        QVERIFY(h.messages.shown[0].text.contains("could not be saved"));
        QCOMPARE(h.file(), good);
    }
};

TOCKWELL_WINDOW_TEST_MAIN(NoticeTest)
#include "NoticeTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"
#include "Icons.h"
#include "MsgDg.h"
#include "ProgramHarness.h"
#include "Sound.h"
#include "SoundModule.h"
#include "WindowTestMain.h"

#include <QtTest>
#include <QtWidgets>

class NoticeTest : public QObject {
    Q_OBJECT

    TFakeSound sound;

    // The program with one alarm that a normal check rings at 09:00:04.
    std::unique_ptr<Harness> ring(const QByteArray& text, const QByteArray& ini = {},
                                  std::int32_t kind = akOneOff) {
        auto h = std::make_unique<Harness>("", ini, &sound);
        h->ring(text, kind);
        sound.log.clear();
        return h;
    }

private slots:
    void sizeFollowsTheMessageLength() {
        for (auto [length, height, buttonTop] : {std::tuple{14, 98, 36},
                                                 {15, 158, 96},
                                                 {59, 158, 96},
                                                 {60, 198, 136},
                                                 {600, 198, 136}}) {
            auto h = ring(QByteArray(length, 'm'));
            TMessageDg& dg = h->program->Notice();
            QVERIFY(dg.isVisible() && (dg.windowFlags() & Qt::WindowStaysOnTopHint));
            // Outer heights for a frame of 28 pixels; this desktop's frame comes on top.
            QCOMPARE(dg.height(), height - 28);
            QCOMPARE(dg.SnoozeButt->geometry().topLeft(), QPoint(120, buttonTop)); // Done beside it
            QCOMPARE(dg.Txt->verticalScrollBar()->value(), 0); // the date and time first
            QCOMPARE(dg.focusWidget(), dg.StopButt);
        }
        auto h = ring("short", "Snooze=0\n"); // without snooze: Done alone, centred
        TMessageDg& dg = h->program->Notice();
        QVERIFY(dg.SnoozeButt->isHidden());
        QCOMPARE(dg.StopButt->x(), dg.frameGeometry().width() / 2 - 75 / 2);
    }

    void escapeAndTheCloseBoxAnswerNothing() {
        auto h = ring("a message of some length");
        const auto rec = h->list().At(0);
        TMessageDg& dg = h->program->Notice();
        QVERIFY(QTest::qWaitForWindowExposed(&dg));
        QTest::keyClick(&dg, Qt::Key_Escape);
        QVERIFY(dg.isVisible());
        dg.close(); // the title bar's close box: a persistent sound would go on
        QVERIFY(!dg.isVisible() && rec->SnoozePending && sound.log.isEmpty());
        QVERIFY(h->program->Form().Timer2->isActive()); // Enter on Done: desktop_e2e.sh
    }

    // Minimised or rolled up by the window manager, a catch-up's modal notice comes back
    // at the next check and still waits for its answer.
    void aHiddenNoticeComesBackAtTheNextCheckAndStillWaits() {
        Harness h("", {}, &sound);
        h.list().Append(NewAlarm(akDaily, at(2026, 3, 1, 9), "out of sight"));
        h.clock.set(at(2026, 3, 1, 9, 0, 4));
        bool hidden = false, waited = false, returned = false;
        QTimer::singleShot(0, [&] {
            TMessageDg& dg = h.program->Notice();
            dg.showMinimized();
            hidden = dg.Hidden();
            h.program->Cycle().Timer1Timer();
            QTimer::singleShot(50, &dg, [&] {
                waited = !returned && dg.isVisible() && !dg.Hidden();
                dg.StopButt->click();
            });
        });
        h.program->Cycle().Timer1Timer(); // the first check after start: modal
        returned = true;
        QVERIFY(hidden && waited);
    }

    // The bell swings in the notification area and comes back with Done. Each check
    // that finds an alarm due while the notice waits asks for the animation again: it
    // goes on at its pace rather than starting its second over.
    void theAnimationReachesTheTrayAndKeepsItsPaceWhileANoticeWaits() {
        auto h = ring("first");
        const QImage bell = LoadIcon("MAINICON").pixmap(32, 32).toImage();
        QCOMPARE(h->tray->image, bell);
        h->program->Cycle().Timer2Timer();
        QCOMPARE(h->tray->image, LoadIcon("ICON_1").pixmap(32, 32).toImage());
        QVERIFY(h->tray->image != bell);
        QTimer* timer2 = h->program->Form().Timer2;
        h->list().Append(NewAlarm(akDaily, at(2026, 3, 1, 9), "second"));
        QTRY_VERIFY(timer2->remainingTime() < 990); // some of the second has gone
        const int remaining = timer2->remainingTime();
        h->program->Cycle().Timer1Timer();
        QVERIFY(timer2->isActive());
        QVERIFY2(timer2->remainingTime() <= remaining,
                 qPrintable(QString::number(timer2->remainingTime())));
        h->program->Notice().StopButt->click(); // Done
        QCOMPARE(h->tray->image, bell);
    }

    // The user's file in the data folder, else the one beside the program, else the
    // built-in sound; each looping for a persistent sound, also where the file the user
    // chose cannot be played and the built-in sound stands in.
    void soundFilesComeFromTheDataOrProgramFolderOrTheBuiltInSound() {
        QTemporaryDir data, program;
        for (const QString& file : {data.path() + "/bell.wav", program.path() + "/bell.wav",
                                    program.path() + "/alarm.wav"})
            QFile::copy(TQtSoundPlayer::DefaultSound.mid(3), file);
        TQtSoundPlayer player({data.path(), program.path()});
        for (auto [file, played] : {std::pair{"bell.wav", data.path() + "/bell.wav"},
                                    {"alarm.wav", program.path() + "/alarm.wav"},
                                    {"no-such-sound.wav", TQtSoundPlayer::DefaultSound}})
            for (bool loop : {true, false}) {
                player.Play(file, loop);
                QCOMPARE(player.Source().toString(QUrl::PreferLocalFile), played);
                QCOMPARE(player.Looping(), loop);
                QTRY_VERIFY_WITH_TIMEOUT(!player.Loading(), 10000); // see below
            }
        player.Play("bell.wav", true);
        player.LoadFailed(); // as Qt reports a file it cannot decode
        QCOMPARE(player.Source(), QUrl(TQtSoundPlayer::DefaultSound));
        QVERIFY(player.Looping());
        player.Stop();
        // WORKAROUND: a QSoundEffect destroyed while Qt 6.4 still reads its sound in the
        // sample cache's thread can leave that thread's objects behind, or hang the
        // process at exit; let the reading end first.
        QTRY_VERIFY_WITH_TIMEOUT(!player.Loading(), 10000);

        // Without the sound module (the real one is heard in notice_e2e.sh): reported once.
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
        auto h = ring("kept", {}, akDaily);
        h->program->SaveList();
        const QByteArray good = h->file();
        h->program->Form().Timer1->setInterval(1);
        h->program->Form().Timer2->setInterval(1);
        h->messages.whileShown = [](const TMessage&) {
            QTest::qWait(30);
        };
        {
            FileSizeLimit full(0);
            h->program->Shutdown();
        }
        QCOMPARE(h->messages.shown.size(), 1);
        QVERIFY(h->messages.shown[0].text.contains("could not be saved"));
        QCOMPARE(h->file(), good);
    }
};

TOCKWELL_WINDOW_TEST_MAIN(NoticeTest)
#include "NoticeTest.moc"

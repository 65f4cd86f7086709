// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutD.h"
#include "AppInfo.h"
#include "HelpWindow.h"
#include "Icons.h"
#include "MsgDg.h"
#include "OnlyOne.h"
#include "Options.h"
#include "ProgramHarness.h"
#include "QtMessageService.h"
#include "RecordBytes.h"
#include "WindowTestMain.h"

#include <QtTest>
#include <QtWidgets>
#include <csignal>

namespace {

// The main form's rows: its bell, its menu, its ten-second check and a second start,
// over a tray whose host is there or not.
bool statShown(Harness& h) {
    return h.program->HasStatWnd() && h.stat().isVisible();
}

const HarnessRow Bell[] = {
    {"the bell's tooltip; a click on it, and the menu's About, Alarms Window, Options and Help",
     [](Harness& h) {
         TTrayIconForm& f = h.program->Form();
         QTRY_VERIFY(h.tray->calls->contains("modify " + TTrayIconForm::ToolTipText));
         QCOMPARE(f.Help1->shortcut(), QKeySequence(Qt::Key_F1)); // shown in the menu
         f.TrayIcon1->Activated(QSystemTrayIcon::Trigger);
         QVERIFY(statShown(h));
         h.stat().hide();
         f.About->trigger();
         QVERIFY(h.program->AboutDg().isVisible() &&
                 !h.program->AboutDg().Image1->pixmap().isNull());
         QTest::mouseClick(h.program->AboutDg().OK, Qt::LeftButton);
         QVERIFY(!h.program->AboutDg().isVisible() && h.messages.shown.isEmpty());
         f.AlarmsWindow1->trigger();
         f.Configure1->trigger();
         QVERIFY(statShown(h) && h.program->OptionsDg().isVisible());
         f.Help1->trigger();
         QVERIFY(h.help.Window() && h.help.Window()->isVisible());
     }},
    {"the check looks for a tray host and rings, no alarms window; the tray gone, a second start "
     "opens it",
     [](Harness& h) {
         h.list().Append(NewAlarm(akOneOff, at(2026, 12, 2, 10), "due"));
         h.program->Form().CheckState.FirstCheck = false;
         h.program->Form().Timer1Timer();
         QVERIFY(h.program->Notice().isVisible() && !statShown(h));
         QVERIFY(h.tray->calls->contains("look for a host"));
         h.tray->shown = false; // the panel has gone
         h.program->Form().SecondCopyStarted(AppTitle);
         QVERIFY(statShown(h));
     }},
    {"without a tray, the first check opens the alarms window, and only the first",
     [](Harness& h) {
         h.tray->shown = false;
         h.program->Form().Timer1Timer();
         QVERIFY(statShown(h));
         QTest::mouseClick(h.stat().BitBtn3, Qt::LeftButton);
         h.program->Form().Timer1Timer();
         QVERIFY(!statShown(h));
     }},
    {"a second start with the bell shown opens no window, brings a minimised one forward",
     [](Harness& h) {
         h.program->Form().SecondCopyStarted(AppTitle);
         QVERIFY(!statShown(h));
         h.stat().showMinimized();
         h.program->Form().SecondCopyStarted(AppTitle);
         QVERIFY(!h.stat().isMinimized());
         QTRY_COMPARE(QApplication::activeWindow(), &h.stat());
     }},
    {"the ends save, a daily alarm's Rung cleared, after the clean-up of a spent one-off",
     [](Harness& h) {
         h.ring("spent");
         h.program->Notice().StopButt->click();
         h.list().Append(NewAlarm(akDaily, at(2026, 3, 1, 8), "daily"));
         h.list().At(1)->Rung = true;
         const QByteArray daily = // up to its last ring
             RecordBytes{.alarmTime = at(2026, 3, 1, 8), .kind = akDaily, .text = "daily"}
                 .build()
                 .left(616);
         h.program->Form().SaveForExit();
         QCOMPARE(h.file().mid(624, 616), daily);
         WriteBytes(h.path("Tockwell.alarms"), "");
         h.program.reset();
         QCOMPARE(h.file().left(616), daily);
         QCOMPARE(h.file().size(), 624);
     }},
    {"the alarms load earliest first, and a damaged file is reported once they are",
     [](Harness&) {
         Harness d(RecordBytes{.alarmTime = at(2027, 1, 2), .text = "later"}.build() +
                   RecordBytes{.alarmTime = at(2027, 1, 1), .text = "sooner"}.build() + "junk");
         QCOMPARE(d.list()[0].Text, QByteArray("sooner"));
         QCOMPARE(d.messages.shown.value(0).text, TAlarmFile::MsgReadFailed + ".");
     }},
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;

private slots:
    void bell_data() { AddTableRows(Bell); }
    void bell() { RunRow(Bell); }

    // The help window: a topic chosen shows its page; the search keeps the topics whose
    // title or page holds every word, in any case.
    void helpWindow() {
        THelpWindow w;
        auto* topics = w.findChild<QListWidget*>();
        emit topics->itemClicked(topics->item(6));
        QCOMPARE(w.CurrentPage(), QString("backup.html"));
        for (auto [words, found] : {std::pair{"Restore FOLDER", QStringList{"backup.html"}},
                                    {"restore", QStringList{"options.html", "backup.html"}}}) {
            w.SearchBox()->setText(words);
            QCOMPARE(w.VisibleTopics(), found);
        }
        w.SearchBox()->clear();
        QCOMPARE(w.VisibleTopics().size(), 8);
    }

    // One copy per user: a second finds the lock, asks the first to raise its window and
    // must end; once the first has ended, or was killed, the next start runs.
    void aSecondCopyAsksTheFirstAndEnds() {
        const QString title =
            QStringLiteral("Tockwell test %1").arg(QCoreApplication::applicationPid());
        QStringList raised;
        {
            TOnlyOne first(title);
            connect(&first, &TOnlyOne::RaiseRequested, [&](const QString& t) { raised << t; });
            QVERIFY(!first.SecondCopy());
            QVERIFY(TOnlyOne(title).SecondCopy());
            QTRY_COMPARE(raised, QStringList{title.left(30)});
            QVERIFY(!TOnlyOne(title, false).SecondCopy()); // not enforced: runs beside it
        }
        QVERIFY(!TOnlyOne(title).SecondCopy());
        QCOMPARE(TOnlyOne::MarkerFor("Tockwell, a reminder program"),
                 "OnlyOneTockwell, a reminder");
        // A copy killed with -9 left its lock, which names a process that has gone.
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForStarted());
        const QByteArray lock = QByteArray::number(gone.processId()) + "\ntrue\n" +
                                QSysInfo::machineHostName().toUtf8() + '\n' +
                                QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() +
                                '\n';
        QVERIFY(gone.waitForFinished());
        const QString lockPath =
            TOnlyOne::RuntimeFolder() + '/' + TOnlyOne::MarkerFor(title) + ".lock";
        QVERIFY(WriteBytes(lockPath, lock));
        QVERIFY(!TOnlyOne(title).SecondCopy());
    }

    // The real message box: the text as plain text with the program's line breaks, Yes and
    // No with Yes the default and Escape No; an error's box has its one button.
    void theMessageBoxShowsTheTextAndAnswers() {
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box && box->textFormat() == Qt::PlainText && box->buttons().size() == 2);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            text = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(QtMessageService().Show(Question("<b>File</b> backed up as \r/tmp")),
                 TMsgAnswer::No);
        QCOMPARE(text, QString("<b>File</b> backed up as \n/tmp"));
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box && box->buttons().size() == 1 && box->icon() == QMessageBox::Critical);
            box->buttons()[0]->click();
        });
        QTest::ignoreMessage(QtWarningMsg, "Tockwell: The disc is full."); // kept in the log
        QCOMPARE(QtMessageService().Show(ErrorBox("The disc is full")), TMsgAnswer::Ok);
    }

    // A box at start-up (damaged settings or alarms) runs before the event loop does; an
    // end asked for meanwhile is kept. Only a hang reaches a loop's minute, which ends with 1.
    void anEndAskedForBeforeTheEventLoopRunsIsKept() {
        const auto runLoop = [] {
            QObject guard;
            QTimer::singleShot(60000, &guard, [] { QCoreApplication::exit(1); });
            return RunEventLoop();
        };
        QTemporaryDir dir;
        TIniStore settings(dir.path() + "/Tockwell.ini");
        TTrayIconForm form({.messages = messages,
                            .settingsBackend = settings,
                            .trayBackend = std::make_unique<FakeTray>(),
                            .executablePath = dir.path() + "/tockwell",
                            .userDataFolder = dir.path()});
        messages.answers = {TMsgAnswer::No, TMsgAnswer::Yes};
        form.Close1->trigger(); // Exit, No: nothing changes
        QVERIFY(!QuitRequested() && form.Timer1->isActive());
        form.Close1->trigger(); // Yes, before the loop runs
        QVERIFY(QuitRequested());
        QCOMPARE(runLoop(), 0);
        QVERIFY(!QuitRequested());
        messages.answers = {TMsgAnswer::Yes}; // and Yes while the loop runs ends it
        QTimer::singleShot(0, form.Close1, &QAction::trigger);
        QCOMPARE(runLoop(), 0);
        // SIGTERM while a box waits for its OK: the box closes, the end is kept.
        QuitOnTerminationSignals();
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        bool hung = false;
        QObject guard;
        QTimer::singleShot(60000, &guard, [&hung] {
            hung = true;
            QApplication::activeModalWidget()->close();
        });
        QtMessageService().Show(ErrorBox("The settings file could not be read"));
        QVERIFY(!hung);
        QCOMPARE(runLoop(), 0);
    }

    // The icon reaches the notification area as it is switched on and off; added without a
    // tooltip, it sends the one set meanwhile at the next event processing. On XEmbed Qt
    // reports a double click's second click as the double click alone: it is a click too.
    void theIconInTheNotificationArea() {
        for (bool sni : {false, true}) {
            auto* tray = new FakeTray;
            tray->showsMenu = sni;
            const std::shared_ptr<QStringList> calls = tray->calls;
            int clicks = 0;
            {
                TTrayIcon icon(nullptr, std::unique_ptr<FakeTray>(tray));
                icon.SetActive(true);
                icon.SetToolTip("Tockwell");
                QCoreApplication::processEvents();
                icon.OnClick = [&clicks] {
                    ++clicks;
                };
                icon.Activated(QSystemTrayIcon::Trigger);
                icon.Activated(QSystemTrayIcon::DoubleClick);
                icon.SetActive(false);
                icon.SetToolTip("kept while off");
                icon.SetActive(true);
                QCOMPARE(*calls, (QStringList{"add ", "modify Tockwell", "modify Tockwell",
                                              "delete", "add kept while off"}));
            }
            QVERIFY(calls->last() == "delete" && clicks == (sni ? 1 : 2)); // gone with the program
        }
    }

    // The pictures, read without QImageReader, are the ones QImageReader reads, at
    // both their sizes.
    void picturesByName() {
        for (const char* name : {"MAINICON", "ICON_1", "ICON_6", "BTN_ADD", "BTN_CLOSE_GREY"})
            for (const char* size : {"", "@2x"}) {
                QImage read(QStringLiteral(":/icons/%1%2.xpm").arg(name, size));
                read.setDevicePixelRatio(1); // a pixmap of the icon's at that size
                QCOMPARE(LoadIcon(name)
                             .pixmap(read.size())
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32),
                         read.convertToFormat(QImage::Format_ARGB32));
            }
        QVERIFY(LoadIcon("ICON_7").isNull());
    }

    // A program folder the user may write to holds the alarms only when it has them.
    void alarmsLiveBesideTheProgramOnlyWhereTheyAlreadyAre() {
        QTemporaryDir program, home;
        const QString data = home.path() + "/share/Ostrand/Tockwell";
        QCOMPARE(TTrayIconForm::DataFolderFor(program.path() + "/", data), data + "/");
        QVERIFY(QFileInfo(data).isDir());
        QVERIFY(WriteBytes(program.path() + "/Tockwell.alarms", ""));
        QCOMPARE(TTrayIconForm::DataFolderFor(program.path() + "/", data), program.path() + "/");
    }

    // F1, as it is pressed, opens the topic of the focused window in front of it (about has
    // none: no help); Help in the menu opens the contents, the focus in the search box.
    void f1OpensTheTopicOfTheFocusedWindow() {
        THelp help;
        help.InstallF1();
        QWidget alarms, about;
        alarms.setProperty(THelp::ContextProperty, 80);
        for (QWidget* w : {&about, &alarms}) {
            auto* edit = new QLineEdit(w);
            w->show();
            QVERIFY(QTest::qWaitForWindowActive(w));
            edit->setFocus();
            QTest::keyPress(edit, Qt::Key_F1);
            QCOMPARE(help.Window() && help.Window()->isVisible(), w == &alarms);
            QTest::keyRelease(edit, Qt::Key_F1);
        }
        QCOMPARE(help.Window()->CurrentPage(), QString("alarms.html"));
        QTRY_COMPARE(QApplication::activeWindow(), help.Window());
        help.Window()->findChild<QListWidget*>()->setFocus();
        about.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        help.ShowFinder();
        QCOMPARE(help.Window()->CurrentPage(), QString("contents.html"));
        QTRY_COMPARE(QApplication::activeWindow(), help.Window());
        QCOMPARE(QApplication::focusWidget(), help.Window()->SearchBox());
        for (int n : {1, 40, 80, 90})
            QVERIFY(help.ShowContext(n));
        QVERIFY(!help.ShowContext(5));
    }

    void anErrorThrownInAHandlerIsShownAndTheProgramGoesOn() {
        static_cast<TApplication*>(qApp)->SetErrorMessages(&messages);
        bool after = false;
        QTimer::singleShot(0, [] { throw EInOutError("The disc is full"); });
        QTimer::singleShot(10, [&] { after = true; });
        QTRY_VERIFY(after);
        QCOMPARE(messages.shown.last(),
                 (TMessage{"The disc is full.", "Tockwell", TMsgIcon::Stop, TMsgButtons::Ok}));
        QTimer::singleShot(0, [] { throw std::runtime_error("out of memory"); });
        QTRY_COMPARE(messages.shown.last().text, QString("out of memory."));
        static_cast<TApplication*>(qApp)->SetErrorMessages(nullptr);
    }
};

TOCKWELL_WINDOW_TEST_MAIN(ShellTest)
#include "ShellTest.moc"

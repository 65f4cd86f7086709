#include "AlarmFile.h"
#include "Application.h"
#include "Errors.h"
#include "FakeTray.h"
#include "Fakes.h"
#include "Help.h"
#include "HelpWindow.h"
#include "Icons.h"
#include "QtMessageService.h"
#include "QtTestMain.h"
#include "ScriptedMessages.h"
#include "TrayIconForm.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>

class TrayIconFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    TMemoryStore settings;
    ScriptedMessages messages;
    QStringList trayLog;

    std::unique_ptr<TTrayIconForm> makeForm() {
        trayLog.clear();
        return std::make_unique<TTrayIconForm>(
            TTrayIconForm::Services{.messages = messages,
                                    .settingsBackend = settings,
                                    .trayBackend = std::make_unique<FakeTray>(&trayLog),
                                    .executablePath = dir.path() + "/tockwell",
                                    .userDataFolder = dir.path()});
    }

private slots:
    void startsHiddenWithItsIconMenuAndTimers() {
        settings.PutText("Tockwell", "Snooze", "0");
        auto form = makeForm();
        QCOMPARE(form->windowTitle(), QString("Tockwell"));
        QVERIFY(!form->isVisible());
        QVERIFY(form->windowFlags() & Qt::Tool);
        QCOMPARE(THelp::ContextOf(form.get()), 1);
        QCOMPARE(form->ProgramDir, dir.path() + "/");
        QVERIFY(form->AlarmList && form->AlarmList->IsEmpty());
        QVERIFY(!form->AlarmSettings.Snooze); // settings read at creation
        QVERIFY(form->TrayIcon1->Active());
        QCOMPARE(form->TrayIcon1->ToolTip(), TTrayIconForm::ToolTipText);
        QVERIFY(!form->TrayIcon1->Icon().isNull());
        QCOMPARE(form->TrayIcon1->PopupMenu, form->PMenu); // its entries: desktop_e2e.sh
        QVERIFY(form->Timer1->isActive());
        QVERIFY(!form->Timer2->isActive());
        QVERIFY(form->CheckState.FirstCheck);
    }

    void menuWindowsOpenOnceTheyExist() {
        auto form = makeForm();
        QVERIFY(!form->AlarmsWindow1->isEnabled());
        int shown = 0;
        form->SetStatWnd([&] { ++shown; });
        QVERIFY(form->AlarmsWindow1->isEnabled());
        form->TrayIcon1->Activated(QSystemTrayIcon::Trigger);
        form->AlarmsWindow1->trigger();
        QCOMPARE(shown, 2);
    }

    void exitAsksFirst() {
        auto form = makeForm();
        int quits = 0;
        form->Quit = [&] {
            ++quits;
        };
        messages.shown.clear();
        messages.answers = {TMsgAnswer::No};
        form->Close1->trigger();
        QCOMPARE(quits, 0);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0],
                 (TMessage{"Close Tockwell? No more alarms will be shown until you restart",
                           "Tockwell", TMsgIcon::Question, TMsgButtons::YesNo}));
        QVERIFY(form->Timer1->isActive());
        messages.answers = {TMsgAnswer::Yes};
        form->Close1->trigger();
        QCOMPARE(quits, 1);
    }

    void theEndWritesTheListAsItLeaves() {
        auto form = makeForm();
        for (std::int32_t kind : {akOneOff, akDaily}) {
            TAlarmRec rec = NewAlarm(kind, 46000.5 + kind, "x");
            rec.Rung = true;
            form->AlarmList->Append(rec);
        }
        form.reset();
        TAlarmFile file(dir.path() + "/");
        AlarmList saved;
        file.LoadList(saved);
        QCOMPARE(saved.Count(), 2);
        QVERIFY(saved[0].Rung && !saved[1].Rung);
        QCOMPARE(trayLog.last(), QString("delete"));
    }

    // A box at start-up (damaged settings or alarms) runs before the event loop does.
    void anEndAskedForBeforeTheEventLoopRunsIsKept() {
        // Nothing here may leave the loop waiting: after three seconds it ends with 1.
        const auto runLoop = [] {
            QTimer failsafe;
            failsafe.setSingleShot(true);
            QObject::connect(&failsafe, &QTimer::timeout, [] { QCoreApplication::exit(1); });
            failsafe.start(3000);
            return RunEventLoop();
        };
        auto form = makeForm();
        messages.answers = {TMsgAnswer::Yes};
        form->Close1->trigger(); // Exit program, Yes
        QCOMPARE(runLoop(), 0);
        QVERIFY(!QuitRequested());

        // SIGTERM while a box waits for its OK: the box closes, the end is kept.
        QuitOnTerminationSignals();
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        QTimer::singleShot(3000, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        QElapsedTimer waited;
        waited.start();
        QtMessageService().Show(ErrorBox("The settings file could not be read"));
        QVERIFY(waited.elapsed() < 2000);
        QCOMPARE(runLoop(), 0);
    }

    void withoutAnIconInSightTheAlarmsWindowIsTheWayIn() {
        for (bool iconAtFirstTick : {true, false}) {
            auto tray = std::make_unique<FakeTray>(&trayLog);
            FakeTray* host = tray.get();
            host->shown = iconAtFirstTick;
            TTrayIconForm form(TTrayIconForm::Services{.messages = messages,
                                                       .settingsBackend = settings,
                                                       .trayBackend = std::move(tray),
                                                       .executablePath = dir.path() + "/tockwell",
                                                       .userDataFolder = dir.path()});
            int shown = 0;
            form.SetStatWnd([&] { ++shown; });
            form.Timer1Timer();
            QCOMPARE(shown, iconAtFirstTick ? 0 : 1);
            host->shown = !iconAtFirstTick;
            form.Timer1Timer(); // only the first tick looks
            QCOMPARE(shown, iconAtFirstTick ? 0 : 1);
            // A second start: the alarms window while no icon shows, else only a raise.
            form.SecondCopyStarted("Tockwell");
            QCOMPARE(shown, 1); // opened now, or at the first tick and only raised now
        }
    }

    void programFolderOfAPath() {
        QCOMPARE(TTrayIconForm::ProgramDirOf("/opt/tockwell/tockwell"), QString("/opt/tockwell/"));
        QCOMPARE(TTrayIconForm::ProgramDirOf("/tockwell"), QString("/"));
        QCOMPARE(TTrayIconForm::ProgramDirOf("tockwell"), QString());
    }

    // Installed for everyone, the program's folder is no place for a user's alarms;
    // one that already holds them (a portable copy, an older install) keeps them.
    void alarmsLiveInTheUserDataFolderUnlessTheProgramFolderHoldsThem() {
        QTemporaryDir install, home;
        const QString data = home.path() + "/.local/share/Ostrand/Tockwell";
        TTrayIconForm fresh(
            TTrayIconForm::Services{.messages = messages,
                                    .settingsBackend = settings,
                                    .trayBackend = std::make_unique<FakeTray>(&trayLog),
                                    .executablePath = install.path() + "/tockwell",
                                    .userDataFolder = data});
        QCOMPARE(fresh.InstallDir, install.path() + "/");
        QCOMPARE(fresh.ProgramDir, data + "/");
        QVERIFY(QFileInfo(data).isDir());
        QCOMPARE(fresh.DataFile->Path(), data + "/Tockwell.alarms");
        QVERIFY(!QFile::exists(install.path() + "/Tockwell.alarms"));

        QFile(install.path() + "/Tockwell.alarms").open(QIODevice::WriteOnly);
        QCOMPARE(TTrayIconForm::DataFolderFor(install.path() + "/", data), install.path() + "/");
    }
};

class HelpAndIconsTest : public QObject {
    Q_OBJECT

private slots:
    void iconsByName() {
        for (const char* name :
             {"MAINICON", "ICON_1", "ICON_2", "ICON_3", "ICON_4", "ICON_5", "ICON_6"}) {
            const QIcon icon = LoadIcon(name);
            QVERIFY2(!icon.isNull(), name);
            QCOMPARE(icon.availableSizes().value(0), QSize(32, 32));
        }
        QVERIFY(LoadIcon("ICON_7").isNull());
        QVERIFY(LoadIcon("").isNull());
    }

    void f1OpensTheTopicOfTheFocusedWindow() {
        THelp help;
        help.InstallF1();
        QWidget alarms;
        alarms.setProperty(THelp::ContextProperty, 80);
        auto* edit = new QLineEdit(&alarms);
        alarms.show();
        edit->setFocus();
        QVERIFY(QTest::qWaitForWindowExposed(&alarms));
        QCOMPARE(THelp::ContextOf(edit), 80);
        QTest::keyClick(edit, Qt::Key_F1);
        QVERIFY(help.Window() && help.Window()->isVisible());
        QCOMPARE(help.Window()->CurrentPage(), QString("alarms.html"));
        help.Window()->hide();

        QWidget about; // no number: F1 does nothing
        auto* button = new QLineEdit(&about);
        about.show();
        button->setFocus();
        QTest::keyClick(button, Qt::Key_F1);
        QVERIFY(!help.Window()->isVisible());

        for (int n : {1, 40, 80, 90})
            QVERIFY(help.ShowContext(n));
        QVERIFY(!help.ShowContext(5));
    }

    void finderSearchesThePages() {
        THelp help;
        help.ShowFinder();
        QCOMPARE(help.Window()->CurrentPage(), QString("contents.html"));
        QCOMPARE(help.Window()->VisibleTopics().size(), 8);
        help.Window()->SearchBox()->setText("leap years");
        QCOMPARE(help.Window()->VisibleTopics(), QStringList{"addalarm.html"});
        help.Window()->SearchBox()->setText("no such words here");
        QVERIFY(help.Window()->VisibleTopics().isEmpty());
    }
};

class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyRestoresTheVisibleWindow() {
        QWidget hidden;
        hidden.setWindowTitle("Tockwell");
        QWidget shown;
        shown.setWindowTitle("Tockwell");
        shown.showMinimized();
        QVERIFY(shown.isMinimized());
        RaiseVisibleWindow("Tockwell");
        QVERIFY(!shown.isMinimized());
        QVERIFY(!hidden.isVisible());
        RaiseVisibleWindow("No such window"); // nothing to do, nothing breaks
    }

    void errorThrownInAHandlerIsShownAndTheProgramGoesOn() {
        ScriptedMessages messages;
        static_cast<TApplication*>(qApp)->SetErrorMessages(&messages);
        bool after = false;
        QTimer::singleShot(0, [] { throw EInOutError("The disc is full"); });
        QTimer::singleShot(10, [&] { after = true; });
        QTRY_VERIFY(after);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0],
                 (TMessage{"The disc is full.", "Tockwell", TMsgIcon::Stop, TMsgButtons::Ok}));
        static_cast<TApplication*>(qApp)->SetErrorMessages(nullptr);
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName("Tockwell");
    TrayIconFormTest form;
    HelpAndIconsTest help;
    ErrorBoxTest errors;
    return RunTestObjects({&form, &help, &errors}, argc, argv);
}
#include "ShellTest.moc"

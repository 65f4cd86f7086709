#include "FakeTray.h"
#include "OnlyOne.h"
#include "QtTestMain.h"
#include "TrayIcon.h"

#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TrayIconTest : public QObject {
    Q_OBJECT

    QStringList log;
    FakeTray* host = nullptr;
    std::unique_ptr<TTrayIcon> make() {
        log.clear();
        auto tray = std::make_unique<FakeTray>(&log);
        host = tray.get();
        return std::make_unique<TTrayIcon>(nullptr, std::move(tray));
    }
    static QIcon someIcon() {
        QPixmap p(16, 16);
        p.fill(Qt::red);
        return QIcon(p);
    }

private slots:
    void toolTipIsCutToSixtyTwoCharacters() {
        auto icon = make();
        icon->SetToolTip(QString(62, u'a'));
        QCOMPARE(icon->ToolTip().size(), 62);
        icon->SetToolTip(QString(62, u'b') + u'c');
        QCOMPARE(icon->ToolTip(), QString(62, u'b'));
    }

    void nothingIsSentWhileInactive() {
        auto icon = make();
        icon->SetToolTip("tip");
        icon->SetIcon(someIcon());
        QVERIFY(log.isEmpty());
        icon->SetActive(true);
        QCOMPARE(log, QStringList{"add tip"});
        icon->SetActive(true);
        QCOMPARE(log.size(), 1); // the same value again sends nothing
        QCoreApplication::processEvents();
        QCOMPARE(log.size(), 1); // added with a tooltip: no refresh
        icon->SetActive(false);
        QCOMPARE(log.last(), QString("delete"));
        icon.reset(); // destroyed while inactive: no second delete
        QCOMPARE(log.count("delete"), 1);
    }

    void addingWithoutToolTipRefreshesExactlyOnce() {
        auto icon = make();
        icon->SetActive(true);
        QCOMPARE(log, QStringList{"add (no image) "});
        // Set directly, as the form does at start: not sent until the refresh.
        icon->IconObject() = someIcon();
        QCOMPARE(log.size(), 1);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(log, (QStringList{"add (no image) ", "modify "}));
        icon.reset(); // destroyed while shown: taken away
        QCOMPARE(log.last(), QString("delete"));
    }

    void settingItsOwnImageAgainSendsNothing() {
        auto icon = make();
        icon->SetToolTip("t");
        icon->SetActive(true);
        log.clear();
        icon->SetIcon(icon->Icon());
        QVERIFY(log.isEmpty());
        icon->SetIcon(someIcon());
        QCOMPARE(log, QStringList{"modify t"});
    }

    void clicksReachTheirEvents() {
        auto icon = make();
        QStringList events;
        icon->OnClick = [&] {
            events << "click";
        };
        icon->OnDblClick = [&] {
            events << "double";
        };
        icon->OnRightClick = [&](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint) {
            events << QStringLiteral("right %1 %2").arg(int(b)).arg(int(m));
        };
        icon->Activated(QSystemTrayIcon::Trigger);
        icon->Activated(QSystemTrayIcon::DoubleClick);
        icon->Activated(QSystemTrayIcon::MiddleClick);
        icon->Activated(QSystemTrayIcon::Context); // no menu: only the event
        QCOMPARE(events, (QStringList{"click", "double", "right 2 0"}));

        // With a menu: the menu opens first, the event follows once it has closed.
        QMenu menu;
        menu.addAction("item");
        icon->PopupMenu = &menu;
        events.clear();
        QTimer::singleShot(50, &menu, [&] {
            events << QStringLiteral("menu %1").arg(menu.isVisible());
            menu.close();
        });
        icon->Activated(QSystemTrayIcon::Context);
        QCOMPARE(events, (QStringList{"menu 1", "right 2 0"}));

        // A StatusNotifierItem host shows the exported menu itself: nothing waits here.
        host->hostShowsMenu = true;
        events.clear();
        icon->Activated(QSystemTrayIcon::Context);
        QCOMPARE(events, (QStringList{"right 2 0"}));
        QVERIFY(!menu.isVisible());
    }
};

class OnlyOneTest : public QObject {
    Q_OBJECT

private slots:
    void markerTakesTwentyCharactersOfTheTitle() {
        QCOMPARE(TOnlyOne::MarkerFor("Tockwell"), QString("OnlyOneTockwell"));
        QCOMPARE(TOnlyOne::MarkerFor("ABCDEFGHIJKLMNOPQRSTUV"),
                 TOnlyOne::MarkerFor("ABCDEFGHIJKLMNOPQRSTxy"));
    }

    // A second copy and a copy killed with -9 are run as real processes in tray_e2e.sh.
    void switchedOffItDoesNothing() {
        TOnlyOne first("Tockwell off", false);
        TOnlyOne second("Tockwell off", false);
        QVERIFY(!second.SecondCopy());
        QVERIFY(!QFile::exists(TOnlyOne::RuntimeFolder() + "/OnlyOneTockwell off.lock"));
    }
};

int main(int argc, char** argv) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QApplication app(argc, argv);
    TrayIconTest tray;
    OnlyOneTest guard;
    return RunTestObjects({&tray, &guard}, argc, argv);
}
#include "ComponentsTest.moc"

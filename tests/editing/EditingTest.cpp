#include "AboutD.h"
#include "AddWind.h"
#include "Application.h"
#include "Errors.h"
#include "FakeTray.h"
#include "Help.h"
#include "MessageEdit.h"
#include "Program.h"
#include "ProgramHarness.h"
#include "QtTestMain.h"
#include "RecordBytes.h"
#include "ScriptedMessages.h"
#include "StatFrm.h"
#include "UpDown.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

QByteArray alarms(int n) {
    QByteArray all;
    for (int i = 0; i < n; ++i) {
        RecordBytes r;
        r.alarmTime = at(2027, 1, 1) + i;
        r.kind = akDaily;
        r.text = "alarm " + QByteArray::number(i);
        all += r.build();
    }
    return all;
}

} // namespace

class AddWndTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithATimeThreeMinutesAheadThatAddAccepts() {
        Harness h(QByteArray(""));
        h.stat().AddBtnClick();
        QVERIFY(h.add().isVisible());
        QCOMPARE(h.add().Kind(), int(akOneOff));
        QCOMPARE(h.add().HourBox->text(), QString("10"));
        QCOMPARE(h.add().MinuteBox->text(), QString("03"));
        QCOMPARE(h.add().DayBox->text(), QString("2"));
        QCOMPARE(h.add().MonthLabel->text(), QString("December"));
        QCOMPARE(h.add().DayLabel->text(), QString("Wednesday"));
        QCOMPARE(h.add().Add->text(), QString("&Add"));
        QCOMPARE(h.addError(), QString());
        QVERIFY(!h.add().isVisible());
        QCOMPARE(h.list().Count(), 1);
        QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 2, 10, 3));
        QCOMPARE(h.list()[0].Text, QByteArray("ALARM")); // the box was empty
        QCOMPARE(h.file().size(), 624);
    }

    // The rules themselves are tested in AddAlarmTest; here, that the dialog hands its
    // controls to them and shows what they answer.
    void theDialogMapsItsControlsToTheAddRules() {
        Harness h(QByteArray(""));
        TAddWnd& a = h.add();
        a.OpenAdd();
        a.DayBox->setText("1"); // yesterday
        h.messages.shown.clear();
        QTest::mouseClick(a.Add, Qt::LeftButton);
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].text,
                 QString("Error - can't set a one-off alarm less than 2 minutes in the future."));
        QCOMPARE(h.messages.shown[0].icon, TMsgIcon::Stop);
        QVERIFY(a.isVisible());
        a.SetKind(akMonthly);
        a.MonthUpDown->SetPosition(4);
        a.DayBox->setText("31");
        QCOMPARE(h.addError(), QString("Sorry, that date isn't valid"));
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), a.DayBox);

        a.OpenAdd();
        a.SetKind(akWeekly);
        QVERIFY(a.WDUpDown->isEnabled());
        QVERIFY(!a.DayBox->isEnabled());
        a.WDUpDown->Step(false); // Tuesday
        QCOMPARE(a.DayLabel->text(), QString("Tuesday"));
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 8, 10, 3));
        QCOMPARE(h.list()[0].Kind, int(akWeekly));
        QCOMPARE(a.Kind(), int(akOneOff)); // back to One off after adding
    }

    void cancelAfterWeeklyReopensAsOneOff() {
        Harness h(QByteArray(""));
        h.add().OpenAdd();
        h.add().SetKind(akWeekly);
        h.add().HourBox->setText("11");
        // Minimised and restored: what was entered stays.
        h.add().showMinimized();
        h.add().showNormal();
        QCOMPARE(h.add().Kind(), int(akWeekly));
        QCOMPARE(h.add().HourBox->text(), QString("11"));
        QTest::mouseClick(h.add().Button2, Qt::LeftButton);
        QVERIFY(!h.add().isVisible());
        QCOMPARE(h.add().DayBox->text(), QString());
        h.add().OpenAdd();
        QCOMPARE(h.add().Kind(), int(akOneOff));
        QVERIFY(h.add().DayBox->isEnabled());
        QVERIFY(!h.add().WDUpDown->isEnabled());
        QCOMPARE(h.add().DayBox->text(), QString("2"));
        QVERIFY(h.list().IsEmpty());
    }

    // What a screen reader says of the spins, and the keyboard's way to them.
    void spinsHaveNamesAndAnswerTheArrowKeys() {
        Harness h(QByteArray(""));
        TAddWnd& a = h.add();
        a.OpenAdd();
        QVERIFY(QTest::qWaitForWindowActive(&a));
        const auto name = [](QObject* o) {
            return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
        };
        QCOMPARE(name(a.HourBox), QString("Hour"));
        QCOMPARE(name(a.YearBox), QString("Year"));
        QStringList arrows;
        for (QToolButton* b : a.DayUpDown->findChildren<QToolButton*>())
            arrows << name(b);
        QCOMPARE(arrows, (QStringList{"Day up", "Day down"}));

        a.HourBox->setText("10");
        QTest::keyClick(a.HourBox, Qt::Key_Up);
        QCOMPARE(a.HourBox->text(), QString("11"));
        QTest::keyClick(a.YearBox, Qt::Key_Down); // the year spin steps from its own position
        QCOMPARE(a.YearBox->text(), QString::number(a.YearUpDown->Position()));
        a.SetKind(akWeekly);
        a.MinuteBox->setFocus();
        QTest::keyClick(a.MinuteBox, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), a.WDUpDown);
        QCOMPARE(name(a.WDUpDown), QString("Weekday"));
        QCOMPARE(QAccessible::queryAccessibleInterface(a.WDUpDown)->role(), QAccessible::SpinBox);
        const QString before = a.DayLabel->text();
        QTest::keyClick(a.WDUpDown, Qt::Key_Up);
        QVERIFY(a.DayLabel->text() != before);
    }

    void monthBeforeDayInTheUnitedStates() {
        Harness h(QByteArray(""));
        TAddWnd uk(h.list(), *h.program->Form().DataFile, *h.program, h.clock, UK);
        TAddWnd us(h.list(), *h.program->Form().DataFile, *h.program, h.clock,
                   QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(uk.DayBox->x() < uk.MonthLabel->x());
        QVERIFY(us.MonthLabel->x() < us.DayBox->x());
        QCOMPARE(us.MonthLabel->x(), uk.DayBox->x());
        QCOMPARE(us.Label6->x(), uk.Label2->x());
        QCOMPARE(us.MonthUpDown->x(), uk.DayUpDown->x());
    }

    void editChangesOnlyTheMessageOfItsOwnAlarm() {
        RecordBytes weekly;
        weekly.alarmTime = at(2026, 12, 9, 7, 15);
        weekly.kind = akWeekly;
        weekly.text = "old";
        Harness h(weekly.build());
        h.stat().AGrid->setCurrentCell(0, 0);
        h.stat().EditTextBtnClick();
        TAddWnd& a = h.add();
        QCOMPARE(a.Add->text(), QString("&Save"));
        QCOMPARE(a.Kind(), int(akWeekly));
        for (QWidget* w : std::initializer_list<QWidget*>{
                 a.TG, a.HourBox, a.MinuteBox, a.UpDown1, a.UpDown2, a.WDUpDown, a.DayBox,
                 a.DayUpDown, a.MonthUpDown, a.YearBox, a.YearUpDown})
            QVERIFY(!w->isEnabled());
        QCOMPARE(a.HourBox->text(), QString("7"));
        QCOMPARE(a.MinuteBox->text(), QString("15"));
        a.TextBox->setPlainText("new words");
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[0].Text, QByteArray("new words"));
        QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 9, 7, 15));
        QCOMPARE(h.list()[0].Kind, int(akWeekly));
        h.stat().EditTextBtnClick();
        a.TextBox->clear();
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[0].Text, QByteArray("ALARM"));

        // The alarm goes while its edit is open: nothing is written into another one.
        h.list().Append(NewAlarm(akDaily, at(2027, 1, 1), "other"));
        h.stat().RefreshList();
        h.stat().AGrid->setCurrentCell(0, 0);
        h.stat().EditTextBtnClick();
        h.list().Remove(0);
        a.TextBox->setPlainText("lost");
        QVERIFY(h.addError().startsWith("That alarm is no longer in the list"));
        QCOMPARE(h.list()[0].Text, QByteArray("other"));
        QVERIFY(!a.isVisible());
    }

    void theMessageHoldsWhatTheFileCanStore() {
        Harness h(QByteArray(""));
        TMessageEdit* box = h.add().TextBox;
        h.add().OpenAdd();
        box->setFocus();
        box->setPlainText(QString(600, u'x'));
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, "y");
        QCOMPARE(box->toPlainText().size(), 600);
        box->setPlainText("abc");
        box->moveCursor(QTextCursor::End);
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(QChar(0x0100)),
                            Qt::NoModifier);
        QCOMPARE(box->toPlainText(), QString("abc"));
        QApplication::clipboard()->setText(QString::fromUtf8("Stra\u00dfe \u0100"));
        box->paste();
        QCOMPARE(box->toPlainText(), QString("abc"));
        QApplication::clipboard()->setText(QString::fromUtf8(" caf\u00e9 \u20ac5"));
        box->paste();
        QCOMPARE(box->toPlainText(), QString::fromUtf8("abc caf\u00e9 \u20ac5"));
        box->setPlainText(QString(600, u'z'));
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[0].Text, QByteArray(600, 'z'));

        // A stored text the box cannot hold as it is (another tool wrote 601 bytes and no
        // end): its edit shows what the alarm can keep of it, not the last one edited.
        RecordBytes shortText, longText;
        shortText.alarmTime = at(2027, 1, 1, 7);
        shortText.text = "short";
        longText.alarmTime = at(2027, 1, 1, 8);
        longText.text = QByteArray(601, 'w');
        longText.terminate = false;
        Harness damaged(shortText.build() + longText.build());
        for (int row : {0, 1}) {
            damaged.stat().AGrid->setCurrentCell(row, 0);
            damaged.stat().EditTextBtnClick();
        }
        QCOMPARE(damaged.add().TextBox->toPlainText(), QString(600, u'w'));
        QCOMPARE(damaged.addError(), QString());
        QCOMPARE(damaged.list()[0].Text, QByteArray("short"));
        QCOMPARE(damaged.list()[1].Text, QByteArray(600, 'w'));
    }
};

class StatWndTest : public QObject {
    Q_OBJECT

private slots:
    void deleteTakesTheSelectedRowAndRewritesTheFile() {
        Harness h(alarms(3));
        TStatWnd& s = h.stat();
        s.AGrid->setCurrentCell(1, 2);
        s.DeleteBtnClick();
        QCOMPARE(h.list().Count(), 2);
        QCOMPARE(h.list()[0].Text, QByteArray("alarm 0"));
        QCOMPARE(h.list()[1].Text, QByteArray("alarm 2"));
        const QByteArray file = h.file();
        QCOMPARE(file.size(), 2 * 624);
        QCOMPARE(file.mid(12, 7), QByteArray("alarm 0"));
        QCOMPARE(file.mid(624 + 12, 7), QByteArray("alarm 2"));
        // No row selected (the header): Delete and Edit text do nothing.
        s.AGrid->setCurrentCell(-1, -1);
        s.DeleteBtnClick();
        s.EditTextBtnClick();
        QCOMPARE(h.list().Count(), 2);
        QVERIFY(!h.add().isVisible());
        QVERIFY(s.AddBtn->isEnabled()); // the buttons follow the list (ListRefreshTest)
    }

    void gridAndButtonsEvenWhenLoadingFails() {
        Harness h(QByteArray(700, 'x')); // one record and a broken one
        TStatWnd& s = h.stat();
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].text,
                 QString("Sorry, there was an error while reading the alarm data "
                         "file. Please check that your hard disc is not full."));
        QCOMPARE(s.AGrid->horizontalHeaderItem(3)->text(), QString("Message"));
        QCOMPARE(s.AGrid->rowCount(), 1);
        QVERIFY(!(s.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(THelp::ContextOf(s.AGrid), 80);
        QCOMPARE(THelp::ContextOf(h.add().TextBox), 90);
    }

    void rightClickOnTheMarginOpensTheTrayMenuAtTheCorner() {
        Harness h(alarms(1));
        TStatWnd& s = h.stat();
        s.Display();
        s.move(50, 50);
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QMenu* menu = h.program->Form().PMenu;
        QTest::mouseClick(s.AGrid->viewport(), Qt::RightButton, {}, QPoint(20, 5));
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(&s, Qt::RightButton, {}, QPoint(3, s.height() - 3));
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), s.frameGeometry().topLeft());
        menu->hide();
        s.BitBtn3Click();
        QVERIFY(!s.isVisible());
    }
};

class AboutDgTest : public QObject {
    Q_OBJECT

private slots:
    void oneBoxWithNameVersionAndIcon() {
        Harness h(QByteArray(""));
        QAction* about = h.program->Form().About;
        QVERIFY(about->isEnabled());
        about->trigger();
        TAboutDg& box = h.program->AboutDg();
        QVERIFY(box.isVisible());
        about->trigger(); // the same box again, to the front
        QCOMPARE(box.windowTitle(), QString("About Tockwell"));
        QCOMPARE(box.Label1->text(), QString("Tockwell Version 1.08"));
        QVERIFY(!box.Image1->pixmap().isNull());
        QVERIFY(!(box.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(box.OK->isDefault());
        QTest::mouseClick(box.OK, Qt::LeftButton);
        QVERIFY(!box.isVisible());
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    AddWndTest add;
    StatWndTest stat;
    AboutDgTest about;
    return RunTestObjects({&add, &stat, &about}, argc, argv);
}
#include "EditingTest.moc"

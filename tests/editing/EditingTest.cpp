// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageEdit.h"
#include "ProgramHarness.h"
#include "RecordBytes.h"
#include "UpDown.h"
#include "WindowTestMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QByteArray alarms(std::initializer_list<RecordBytes> records) {
    QByteArray all;
    for (const RecordBytes& r : records)
        all += r.build();
    return all;
}
} // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    // The rules are AddAlarmTest's; here, that the dialog hands them its controls.
    void addOffersThreeMinutesAheadAndMapsItsControlsToTheRules() {
        Harness h;
        TAddWnd& a = h.add();
        h.stat().AddBtnClick();
        QCOMPARE(h.addError(), QString());
        QVERIFY(!a.isVisible());
        QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 2, 10, 3)); // offered: 3 minutes ahead
        QCOMPARE(h.list()[0].Text, QByteArray("ALARM"));         // the box was empty

        a.OpenAdd();
        a.DayBox->setText("1"); // yesterday
        QTest::mouseClick(a.Add, Qt::LeftButton);
        QCOMPARE(h.messages.shown.last().text,
                 QString("Error - can't set a one-off alarm less than 2 minutes in the future."));
        QVERIFY(a.isVisible());
        a.SetKind(akMonthly);
        QVERIFY(!a.MonthUpDown->isEnabled() && a.DayBox->isEnabled());
        a.MonthUpDown->SetPosition(4);
        a.DayBox->setText("31");
        QCOMPARE(h.addError(), QString("Sorry, that date isn't valid"));
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), a.DayBox);
        a.OpenAdd();
        a.SetKind(akWeekly);
        QVERIFY(a.WDUpDown->isEnabled() && !a.DayBox->isEnabled());
        a.WDUpDown->Step(false); // Tuesday
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[1].AlarmTime, at(2026, 12, 8, 10, 3));
        QCOMPARE(a.Kind(), int(akOneOff));        // back to One off after adding
        QTest::keyClick(a.YearBox, Qt::Key_Down); // the year spin steps from its own position
        QCOMPARE(a.YearBox->text(), QString::number(a.YearUpDown->Position()));
    }

    void cancelReopensAsOneOffButMinimisingKeepsWhatWasEntered() {
        Harness h;
        h.add().OpenAdd();
        h.add().SetKind(akWeekly);
        h.add().HourBox->setText("11");
        h.add().showMinimized();
        h.add().showNormal();
        QShowEvent restored; // what Qt 6.8 sends after a restore from code, and 6.4 does not
        QApplication::sendEvent(&h.add(), &restored);
        QCOMPARE(h.add().Kind(), int(akWeekly));
        QCOMPARE(h.add().HourBox->text(), QString("11"));
        QTest::mouseClick(h.add().Button2, Qt::LeftButton);
        h.add().OpenAdd();
        QCOMPARE(h.add().Kind(), int(akOneOff));
        QVERIFY(h.add().DayBox->isEnabled() && !h.add().WDUpDown->isEnabled());
        QVERIFY(h.list().IsEmpty());
    }

    void editChangesOnlyTheMessageOfItsOwnAlarm() {
        Harness h(alarms({{.alarmTime = at(2026, 12, 9, 7, 15), .kind = akWeekly, .text = "old"}}));
        TAddWnd& a = h.add();
        h.stat().AGrid->setCurrentCell(0, 0);
        h.stat().EditTextBtnClick();
        QCOMPARE(a.Add->text(), QString("&Save"));
        QVERIFY(!a.TG->isEnabled() && !a.HourBox->isEnabled() && !a.WDUpDown->isEnabled());
        a.TextBox->setPlainText("new words");
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[0].Text, QByteArray("new words"));
        QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 9, 7, 15));
        h.stat().EditTextBtnClick();
        a.TextBox->clear();
        QCOMPARE(h.addError(), QString());
        QCOMPARE(h.list()[0].Text, QByteArray("ALARM"));
        // The alarm goes while its edit is open: nothing is written into another one.
        h.list().Append(NewAlarm(akDaily, at(2027, 1, 1), "other"));
        h.stat().EditTextBtnClick();
        h.list().Remove(0);
        a.TextBox->setPlainText("lost");
        QVERIFY(h.addError().startsWith("That alarm is no longer in the list"));
        QCOMPARE(h.list()[0].Text, QByteArray("other"));
    }

    void theMessageHoldsWhatTheFileCanStore() {
        Harness h;
        TMessageEdit* box = h.add().TextBox;
        h.add().OpenAdd();
        box->setFocus();
        box->setPlainText(QString(600, u'x'));
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, "y");
        QCOMPARE(box->toPlainText().size(), 600);
        box->setPlainText("abc");
        box->moveCursor(QTextCursor::End);
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(QChar(0x0100)), {});
        QApplication::clipboard()->setText(QString::fromUtf8("Stra\u00dfe \u0100"));
        box->paste();
        QCOMPARE(box->toPlainText(), QString("abc"));
        QApplication::clipboard()->setText(QString::fromUtf8(" caf\u00e9 \u20ac5"));
        box->paste();
        QCOMPARE(box->toPlainText(), QString::fromUtf8("abc caf\u00e9 \u20ac5"));

        // A stored text the box cannot hold as it is (another tool wrote 601 bytes and no
        // end): its edit shows what the alarm can keep of it, not the last one edited.
        Harness damaged(alarms(
            {{.alarmTime = at(2027, 1, 1, 7), .text = "short"},
             {.alarmTime = at(2027, 1, 1, 8), .text = QByteArray(601, 'w'), .terminate = false}}));
        for (int row : {0, 1}) {
            damaged.stat().AGrid->setCurrentCell(row, 0);
            damaged.stat().EditTextBtnClick();
        }
        QCOMPARE(damaged.add().TextBox->toPlainText(), QString(600, u'w'));
        QCOMPARE(damaged.addError(), QString());
        QCOMPARE(damaged.list()[0].Text, QByteArray("short"));
        QCOMPARE(damaged.list()[1].Text, QByteArray(600, 'w'));
    }

    void deleteTakesTheSelectedRowAndTheMarginOpensTheMenu() {
        Harness h(alarms({{.alarmTime = at(2027, 1, 1), .text = "a"},
                          {.alarmTime = at(2027, 1, 2), .text = "b"},
                          {.alarmTime = at(2027, 1, 3), .text = "c"}}));
        TStatWnd& s = h.stat();
        s.AGrid->setCurrentCell(1, 2);
        s.DeleteBtnClick();
        QCOMPARE(h.file(), alarms({{.alarmTime = at(2027, 1, 1), .text = "a"},
                                   {.alarmTime = at(2027, 1, 3), .text = "c"}}));
        s.AGrid->setCurrentCell(-1, -1); // the header: Delete and Edit text do nothing
        s.DeleteBtnClick();
        s.EditTextBtnClick();
        QCOMPARE(h.list().Count(), 2);
        QVERIFY(!h.add().isVisible());

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
    }
};

TOCKWELL_WINDOW_TEST_MAIN(EditingTest)
#include "EditingTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageEdit.h"
#include "ProgramHarness.h"
#include "RecordBytes.h"
#include "UpDown.h"
#include "WindowTestMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

QByteArray three() {
    return Records({{.alarmTime = at(2027, 1, 1), .text = "a"},
                    {.alarmTime = at(2027, 1, 2), .text = "b"},
                    {.alarmTime = at(2027, 1, 3), .text = "c"}});
}
QByteArray oneWeekly() {
    return Records({{.alarmTime = at(2026, 12, 9, 7, 15), .kind = akWeekly, .text = "old"}});
}
// Another tool wrote 601 bytes, a line break among them, and no end.
QByteArray overlong() {
    return Records({{.alarmTime = at(2027, 1, 1, 7), .text = "short"},
                    {.alarmTime = at(2027, 1, 1, 8),
                     .text = QByteArray(300, 'w') + "\r\n" + QByteArray(299, 'w'),
                     .terminate = false}});
}

// Deletes the alarm of a row, as a click on its row and Delete do.
void deleteRow(Harness& h, int row) {
    h.stat().AGrid->setCurrentCell(row, 2);
    QTest::mouseClick(h.stat().DeleteBtn, Qt::LeftButton);
}

const HarnessRow AlarmsWindow[] = {
    {"opens with every alarm, earliest first",
     [](Harness& h) {
         h.stat().Display();
         QCOMPARE(h.stat().AGrid->rowCount(), 3);
         QCOMPARE(h.stat().AGrid->item(0, 3)->text() + h.stat().AGrid->item(2, 2)->text(),
                  QString("aOne off *"));
     },
     three},
    {"Add, Delete and Edit text follow the number of alarms",
     [](Harness& h) {
         for (auto [count, add, others] :
              {std::tuple{0, true, false}, {1, true, true}, {19, true, true}, {20, false, true}}) {
             h.list().Clear();
             for (int i = 0; i < count; ++i)
                 h.list().Append(NewAlarm(akDaily, at(2027, 1, 1), "x"));
             h.program->RefreshList();
             QCOMPARE(h.stat().AddBtn->isEnabled(), add);
             QCOMPARE(h.stat().DeleteBtn->isEnabled() + h.stat().EditTextBtn->isEnabled(),
                      2 * others);
         }
     }},
    {"Delete takes the selected alarm from the grid and the data file",
     [](Harness& h) {
         deleteRow(h, 1);
         QCOMPARE(h.file(), Records({{.alarmTime = at(2027, 1, 1), .text = "a"},
                                     {.alarmTime = at(2027, 1, 3), .text = "c"}}));
         QCOMPARE(h.stat().AGrid->item(1, 3)->text(), QString("c"));
         deleteRow(h, 0);
         deleteRow(h, 0); // the last: Delete and Edit text grey
         QVERIFY(!h.stat().DeleteBtn->isEnabled() && !h.stat().EditTextBtn->isEnabled());
     },
     three},
    {"Delete and Edit text with no row chosen do nothing",
     [](Harness& h) {
         h.stat().AGrid->setCurrentCell(-1, -1);
         h.stat().DeleteBtnClick();
         h.stat().EditTextBtnClick();
         QCOMPARE(h.list().Count(), 3);
         QVERIFY(!h.add().isVisible());
     },
     three},
    {"Edit text opens the alarm's message; Save re-words it in the grid and the file",
     [](Harness& h) {
         h.stat().AGrid->setCurrentCell(0, 0);
         QTest::mouseClick(h.stat().EditTextBtn, Qt::LeftButton);
         QVERIFY(h.add().isVisible() && h.add().EditMode());
         QCOMPARE(h.add().TextBox->toPlainText(), QString("old"));
         h.add().TextBox->setPlainText("new words");
         QTest::mouseClick(h.add().Add, Qt::LeftButton);
         QCOMPARE(h.stat().AGrid->item(0, 3)->text(), QString("new words"));
         QVERIFY(h.file().contains("new words"));
     },
     oneWeekly},
    {"a right click on the margin opens the bell's menu, on the grid not",
     [](Harness& h) {
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
     },
     oneWeekly},
};

// The add dialog, opened by the alarms window at 10:00:30 on Wednesday 2 December 2026
// (in edit mode on the weekly alarm "old"). The rules are AddAlarmTest's and what it
// shows as it opens WindowsTest's sheet; these rows are that the dialog hands the rules
// its controls and shows what they give.
const HarnessRow AddDialog[] = {
    {"Add opens it in add mode; Add with an empty message adds ALARM, saves and closes",
     [](Harness& h) {
         QTest::mouseClick(h.stat().AddBtn, Qt::LeftButton);
         QVERIFY(h.add().isVisible() && !h.add().EditMode());
         QTest::mouseClick(h.add().Add, Qt::LeftButton);
         QVERIFY(!h.add().isVisible());
         QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 2, 10, 3));
         QCOMPARE(h.list()[0].Text, QByteArray("ALARM"));
         QCOMPARE(h.stat().AGrid->rowCount(), 1);
         QCOMPARE(h.file().size(), 624);
     }},
    {"Add a one-off in the past: the message, and the dialog stays",
     [](Harness& h) {
         h.stat().AddBtnClick();
         h.add().DayBox->setText("1");
         QTest::mouseClick(h.add().Add, Qt::LeftButton);
         QCOMPARE(h.messages.shown.last().text,
                  QString("Error - can't set a one-off alarm less than 2 minutes in the future."));
         QVERIFY(h.add().isVisible() && h.list().IsEmpty());
     }},
    {"Monthly on 31 April: the month spin is off, the message, the focus in the day",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         a.SetKind(akMonthly);
         QVERIFY(!a.MonthUpDown->isEnabled() && a.DayBox->isEnabled());
         a.MonthUpDown->SetPosition(4);
         a.DayBox->setText("31");
         QCOMPARE(h.addError(), QString("Sorry, that date isn't valid"));
         QApplication::processEvents();
         QCOMPARE(QApplication::focusWidget(), a.DayBox);
     }},
    {"Weekly, weekday down to Tuesday: next Tuesday, and One off again after",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         a.SetKind(akWeekly);
         QVERIFY(a.WDUpDown->isEnabled() && !a.DayBox->isEnabled());
         a.WDUpDown->Step(false);
         QCOMPARE(a.DayLabel->text(), QString("Tuesday"));
         QCOMPARE(h.addError(), QString());
         QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 8, 10, 3));
         QCOMPARE(h.list()[0].Kind, akWeekly);
         a.OpenAdd();
         QCOMPARE(a.Kind(), int(akOneOff));
     }},
    {"the spins step from what is typed in their boxes",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         for (auto [box, typed, key, shown] : {std::tuple{a.HourBox, "7", Qt::Key_Up, "8"},
                                               {a.MinuteBox, "30", Qt::Key_Down, "29"}}) {
             box->setText(typed);
             QTest::keyClick(box, key);
             QCOMPARE(box->text(), QString(shown));
         }
         for (QToolButton* arrow : a.UpDown1->findChildren<QToolButton*>())
             if (arrow->accessibleName() == "Hour up") // and their arrows, clicked
                 QTest::mouseClick(arrow, Qt::LeftButton);
         QCOMPARE(a.HourBox->text(), QString("9"));
         a.HourBox->setText("23"); // and stop at their ends
         a.UpDown1->Step(true);
         QCOMPARE(a.HourBox->text(), QString("23"));
         QTest::keyClick(a.YearBox, Qt::Key_Down); // the year from the spin's own position
         QCOMPARE(a.YearBox->text(), QString("2025"));
     }},
    {"the date spins move the date and show its weekday and month",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         const auto shown = [&a] {
             return QStringList{a.DayLabel->text(), a.DayBox->text(), a.MonthLabel->text(),
                                a.YearBox->text()}
                 .join(u' ');
         };
         a.DayUpDown->Step(true);
         QCOMPARE(shown(), QString("Thursday 3 December 2026"));
         a.MonthUpDown->Step(true); // past December: January
         QCOMPARE(shown(), QString("Saturday 3 January 2026"));
         a.YearUpDown->Step(true);
         QCOMPARE(shown(), QString("Sunday 3 January 2027"));
         a.DayUpDown->SetPosition(1);
         a.DayUpDown->Step(false); // below the first: the last
         QCOMPARE(shown(), QString("Sunday 31 January 2027"));
         a.SetKind(akWeekly);
         a.WDUpDown->Step(true);
         QCOMPARE(shown(), QString("Monday 31 January 2027")); // the date comes at Add
     }},
    {"an hour that cannot be keeps the focus in its box; a day left empty becomes 0",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         QVERIFY(QTest::qWaitForWindowActive(&a));
         a.HourBox->setFocus();
         a.HourBox->setText("24");
         a.MinuteBox->setFocus();
         QTRY_COMPARE(QApplication::focusWidget(), a.HourBox);
         a.HourBox->setText("23");
         a.DayBox->setFocus();
         a.DayBox->clear();
         a.YearBox->setFocus();
         QCOMPARE(QApplication::focusWidget(), a.YearBox);
         QCOMPARE(a.DayBox->text(), QString("0"));
     }},
    {"Cancel closes; after an edit too, the next Add opens empty as a one-off",
     [](Harness& h) {
         h.stat().AGrid->setCurrentCell(0, 0);
         h.stat().EditTextBtnClick(); // of a weekly alarm
         QTest::mouseClick(h.add().Button2, Qt::LeftButton);
         QVERIFY(!h.add().isVisible());
         h.stat().AddBtnClick();
         QVERIFY(!h.add().EditMode() && h.add().TG->isEnabled());
         QCOMPARE(h.add().Kind(), int(akOneOff));
         QCOMPARE(h.add().TextBox->toPlainText() + h.list()[0].Text, QString("old"));
     },
     oneWeekly},
    {"minimised and restored, it keeps what was entered",
     [](Harness& h) {
         h.stat().AddBtnClick();
         h.add().SetKind(akWeekly);
         h.add().HourBox->setText("11");
         h.add().showMinimized();
         h.add().showNormal();
         QShowEvent restored; // what Qt 6.8 sends after a restore from code, and 6.4 does not
         QApplication::sendEvent(&h.add(), &restored);
         QCOMPARE(h.add().Kind(), int(akWeekly));
         QCOMPARE(h.add().HourBox->text(), QString("11"));
     }},
    {"edit mode: only the message can be changed, Save keeps the time",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AGrid->setCurrentCell(0, 0);
         h.stat().EditTextBtnClick();
         a.TextBox->clear(); // the controls as opened: WindowsTest's sheet
         QCOMPARE(h.addError(), QString());
         QCOMPARE(h.list()[0].Text, QByteArray("ALARM")); // an empty message
         QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 9, 7, 15));
     },
     oneWeekly},
    {"edit mode: the alarm went while its edit was open, nothing else changes",
     [](Harness& h) {
         h.list().Append(NewAlarm(akDaily, at(2027, 1, 1), "other"));
         h.stat().AGrid->setCurrentCell(0, 0);
         h.stat().EditTextBtnClick();
         h.list().Remove(0);
         h.add().TextBox->setPlainText("lost");
         QVERIFY(h.addError().startsWith("That alarm is no longer in the list"));
         QCOMPARE(h.list()[0].Text, QByteArray("other"));
     },
     oneWeekly},
    {"the message box holds what the file can store",
     [](Harness& h) {
         TMessageEdit* box = h.add().TextBox;
         h.stat().AddBtnClick();
         box->setPlainText(QString(599, u'x'));
         box->moveCursor(QTextCursor::End);
         QTest::keyClick(box, Qt::Key_Return); // a line break takes two bytes
         QTest::keyClicks(box, "yz");
         QCOMPARE(box->toPlainText(), QString(599, u'x') + u'y');
         box->setPlainText("abc");
         box->moveCursor(QTextCursor::End);
         QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(QChar(0x0100)), {});
         box->insertPlainText(QString(QChar(0x0100))); // as an input method or a drop does
         QApplication::clipboard()->setText(QString::fromUtf8("Stra\u00dfe \u0100"));
         box->paste();
         QCOMPARE(box->toPlainText(), QString("abc"));
         QApplication::clipboard()->setText(QString::fromUtf8(" caf\u00e9 \u20ac5"));
         box->paste();
         QCOMPARE(box->toPlainText(), QString::fromUtf8("abc caf\u00e9 \u20ac5"));
     }},
    {"edit mode: a stored text the box cannot hold whole shows what the alarm can keep",
     [](Harness& h) {
         for (int row : {0, 1}) {
             h.stat().AGrid->setCurrentCell(row, 0);
             h.stat().EditTextBtnClick();
         }
         QCOMPARE(h.add().TextBox->toPlainText(), QString(300, u'w') + u'\n' + QString(298, u'w'));
         QCOMPARE(h.addError(), QString());
         QCOMPARE(h.list()[0].Text, QByteArray("short"));
         QCOMPARE(h.list()[1].Text, QByteArray(300, 'w') + "\r\n" + QByteArray(298, 'w'));
     },
     overlong},
};

} // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void alarmsWindow_data() { AddTableRows(AlarmsWindow); }
    void alarmsWindow() { RunRow(AlarmsWindow); }

    void addDialog_data() { AddTableRows(AddDialog); }
    void addDialog() { RunRow(AddDialog); }
};

TOCKWELL_WINDOW_TEST_MAIN(EditingTest)
#include "EditingTest.moc"

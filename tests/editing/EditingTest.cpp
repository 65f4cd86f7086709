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
    return Records({{.alarmTime = at(2027, 1, 1, 8),
                     .text = QByteArray(300, 'w') + "\r\n" + QByteArray(299, 'w'),
                     .terminate = false}});
}
// Opens the add dialog on the alarm of the first row for its message.
TAddWnd& editFirst(Harness& h) {
    h.stat().AGrid->setCurrentCell(0, 0);
    h.stat().EditTextBtnClick();
    return h.add();
}

const HarnessRow AlarmsWindow[] = {
    {"opens centred with every alarm, earliest first; Delete and Edit text for one, no Add at 20",
     [](Harness& h) {
         TStatWnd& s = h.stat();
         s.Display();
         const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
         QVERIFY((s.geometry().center() - centre).manhattanLength() <= 4); // its frame aside
         QCOMPARE(s.AGrid->item(0, 3)->text() + s.AGrid->item(2, 2)->text(), QString("aOne off *"));
         s.move(40, 30); // moved by the user, shown again, chosen row kept through a refresh
         s.AGrid->setCurrentCell(1, 0);
         s.Display();
         h.program->RefreshList();
         QVERIFY(s.pos() == QPoint(40, 30) && s.AGrid->currentRow() == 1);
         for (auto [count, add] : {std::pair{1, true}, {20, false}}) {
             h.list().Clear();
             for (int i = 0; i < count; ++i)
                 h.list().Append(NewAlarm(akDaily, at(2027, 1, 1), "x"));
             h.program->RefreshList();
             QCOMPARE(h.stat().AddBtn->isEnabled(), add);
             QVERIFY(h.stat().DeleteBtn->isEnabled() && h.stat().EditTextBtn->isEnabled());
         }
     },
     three},
    {"Delete takes the selected alarm from the grid and the file; with no row chosen, nothing",
     [](Harness& h) {
         h.stat().AGrid->setCurrentCell(-1, -1);
         h.stat().DeleteBtnClick();
         h.stat().EditTextBtnClick();
         QVERIFY(h.list().Count() == 3 && !h.add().isVisible());
         h.stat().AGrid->setCurrentCell(1, 2);
         QTest::mouseClick(h.stat().DeleteBtn, Qt::LeftButton);
         QCOMPARE(h.file(), Records({{.alarmTime = at(2027, 1, 1), .text = "a"},
                                     {.alarmTime = at(2027, 1, 3), .text = "c"}}));
         QCOMPARE(h.stat().AGrid->item(1, 3)->text(), QString("c"));
         for (int i = 0; i < 2; ++i) {
             h.stat().AGrid->setCurrentCell(0, 2);
             h.stat().DeleteBtnClick(); // the last: Delete and Edit text grey
         }
         QVERIFY(!h.stat().DeleteBtn->isEnabled() && !h.stat().EditTextBtn->isEnabled());
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
         QVERIFY(h.file().contains("new words") && !h.add().isVisible());
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
     }},
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
         QVERIFY(!h.add().isVisible() && h.stat().AGrid->rowCount() == 1);
         QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 2, 10, 3));
         QCOMPARE(h.list()[0].Text, QByteArray("ALARM"));
         QCOMPARE(h.file().size(), 624);
     }},
    {"a one-off in the past: the message, and the dialog stays",
     [](Harness& h) {
         h.stat().AddBtnClick();
         h.add().DayBox->setText("1");
         QTest::mouseClick(h.add().Add, Qt::LeftButton);
         QCOMPARE(h.messages.shown.last().text,
                  QString("Error - can't set a one-off alarm less than 2 minutes in the future."));
         QVERIFY(h.add().isVisible() && h.list().IsEmpty());
     }},
    {"monthly on 31 April: the month spin is off, the message, the focus in the day",
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
    {"weekly, a spin to a screen reader, kept through minimise: down to Tuesday, next Tuesday",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         a.SetKind(akWeekly);
         a.showMinimized();
         a.showNormal();
         QShowEvent restored; // what Qt 6.8 sends after a restore from code, and 6.4 does not
         QApplication::sendEvent(&a, &restored);
         QVERIFY(a.WDUpDown->isEnabled() && a.DayLabel->isEnabled() && !a.DayBox->isEnabled());
         QCOMPARE(QAccessible::queryAccessibleInterface(a.WDUpDown)->role(), QAccessible::SpinBox);
         QCOMPARE(QAccessible::queryAccessibleInterface(a.Add)->role(), QAccessible::Button);
         a.WDUpDown->Step(false);
         QCOMPARE(a.DayLabel->text(), QString("Tuesday"));
         QCOMPARE(h.addError(), QString());
         QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 8, 10, 3));
         QCOMPARE(h.list()[0].Kind, akWeekly);
     }},
    {"the spins step from what is typed, by key and arrow, stop at the ends, and move the date",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         a.HourBox->setText("7");
         QTest::keyClick(a.HourBox, Qt::Key_Up);
         for (QToolButton* arrow : a.UpDown1->findChildren<QToolButton*>()) {
             QTest::mouseClick(arrow, Qt::LeftButton);
             QCOMPARE(a.HourBox->text(), QString(arrow->accessibleName() == "Hour up" ? "9" : "8"));
         }
         QTest::keyClick(a.HourBox, Qt::Key_Up);
         QCOMPARE(a.HourBox->text(), QString("9"));
         a.HourBox->setText("23");
         a.UpDown1->Step(true);
         QCOMPARE(a.HourBox->text(), QString("23"));
         QTest::keyClick(a.YearBox, Qt::Key_Down); // the year from the spin's own position
         QCOMPARE(a.YearBox->text(), QString("2025"));
         const auto shown = [&a] {
             return QStringList{a.DayLabel->text(), a.DayBox->text(), a.MonthLabel->text(),
                                a.YearBox->text()}
                 .join(u' ');
         };
         a.MonthUpDown->Step(true); // past December: January
         a.YearUpDown->Step(true);
         a.YearUpDown->Step(true);
         QCOMPARE(shown(), QString("Saturday 2 January 2027"));
         a.DayUpDown->SetPosition(1);
         a.DayUpDown->Step(false); // below the first: the last
         QCOMPARE(shown(), QString("Sunday 31 January 2027"));
         a.MonthUpDown->Step(false); // below January: December
         QCOMPARE(shown(), QString("Friday 31 December 2027"));
         a.SetKind(akWeekly);
         a.WDUpDown->Step(true);
         QCOMPARE(shown(), QString("Saturday 31 December 2027")); // the date comes at Add
         a.WDUpDown->Step(true);                                  // past Saturday: Sunday
         QCOMPARE(a.DayLabel->text(), QString("Sunday"));
         // The hour, the minute and the year go down to 0, 00 and 1901, and no further.
         for (auto [spin, box, lowest] : {std::tuple{a.UpDown1, a.HourBox, "0"},
                                          {a.UpDown2, a.MinuteBox, "00"},
                                          {a.YearUpDown, a.YearBox, "1901"}}) {
             spin->SetPosition(QString(lowest).toInt() + 1);
             spin->Step(false);
             spin->Step(false);
             QCOMPARE(box->text(), QString(lowest));
         }
     }},
    {"an hour or minute that cannot be keeps the focus in its box; a day left empty becomes 0",
     [](Harness& h) {
         TAddWnd& a = h.add();
         h.stat().AddBtnClick();
         QVERIFY(QTest::qWaitForWindowActive(&a));
         for (auto [box, wrong] : {std::pair{a.MinuteBox, "60"}, {a.HourBox, "24"}}) {
             box->setFocus();
             box->setText(wrong);
             a.DayBox->setFocus();
             QTRY_COMPARE(QApplication::focusWidget(), box);
             box->setText("23");
         }
         a.DayBox->setFocus();
         a.DayBox->clear();
         a.YearBox->setFocus();
         QVERIFY(QApplication::focusWidget() == a.YearBox && a.DayBox->text() == "0");
     }},
    {"Cancel and Escape close; after an edit the next Add opens empty as a one-off, all at work",
     [](Harness& h) {
         editFirst(h);
         QTest::mouseClick(h.add().Button2, Qt::LeftButton);
         QVERIFY(!h.add().isVisible());
         h.stat().AddBtnClick();
         QTest::keyClick(&h.add(), Qt::Key_Escape); // as Cancel
         QVERIFY(!h.add().isVisible());
         h.stat().AddBtnClick();
         QVERIFY(!h.add().EditMode() && h.add().TG->isEnabled());
         for (QWidget* w : std::initializer_list<QWidget*>{h.add().HourBox, h.add().MinuteBox,
                                                           h.add().UpDown1, h.add().UpDown2})
             QVERIFY(w->isEnabled());
         QCOMPARE(h.add().Kind(), int(akOneOff));
         QCOMPARE(h.add().TextBox->toPlainText() + h.list()[0].Text, QString("old"));
         h.add().TGButtons->button(akAnnual)->click();
         QVERIFY(h.add().MonthUpDown->isEnabled());
     },
     oneWeekly},
    {"edit mode: Save keeps the time; an emptied message is ALARM; the alarm gone meanwhile",
     [](Harness& h) {
         editFirst(h).TextBox->clear(); // the controls as opened: WindowsTest's sheet
         QCOMPARE(h.addError(), QString());
         QCOMPARE(h.list()[0].Text, QByteArray("ALARM"));
         QCOMPARE(h.list()[0].AlarmTime, at(2026, 12, 9, 7, 15));
         h.list().Append(NewAlarm(akDaily, at(2027, 1, 1), "other"));
         editFirst(h);
         h.list().Remove(0);
         h.add().TextBox->setPlainText("lost");
         QVERIFY(h.addError().startsWith("That alarm is no longer in the list") &&
                 !h.add().isVisible());
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
         box->setPlainText("caf");
         box->moveCursor(QTextCursor::End);
         QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(QChar(0x0100)), {});
         for (int i = 0; i < 2; ++i) // as an input method or a drop does, and again
             box->insertPlainText(QString(QChar(0x0100)));
         QVERIFY(box->toPlainText() == "caf" && box->textCursor().position() == 3);
         box->clear();
         for (const char* pasted : {"caf\u00e9 \u20ac5 \u0100", "caf\u00e9 \u20ac5"}) {
             QApplication::clipboard()->setText(QString::fromUtf8(pasted));
             box->paste();
         }
         QCOMPARE(box->toPlainText(), QString::fromUtf8("caf\u00e9 \u20ac5"));
     }},
    {"edit mode: a stored text the box cannot hold whole shows what the alarm can keep",
     [](Harness& h) {
         editFirst(h);
         QCOMPARE(h.add().TextBox->toPlainText(), QString(300, u'w') + u'\n' + QString(298, u'w'));
         QCOMPARE(h.addError(), QString());
         QCOMPARE(h.list()[0].Text, QByteArray(300, 'w') + "\r\n" + QByteArray(298, 'w'));
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

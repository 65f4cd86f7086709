// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutD.h"
#include "HelpWindow.h"
#include "MsgDg.h"
#include "Options.h"
#include "ProgramHarness.h"
#include "WindowTestMain.h"
#include "backupd.h"

#include <QtTest>
#include <QtWidgets>

// Every window whole at the font its layout was drawn for and at larger ones: each
// caption has its font's room inside its control, a text box has room for a line, and no
// control lies partly outside its window.
class WindowsTest : public QObject {
    Q_OBJECT

    // Where a control draws its text, and the size of its text at its font; an empty
    // size is not checked.
    static std::pair<QRect, QSize> textRoom(QWidget* w) {
        const auto size = [w](const QString& text) {
            return text.isEmpty() ? QSize()
                                  : QFontMetrics(w->font()).size(Qt::TextShowMnemonic, text);
        };
        QStyle* style = w->style();
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QToolButton*>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.text = b->text();
            const auto element = qobject_cast<QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
                                 : qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                                  : QStyle::SE_PushButtonContents;
            return {style->subElementRect(element, &opt, w), size(b->text())};
        }
        if (auto* g = qobject_cast<QGroupBox*>(w)) {
            QStyleOptionGroupBox opt;
            opt.initFrom(g);
            opt.text = g->title();
            opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect label =
                style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
            return {label.intersected(g->rect()), label.size()}; // the style's own size
        }
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap())
            return {l->contentsRect(), size(l->text())};
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            QStyleOptionFrame opt;
            opt.initFrom(e);
            opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
            return {style->subElementRect(QStyle::SE_LineEditContents, &opt, e),
                    size(e->text() + u' ')};
        }
        if (auto* t = qobject_cast<QTextEdit*>(w)) { // one line, whatever the width
            const int margin = int(t->document()->documentMargin());
            return {t->viewport()->rect().adjusted(0, margin, 0, -margin),
                    size(QStringLiteral(" "))};
        }
        return {};
    }

    static QStringList faults(QWidget* window) {
        QStringList out;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->isWindow() || !w->isVisibleTo(window))
                continue;
            const QString name =
                QStringLiteral("%1 \"%2\"")
                    .arg(w->metaObject()->className(),
                         w->property(qobject_cast<QGroupBox*>(w) ? "title" : "text").toString());
            if (!window->rect().contains(QRect(w->mapTo(window, QPoint()), w->size())))
                out << name + QStringLiteral(" lies partly outside its window");
            auto [room, needed] = textRoom(w);
            if (!needed.isEmpty() &&
                (room.width() < needed.width() || room.height() < needed.height()))
                out << QStringLiteral("%1 needs %2 x %3 for its text, has %4 x %5")
                           .arg(name)
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height());
        }
        return out;
    }

private slots:
    // Below the font its layout was drawn for, a window keeps its size.
    void aSmallFontKeepsTheDesignSize() {
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(7);
        QApplication::setFont(font);
        Harness h;
        const QSize options = h.program->OptionsDg().size(), about = h.program->AboutDg().size();
        QApplication::setFont(before);
        QCOMPARE(options, QSize(340, 420));
        QCOMPARE(about, QSize(280, 150));
    }

    void everyTextHasRoomAtTheUsersFont_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("window");
        const QStringList windows = {"short notice", "long notice", "alarms", "add", "edit",
                                     "options",      "back up",     "about",  "help"};
        for (int points : {9, 11, 14})
            for (const QString& window : windows)
                QTest::addRow("%s at %d points", qPrintable(window), points) << points << window;
    }

    void everyTextHasRoomAtTheUsersFont() {
        QFETCH(int, points);
        QFETCH(QString, window);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        auto h = std::make_unique<Harness>();
        h->list().Append(NewAlarm(akWeekly, at(2026, 12, 9, 7, 15), "Take the bins out"));
        THelpWindow help;
        QWidget* shown = nullptr;
        if (window.endsWith("notice")) {
            h->ring(QByteArray(window == "short notice" ? 5 : 600, 'm'));
            shown = &h->program->Notice();
        } else if (window == "alarms") {
            h->stat().Display();
            shown = &h->stat();
        } else if (window == "add" || window == "edit") {
            h->stat().Display();
            h->stat().AGrid->setCurrentCell(0, 0);
            window == "add" ? h->stat().AddBtnClick() : h->stat().EditTextBtnClick();
            shown = &h->add();
        } else if (window == "options") {
            h->program->OptionsDg().Display();
            shown = &h->program->OptionsDg();
        } else if (window == "back up") {
            h->program->OpenBackup(true);
            shown = h->program->BUFrm();
        } else if (window == "about") {
            h->program->AboutDg().Display();
            shown = &h->program->AboutDg();
        } else {
            help.show();
            shown = &help;
        }
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        const QStringList found = faults(shown);
        QApplication::setFont(before);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }
};

TOCKWELL_WINDOW_TEST_MAIN(WindowsTest)
#include "WindowsTest.moc"

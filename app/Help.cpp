// SPDX-License-Identifier: GPL-3.0-or-later
#include "Help.h"

#include "HelpWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

THelp::THelp(QObject* parent)
    : QObject(parent) {}

THelp::~THelp() {
    delete m_window;
}

THelpWindow* THelp::Window() const {
    return m_window;
}

QString THelp::PageFor(int context) {
    switch (context) {
    case 1:
        return QStringLiteral("tray.html");
    case 40:
        return QStringLiteral("options.html");
    case 80:
        return QStringLiteral("alarms.html");
    case 90:
        return QStringLiteral("addalarm.html");
    }
    return {};
}

int THelp::ContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(ContextProperty);
        if (v.isValid() && v.toInt() != 0)
            return v.toInt();
    }
    return 0;
}

THelpWindow* THelp::window() {
    if (!m_window)
        m_window = new THelpWindow;
    return m_window;
}

void THelp::ShowFinder() {
    THelpWindow* w = window();
    w->ShowPage(QStringLiteral("contents.html"));
    w->show();
    w->raise();
    w->activateWindow();
    w->SearchBox()->setFocus();
}

bool THelp::ShowContext(int context) {
    const QString page = PageFor(context);
    if (page.isEmpty())
        return false;
    THelpWindow* w = window();
    w->ShowPage(page);
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}

void THelp::InstallF1() {
    qApp->installEventFilter(this);
}

bool THelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        // The key goes to the focused widget of the window; ask it and its ancestors.
        const auto* target = static_cast<QWidget*>(watched);
        if (const int context = ContextOf(target))
            ShowContext(context);
        return true; // F1 means help everywhere; a window without a number does nothing
    }
    return QObject::eventFilter(watched, event);
}

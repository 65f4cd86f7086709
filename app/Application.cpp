// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "Errors.h"
#include "MessageService.h"

#include <QMessageBox>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv) {}

void TApplication::SetErrorMessages(TMessageService* messages) {
    m_messages = messages;
    if (messages)
        SetErrorReporter([messages](const QString& text) { ShowErrorBox(*messages, text); });
    else
        SetErrorReporter({});
}

void TApplication::ShowError(const QString& text) {
    if (m_messages)
        ShowErrorBox(*m_messages, text);
    else
        std::fprintf(stderr, "%s.\n", qPrintable(text));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EError& e) {
        ShowError(e.message());
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

// QCoreApplication::quit() does nothing before exec() runs, so an end asked for then
// is kept here.
bool loopRunning = false;
bool quitPending = false;
} // namespace

void RequestQuit() {
    if (loopRunning)
        QCoreApplication::quit();
    else
        quitPending = true;
}

bool QuitRequested() {
    return quitPending;
}

int RunEventLoop() {
    if (std::exchange(quitPending, false))
        return 0;
    loopRunning = true;
    const int result = QApplication::exec();
    loopRunning = false;
    return result;
}

void QuitOnTerminationSignals() {
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        RequestQuit();
        // A box waiting for an answer would hold the end back until someone answers.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                box->close();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
}

void RaiseVisibleWindow(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != title)
            continue;
        if (w->isMinimized())
            w->showNormal();
        else
            w->raise();
        w->activateWindow();
        return;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

class TMessageService;

// The application object. An error that a handler throws and does not handle ends
// that handler only: it is shown in the standard error box (its text and ".", caption
// "Tockwell", stop icon, OK) and the program carries on with the next event.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    // Also where Guarded handlers report.
    void SetErrorMessages(TMessageService* messages);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error caught elsewhere the same way.
    void ShowError(const QString& text);

private:
    TMessageService* m_messages = nullptr;
};

// Ends the event loop, without any question, on SIGTERM, SIGINT or SIGHUP, so that the
// normal shutdown (which saves the alarms) runs then too. A message box that is open
// then is closed, as if answered with its escape button.
void QuitOnTerminationSignals();

// Ends the event loop. Asked for before the loop runs (from a box shown at start-up),
// the end is kept until the loop is started.
void RequestQuit();
// Whether an end has been asked for and not yet carried out.
bool QuitRequested();
// Runs the event loop; returns 0 at once when an end was asked for before it ran.
int RunEventLoop();

// Brings the program's visible window with that title forward, as a second copy asks:
// restored when it is minimised, else raised. Nothing happens when none is visible.
void RaiseVisibleWindow(const QString& title);

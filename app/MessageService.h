// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Every message box of the program goes through this one service, so that tests can
// read what would be shown and answer it. The program uses the widget-based
// implementation (QtMessageService.h).
enum class TMsgIcon { None, Information, Exclamation, Question, Stop };
enum class TMsgButtons { Ok, YesNo };
enum class TMsgAnswer { Ok, Yes, No };

struct TMessage {
    QString text;
    QString caption;
    TMsgIcon icon = TMsgIcon::None;
    TMsgButtons buttons = TMsgButtons::Ok;

    friend bool operator==(const TMessage&, const TMessage&) = default;
};

class TMessageService {
public:
    virtual ~TMessageService() = default;
    // Shows the box and waits for the answer. A box closed without a button press
    // answers Ok for an Ok box and No for a question.
    virtual TMsgAnswer Show(const TMessage& message) = 0;
};

// The standard error box: the error's text followed by ".", the application title as
// caption, a stop icon, OK.
TMessage ErrorBox(const QString& errorText);
// The plain notice: text and OK, no icon.
TMessage PlainNotice(const QString& text);
// The question: question icon, Yes and No.
TMessage Question(const QString& text);

inline void ShowErrorBox(TMessageService& service, const QString& errorText) {
    service.Show(ErrorBox(errorText));
}

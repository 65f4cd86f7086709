// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageService.h"

#include <QList>
#include <functional>

// Records every message instead of showing it; answers from a queue, else Ok or No.
class ScriptedMessages : public TMessageService {
public:
    TMsgAnswer Show(const TMessage& message) override {
        shown.append(message);
        if (whileShown)
            whileShown(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return message.buttons == TMsgButtons::YesNo ? TMsgAnswer::No : TMsgAnswer::Ok;
    }

    QList<TMessage> shown;
    QList<TMsgAnswer> answers;
    // Runs while the box would be open, as the event loop of a real box would.
    std::function<void(const TMessage&)> whileShown;
};

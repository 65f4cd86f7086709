#pragma once

#include "MessageService.h"

#include <QList>

// Records every message instead of showing it, and answers from a queue (Ok for an
// Ok box, No for a question once the queue is empty).
class ScriptedMessages : public TMessageService {
public:
    TMsgAnswer Show(const TMessage& message) override {
        shown.append(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return message.buttons == TMsgButtons::YesNo ? TMsgAnswer::No : TMsgAnswer::Ok;
    }

    QList<TMessage> shown;
    QList<TMsgAnswer> answers;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageService.h"

class QWidget;

// Shows each message as a modal QMessageBox. The box keeps the event loop running,
// so timers go on while it is open.
class QtMessageService : public TMessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr)
        : m_parent(parent) {}
    TMsgAnswer Show(const TMessage& message) override;

private:
    QWidget* m_parent;
};

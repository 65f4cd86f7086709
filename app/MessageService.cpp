// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageService.h"

#include "AppInfo.h"

TMessage ErrorBox(const QString& errorText) {
    return {errorText + u'.', AppTitle, TMsgIcon::Stop, TMsgButtons::Ok};
}

TMessage PlainNotice(const QString& text) {
    return {text, AppTitle, TMsgIcon::None, TMsgButtons::Ok};
}

TMessage Question(const QString& text) {
    return {text, AppTitle, TMsgIcon::Question, TMsgButtons::YesNo};
}
